#pragma once
// Veltrane Performance: the inputs panel beside the tabs, the status line under them, and the
// File, Edit, View and Help menus. It talks to the user through small interfaces (message
// boxes, file and printer dialogs) so that tests can answer them, and remembers its geometry and
// last inputs in the settings it is given.

#include <QMainWindow>
#include <QSettings>
#include <QTimer>

#include <vector>

#include "performance_model.h"
#include "tab_printout.h"
#include "translation.h"
#include "unit_layer.h"

class QLabel;
class QTabWidget;

namespace veltrane::desktop {
class MessageBoxes;
class PrintDialogFactory;
}  // namespace veltrane::desktop

namespace veltrane::performance {

class AcceptanceTab;
class FileDialogs;
class InputPanel;
class PerformanceTab;
class RecentFiles;
class StudyDocument;
class WorksheetTab;
class YearTab;

/// What the window needs from outside.
struct WindowServices {
    desktop::MessageBoxes& messages;
    FileDialogs& files;
    desktop::PrintDialogFactory& printDialogs;
    QSettings& settings;
};

class PerformanceWindow final : public QMainWindow {
    Q_OBJECT

  public:
    PerformanceWindow(PerformanceModel& model, WindowServices services, QWidget* parent = nullptr);
    ~PerformanceWindow() override;
    PerformanceWindow(const PerformanceWindow&) = delete;
    PerformanceWindow& operator=(const PerformanceWindow&) = delete;

    [[nodiscard]] InputPanel* inputPanel() const { return inputs_; }
    [[nodiscard]] QTabWidget* tabs() const { return tabs_; }
    [[nodiscard]] AcceptanceTab* acceptanceTab() const { return acceptance_; }
    [[nodiscard]] PerformanceTab* currentTab() const;
    [[nodiscard]] QString statusText() const;

    // The commands, as the menus run them.
    void exportChart();
    void exportTable();
    void copyTable();
    void saveWorksheet();
    /// The acceptance test's report as a PDF, identified by the Acceptance tab's fields.
    void writeTestReport();
    void print();
    /// What Print puts on paper for the current tab: the tab's printout under the design and the
    /// tower; nothing for a tab that prints itself.
    [[nodiscard]] std::optional<TabPrintout> printout() const;
    void restoreDefaults();
    /// Shows every box, table and reading in these units; the model's values do not move.
    void setUnits(UnitSystem system);
    [[nodiscard]] const UnitLayer& units() const { return units_; }
    /// Geometry and inputs into the settings (also done on close).
    void saveSettings();

    // The study in a file.
    [[nodiscard]] StudyDocument& document() const { return *document_; }
    /// Keeps a recovery copy of the study in `folder` a moment after each edit.
    void keepRecoveryIn(const QString& folder);
    /// The study to begin with: a recovery copy left by a window that did not close (offered),
    /// else `file`, else the study open when the window last closed, else the last inputs.
    void start(const QString& file = {});
    void newStudy();
    /// Asks for a study and opens it.
    void openStudy();
    /// Opens a study once the changes to this one are settled; false when it was not opened.
    bool openStudy(const QString& path);
    bool saveStudy();
    bool saveStudyAs();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    /// Saves the study to `path`; on failure tells the user and keeps the modified mark.
    bool saveStudyTo(const QString& path);
    void buildMenus();
    /// Moves and shrinks the window onto its screen's free area.
    void fitToScreen();
    void buildUnitSwitch(QMenu* view);
    void buildLanguageMenu(QMenu* view);
    void chooseLanguage(Language language);
    void addTab(PerformanceTab* tab);
    void showStatus();
    void updateCommands();
    /// Writes a text file; on failure tells the user the path and the system's reason.
    bool saveText(const QString& path, const QString& text);
    void reportFailure(const QString& what, const QString& error);
    QString askFile(const QString& caption, const QString& proposed, const QString& filters);
    void buildStudyMenu(QMenu* file);
    /// Saves, discards or keeps unsaved changes as the user answers; false to stop (Cancel).
    bool settleChanges();
    bool openStudyNow(const QString& path);
    void showDocumentState();
    void tellNotes(const QStringList& notes);
    /// The settings are written a moment after the last change, not on every pixel of a drag.
    void rememberSoon();

    PerformanceModel& model_;
    WindowServices services_;
    UnitLayer units_;
    InputPanel* inputs_ = nullptr;
    QWidget* inputsPane_ = nullptr;
    WorksheetTab* worksheet_ = nullptr;
    AcceptanceTab* acceptance_ = nullptr;
    YearTab* yearTab_ = nullptr;
    RecentFiles* recentWeather_ = nullptr;
    RecentFiles* recentStudies_ = nullptr;
    StudyDocument* document_ = nullptr;
    QTimer* settingsTimer_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::vector<PerformanceTab*> tabList_;
    QLabel* status_ = nullptr;
    struct Commands {
        QAction* exportChart = nullptr;
        QAction* exportTable = nullptr;
        QAction* copyTable = nullptr;
        QAction* saveWorksheet = nullptr;
        QAction* usUnits = nullptr;
        QAction* siUnits = nullptr;
    } commands_;
};

}  // namespace veltrane::performance
