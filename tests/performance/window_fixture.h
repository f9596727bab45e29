#pragma once
// A performance window with every outside answer scripted: message boxes, file names, printer
// dialogs, and settings in a folder of the test's own.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "file_dialogs.h"
#include "input_panel.h"
#include "performance_model.h"
#include "performance_window.h"
#include "scripted_message_boxes.h"
#include "scripted_print_dialogs.h"

namespace veltrane::performance::test {

/// Answers every file dialog with the next name the test chose (empty: cancelled).
class ScriptedFileDialogs final : public FileDialogs {
  public:
    QString next;
    int shown = 0;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return next;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        ++shown;
        return next;
    }
};

class WindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        messages.reportFailuresWith(
            [](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        open();
    }

    QString settingsPath() const { return folder.filePath(QStringLiteral("settings.ini")); }

    /// A new window over a new model, as a new start of the program would make it.
    void open() {
        window.reset();
        settings = std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat);
        model = std::make_unique<PerformanceModel>();
        window = std::make_unique<PerformanceWindow>(
            *model, WindowServices{messages, files, printDialogs, *settings});
        window->show();
    }

    QLineEdit* box(Field field) const { return window->inputPanel()->box(field); }

    /// Selects everything in the box and types the text, key by key, as a user would.
    void type(Field field, const QString& text) {
        QLineEdit* edit = box(field);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
    }

    /// Selects everything in the box and pastes the text over it in one edit.
    void paste(Field field, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QLineEdit* edit = box(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keySequence(edit, QKeySequence::Paste);
    }

    /// The current tab's chart exported as `name` (an SVG in the test's folder), as text.
    QString exportedSvg(const char* name) {
        files.next = folder.filePath(QString::fromLatin1(name));
        window->exportChart();
        QFile svg(files.next);
        return svg.open(QIODevice::ReadOnly) ? QString::fromUtf8(svg.readAll()) : QString();
    }

    template <typename T>
    T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir folder;
    desktop::test::ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    desktop::test::ScriptedPrintDialogs printDialogs;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PerformanceModel> model;
    std::unique_ptr<PerformanceWindow> window;
};

}  // namespace veltrane::performance::test
