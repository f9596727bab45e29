#pragma once
// The main window: identification, inputs and results on three tabs, and the About, Print and
// Exit buttons. Turning to the Outputs tab validates the inputs and recalculates the results.

#include <QLocale>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "design_sets.h"
#include "input_number.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace veltrane {
struct PerformanceResults;
enum class DesignCheck : std::size_t;
}  // namespace veltrane

namespace veltrane::desktop {
class MessageBoxes;
enum class MessageAnswer;
class PrintDialogFactory;
}  // namespace veltrane::desktop

namespace veltrane::ui {

/// Tab numbers of sstMain.
inline constexpr int kIdentificationTab = 0;
inline constexpr int kInputsTab = 1;
inline constexpr int kOutputsTab = 2;

/// Names: the window, its controls and its fixed operations keep the names they have always had
/// (`frmTower`, `sstMain`, `txtIn`, `ComputeOutputs`, `ValidateInputs`, `InputsAllowed`; see
/// docs/kept-as-is.md); every other method is camelCase, and every other member ends in an
/// underscore.
class frmTower : public QWidget {
    Q_OBJECT

  public:
    /// Opens on the Inputs tab with the default inputs and empty results. The message boxes
    /// must outlive the window.
    explicit frmTower(desktop::MessageBoxes& messageBoxes, QWidget* parent = nullptr);
    ~frmTower() override;

    /// One recalculation run. With bErrorCheck the inputs are validated first and the range
    /// message and KaV/L questions are shown where they apply; without it nothing is reported
    /// and neither the tab nor the focus changes.
    void ComputeOutputs(bool bErrorCheck);

    QString idCaption(std::size_t index) const;
    QString inputCaption(Input index) const;
    QString outputCaption(Result index) const;
    QString idText(std::size_t index) const;
    QString inputText(Input index) const;
    QString outputText(Result index) const;

    int currentTab() const;
    /// May raise the tab-change rule like a user's click.
    void setCurrentTab(int tab);

    /// The sixteen results as "caption<TAB>text" lines, in index order.
    QString resultsAsTable() const;

    /// The printer dialogs of the Print command (QPrintDialog unless set); they must outlive
    /// the window.
    void setPrintDialogs(desktop::PrintDialogFactory& dialogs);

  private:
    struct IdentificationGroup {
        std::array<QLabel*, kIdentificationCount> lblID{};
        std::array<QLineEdit*, kIdentificationCount> txtID{};
    };
    struct InputGroup {
        InputArray<QLabel*> lblIn{};
        InputArray<QLineEdit*> txtIn{};
    };
    struct OutputGroup {
        ResultArray<QLabel*> lblOut{};
        ResultArray<QLineEdit*> txtOut{};
    };
    struct Buttons {
        QPushButton* cmdAbout = nullptr;
        QPushButton* cmdPrint = nullptr;
        QPushButton* cmdExit = nullptr;
    };

    void createIdentificationTab();
    void createInputsTab();
    void createOutputsTab();
    void createButtons();
    QWidget* createPicture1(QWidget* page);
    void setKeyboardOrder();
    std::vector<const QLabel*> allCaptions() const;

    // Commands of the window.
    void cmdAboutClicked();  // Shows the About window, or brings the open one to the front.
    void cmdPrintClicked();  // The Print command plugs in here.
    void sstMainCurrentChanged(int currentTab);
    void applyTabChangeRule(int previousTab);  // A move to Outputs from another tab runs.
    void copyResultsToClipboard() const;
    void showResultBoxMenu(QLineEdit& box, const QPoint& position);

    // Validation and the run.
    /// Always true: a second gate the run asks before ValidateInputs, kept so that a rule that
    /// refuses whole input sets has its place without changing the run or its callers.
    bool InputsAllowed() const;
    bool ValidateInputs();
    bool noticeRefusal(const QString& prompt, Input inputToCorrect);
    desktop::MessageAnswer showCheck(DesignCheck check);
    bool noticeRefusal(DesignCheck check);
    void askToAdjustApproach(DesignCheck check);
    void returnToInput(Input index);
    std::optional<float> inputNumber(Input index) const;
    void writeResults(const PerformanceResults& results);

    desktop::MessageBoxes& messageBoxes_;
    desktop::PrintDialogFactory* printDialogs_ = nullptr;
    const QLocale locale_;
    const desktop::LocaleNumberMarks marks_;

    QTabWidget* sstMain = nullptr;
    IdentificationGroup identification_;
    InputGroup inputs_;
    OutputGroup outputs_;
    Buttons buttons_;
    QWidget* Picture1 = nullptr;

    /// Qt reports only the new tab; the rule needs the one before it.
    int previousTab_ = kInputsTab;
    bool runActive_ = false;
};

}  // namespace veltrane::ui
