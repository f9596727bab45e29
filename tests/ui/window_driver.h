#pragma once
// Drives the main window as a user would: clicks on the tab bar, clicks into boxes and typing.
// The window answers its message boxes from a script.

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "frm_tower.h"
#include "scripted_message_boxes.h"

namespace veltrane::ui::test {

class WindowDriver {
  public:
    WindowDriver() : window_(std::make_unique<frmTower>(boxes_)) {
        window_->show();
        window_->activateWindow();
        activated_ = QTest::qWaitForWindowActive(window_.get());
    }

    bool ready() const { return activated_; }
    frmTower& window() { return *window_; }
    desktop::test::ScriptedMessageBoxes& boxes() { return boxes_; }

    template <typename Widget = QWidget>
    Widget* child(const QString& name) const {
        return window_->findChild<Widget*>(name);
    }
    QLineEdit* box(const char* group, std::size_t index) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index));
    }
    QLineEdit* input(std::size_t index) const { return box("txtIn", index); }
    QLineEdit* output(std::size_t index) const { return box("txtOut", index); }
    QLineEdit* input(veltrane::Input index) const { return input(veltrane::PositionOf(index)); }
    QLineEdit* output(veltrane::Result index) const { return output(veltrane::PositionOf(index)); }
    QTabBar* tabBar() const { return child<QTabWidget>(QStringLiteral("sstMain"))->tabBar(); }

    void clickTab(int tab) {
        QTest::mouseClick(tabBar(), Qt::LeftButton, {}, tabBar()->tabRect(tab).center());
    }

    /// Turns to the Inputs tab if need be, clicks into the box and replaces its text. The box is
    /// an Input or its number.
    template <typename Index>
    void typeInput(Index index, const QString& text) {
        if (window_->currentTab() != kInputsTab) clickTab(kInputsTab);
        QLineEdit* target = input(index);
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(target, Qt::Key_Delete);
        } else {
            QTest::keyClicks(target, text);
        }
    }

    QStringList results() const {
        QStringList texts;
        for (std::size_t j = 0; j < kResultCount; ++j)
            texts << output(j)->text();
        return texts;
    }

    /// The objectName of the window's focus widget; the tab bar answers for sstMain.
    QString focusName() const {
        const QWidget* focus = window_->focusWidget();
        if (focus == nullptr) return {};
        if (focus == tabBar()) return QStringLiteral("sstMain");
        return focus->objectName();
    }

  private:
    desktop::test::ScriptedMessageBoxes
        boxes_;  // outlives the window, which holds a reference to it
    std::unique_ptr<frmTower> window_;
    bool activated_ = false;
};

/// The result texts of a design, as the hand-checked examples give them, one per blank-separated
/// word.
inline QStringList Texts(const char* words) {
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

}  // namespace veltrane::ui::test
