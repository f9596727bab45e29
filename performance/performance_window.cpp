#include "performance_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>

#include <tuple>

#include <veltrane/version.h>

#include "acceptance_tab.h"
#include "csv_records.h"
#include "curves_tab.h"
#include "demand_tab.h"
#include "file_dialogs.h"
#include "input_panel.h"
#include "message_boxes.h"
#include "print_dialogs.h"
#include "recent_files.h"
#include "screen_fit.h"
#include "study_document.h"
#include "test_report_document.h"
#include "test_report_fill.h"
#include "translation.h"
#include "window_settings.h"
#include "worksheet_tab.h"
#include "year_tab.h"

namespace veltrane::performance {
namespace {

const QString kTitle = QStringLiteral("Veltrane Performance");
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kUnitsKey = QStringLiteral("window/units");
const QString kTabKey = QStringLiteral("window/tab");
const char* const kChartFilters =
    QT_TRANSLATE_NOOP("veltrane::performance::PerformanceWindow",
                      "SVG image (*.svg);;PDF document (*.pdf);;PNG image (*.png)");
const char* const kCsvFilter =
    QT_TRANSLATE_NOOP("veltrane::performance::PerformanceWindow", "CSV table (*.csv)");
/// Beside the inputs' own width, for the scroll bar of a short screen.
constexpr int kScrollBarAllowance = 20;
/// The tabs' first share of the splitter: all the width the window has left.
constexpr int kWideTabs = 100000;
const QString kLastStudyKey = QStringLiteral("study/last");
/// A moment after the last move, resize or edit, the settings are written, ms.
constexpr int kSettingsDelay = 500;

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString FileNameOf(const QString& title) {
    QString name = title;
    return name.replace(u' ', u'-').toLower();
}

}  // namespace

// The tabs' views ask their models for headers while they are hidden on the way out, and the
// models read units_: the child widgets go first, while the members they reach still stand.
PerformanceWindow::~PerformanceWindow() {
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

PerformanceWindow::PerformanceWindow(PerformanceModel& model, WindowServices services,
                                     QWidget* parent)
    : QMainWindow(parent), model_(model), services_(services) {
    setObjectName(QStringLiteral("performanceWindow"));
    setWindowTitle(kTitle);
    LoadInputs(services_.settings, model_);

    auto* splitter = new QSplitter(this);
    inputs_ = new InputPanel(model_, units_);
    // The inputs scroll on a small screen, and the panel folds away (dragged shut or from View)
    // to give the tabs the width.
    inputsPane_ = InScrollArea(inputs_, splitter);
    inputsPane_->setObjectName(QStringLiteral("inputsPane"));
    tabs_ = new QTabWidget(splitter);
    tabs_->setObjectName(QStringLiteral("tabs"));
    splitter->addWidget(inputsPane_);
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, true);
    splitter->setCollapsible(1, false);
    splitter->setSizes({inputs_->sizeHint().width() + kScrollBarAllowance, kWideTabs});
    setCentralWidget(splitter);

    auto* demand = new DemandTab(model_, units_, tabs_);
    addTab(demand);
    addTab(new CurvesTab(model_, units_, tabs_));
    // The tabs with data of their own stand on models of it; the worksheet reads the acceptance
    // test's model, not its tab.
    auto* readings = new AcceptanceModel(model_, units_, this);
    acceptance_ = new AcceptanceTab(*readings, model_, units_, tabs_);
    addTab(acceptance_);
    auto* year = new YearModel(model_, units_, this);
    recentWeather_ =
        new RecentFiles(services_.settings, QStringLiteral("recentWeatherFiles"), this);
    recentStudies_ = new RecentFiles(services_.settings, QStringLiteral("recentStudies"), this);
    yearTab_ =
        new YearTab(*year, units_, services_.messages, services_.files, *recentWeather_, tabs_);
    addTab(yearTab_);
    worksheet_ = new WorksheetTab(model_, units_, tabs_);
    worksheet_->showAcceptance(readings);
    addTab(worksheet_);
    connect(worksheet_, &WorksheetTab::saveRequested, this, &PerformanceWindow::saveWorksheet);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    statusBar()->addWidget(status_, 1);
    buildMenus();
    connect(tabs_, &QTabWidget::currentChanged, this, &PerformanceWindow::updateCommands);
    connect(&model_, &PerformanceModel::calculated, this, &PerformanceWindow::showStatus);
    connect(&model_, &PerformanceModel::problemsChanged, this, &PerformanceWindow::showStatus);
    showStatus();
    updateCommands();

    if (services_.settings.value(kUnitsKey).toString() == u"SI"_qs) setUnits(UnitSystem::kSI);
    // The tab last seen, when it still exists.
    bool tabRead = false;
    const int tab = services_.settings.value(kTabKey).toInt(&tabRead);
    if (tabRead && tab >= 0 && tab < tabs_->count()) tabs_->setCurrentIndex(tab);
    resize(1180, 760);
    const QByteArray geometry = services_.settings.value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty()) restoreGeometry(geometry);

    // Made from the models as they stand now, units and all: this is the unmodified study.
    document_ = new StudyDocument(
        {model_, *acceptance_, *yearTab_, units_, [this](UnitSystem system) { setUnits(system); },
         [this] { inputs_->showModelValues(); }},
        this);
    connect(document_, &StudyDocument::stateChanged, this, &PerformanceWindow::showDocumentState);
    showDocumentState();
    settingsTimer_ = new QTimer(this);
    settingsTimer_->setSingleShot(true);
    settingsTimer_->setInterval(kSettingsDelay);
    connect(settingsTimer_, &QTimer::timeout, this, &PerformanceWindow::saveSettings);
    connect(tabs_, &QTabWidget::currentChanged, this, &PerformanceWindow::rememberSoon);
    connect(&units_, &UnitLayer::systemChanged, this, &PerformanceWindow::rememberSoon);
    connect(&model_, &PerformanceModel::calculated, this, &PerformanceWindow::rememberSoon);
    fitToScreen();
}

// A geometry saved on a larger screen, or at a smaller scale, would leave the window's edges and
// the Units switch out of reach: it comes back within the screen's free area, below a title bar.
void PerformanceWindow::fitToScreen() {
    const QScreen* shown = screen();
    if (shown == nullptr || isMaximized() || isFullScreen()) return;
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    setGeometry(FitToScreen(geometry(), shown->availableGeometry().adjusted(0, titleBar, 0, 0)));
}

void PerformanceWindow::addTab(PerformanceTab* tab) {
    tabList_.push_back(tab);
    tabs_->addTab(tab, tab->title());
}

PerformanceTab* PerformanceWindow::currentTab() const {
    const int index = tabs_->currentIndex();
    return index < 0 ? nullptr : tabList_[static_cast<std::size_t>(index)];
}

QString PerformanceWindow::statusText() const {
    return status_->text();
}

void PerformanceWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    buildStudyMenu(file);
    file->addSeparator();
    // The weather files open in the Year tab, which is shown so that the user sees the year.
    file->addAction(tr("Open &Weather File…"), this, [this] {
        tabs_->setCurrentWidget(yearTab_);
        yearTab_->askOpenWeather();
    });
    QMenu* recent = file->addMenu(tr("&Recent Weather Files"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recentWeather_->fill(*recent, [this](const QString& path) {
            tabs_->setCurrentWidget(yearTab_);
            yearTab_->openWeather(path);
        });
    });
    file->addSeparator();
    commands_.exportChart =
        file->addAction(tr("Export &Chart…"), this, &PerformanceWindow::exportChart);
    commands_.exportTable =
        file->addAction(tr("Export &Table…"), this, &PerformanceWindow::exportTable);
    commands_.saveWorksheet =
        file->addAction(tr("Save &Worksheet…"), this, &PerformanceWindow::saveWorksheet);
    file->addAction(tr("Test &Report…"), this, &PerformanceWindow::writeTestReport);
    file->addSeparator();
    file->addAction(tr("&Print…"), QKeySequence::Print, this, &PerformanceWindow::print);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    commands_.copyTable =
        edit->addAction(tr("&Copy Table"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this,
                        &PerformanceWindow::copyTable);
    edit->addSeparator();
    edit->addAction(tr("&Restore Defaults"), this, &PerformanceWindow::restoreDefaults);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    for (std::size_t i = 0; i < tabList_.size(); ++i) {
        const int index = static_cast<int>(i);
        QAction* action = view->addAction(tabList_[i]->title(), this,
                                          [this, index] { tabs_->setCurrentIndex(index); });
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + index)));
    }

    view->addSeparator();
    QAction* showInputs = view->addAction(tr("&Inputs Panel"));
    showInputs->setObjectName(QStringLiteral("showInputs"));
    showInputs->setCheckable(true);
    showInputs->setChecked(true);
    showInputs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(showInputs, &QAction::toggled, this, [this](bool shown) {
        inputsPane_->setVisible(shown);
        // Dragged shut, the pane would come back with no width: it opens at its own.
        auto* splitter = qobject_cast<QSplitter*>(centralWidget());
        if (shown && splitter != nullptr && splitter->sizes().value(0) == 0) {
            splitter->setSizes({inputs_->sizeHint().width() + kScrollBarAllowance, kWideTabs});
        }
    });

    buildUnitSwitch(view);
    buildLanguageMenu(view);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About Veltrane Performance"), this, [this] {
        QMessageBox::about(
            this, tr("About Veltrane Performance"),
            tr("<p><b>Veltrane Performance</b> %1</p>"
               "<p>Rating, demand curves and the worksheet of a wet, counter-flow, "
               "mechanical-draft cooling tower, live as the inputs change.</p>"
               "<p>%2</p>")
                .arg(QString::fromUtf8(kVersionText), QString::fromUtf8(kCompanyName)));
    });
}

void PerformanceWindow::buildStudyMenu(QMenu* file) {
    QAction* action =
        file->addAction(tr("&New Study"), QKeySequence::New, this, &PerformanceWindow::newStudy);
    action->setObjectName(QStringLiteral("newStudy"));
    file->addAction(tr("&Open Study…"), QKeySequence::Open, this,
                    qOverload<>(&PerformanceWindow::openStudy));
    QMenu* recent = file->addMenu(tr("Recent &Studies"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recentStudies_->fill(*recent, [this](const QString& path) { openStudy(path); });
    });
    file->addAction(tr("&Save Study"), QKeySequence::Save, this, &PerformanceWindow::saveStudy);
    // Named, not QKeySequence::SaveAs: that is empty on some desktops, and the key is the one
    // users expect everywhere.
    file->addAction(tr("Save Study &As…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                    &PerformanceWindow::saveStudyAs);
}

void PerformanceWindow::buildUnitSwitch(QMenu* view) {
    view->addSeparator();
    auto* group = new QActionGroup(this);
    commands_.usUnits =
        view->addAction(tr("&US Customary Units"), this, [this] { setUnits(UnitSystem::kUS); });
    commands_.siUnits =
        view->addAction(tr("&SI Units"), this, [this] { setUnits(UnitSystem::kSI); });
    for (QAction* action : {commands_.usUnits, commands_.siUnits}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    commands_.usUnits->setObjectName(QStringLiteral("usUnits"));
    commands_.siUnits->setObjectName(QStringLiteral("siUnits"));
    commands_.usUnits->setChecked(true);

    // The same choice at the right of the menu bar, where it is seen at once.
    auto* corner = new QWidget(this);
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 8, 0);
    row->addWidget(new QLabel(tr("Units:"), corner));
    auto* us = new QRadioButton(QStringLiteral("US"), corner);
    auto* si = new QRadioButton(QStringLiteral("SI"), corner);
    us->setObjectName(QStringLiteral("usUnitsButton"));
    si->setObjectName(QStringLiteral("siUnitsButton"));
    us->setChecked(true);
    row->addWidget(us);
    row->addWidget(si);
    menuBar()->setCornerWidget(corner);
    connect(us, &QRadioButton::clicked, this, [this] { setUnits(UnitSystem::kUS); });
    connect(si, &QRadioButton::clicked, this, [this] { setUnits(UnitSystem::kSI); });
    connect(&units_, &UnitLayer::systemChanged, this, [this, us, si] {
        const bool siShown = units_.system() == UnitSystem::kSI;
        (siShown ? commands_.siUnits : commands_.usUnits)->setChecked(true);
        (siShown ? si : us)->setChecked(true);
    });
}

// The widgets take their texts when they are built, so a new language shows from the next start;
// the menu keeps the choice in the settings, where main() reads it.
void PerformanceWindow::buildLanguageMenu(QMenu* view) {
    QMenu* menu = view->addMenu(tr("&Language"));
    auto* group = new QActionGroup(this);
    const Language stored = StoredLanguage(services_.settings);
    // Each language by its own name, as language menus write them.
    const std::tuple<Language, QString, QString> choices[] = {
        {Language::kSystem, tr("&System"), QStringLiteral("languageSystem")},
        {Language::kEnglish, QStringLiteral("&English"), QStringLiteral("languageEnglish")},
        {Language::kGerman, QStringLiteral("&Deutsch"), QStringLiteral("languageGerman")}};
    for (const auto& [language, name, objectName] : choices) {
        // clang 14 cannot capture a structured binding.
        const Language chosen = language;
        QAction* action = menu->addAction(name, this, [this, chosen] { chooseLanguage(chosen); });
        action->setObjectName(objectName);
        action->setCheckable(true);
        action->setChecked(language == stored);
        group->addAction(action);
    }
}

void PerformanceWindow::chooseLanguage(Language language) {
    StoreLanguage(services_.settings, language);
    services_.settings.sync();
    statusBar()->showMessage(tr("The language changes at the next start."));
}

void PerformanceWindow::setUnits(UnitSystem system) {
    model_.setChartUnits(system);
    units_.setSystem(system);
}

void PerformanceWindow::showStatus() {
    status_->setText(model_.status());
}

void PerformanceWindow::updateCommands() {
    const PerformanceTab* tab = currentTab();
    commands_.exportChart->setEnabled(tab != nullptr && tab->hasChart());
    commands_.exportTable->setEnabled(tab != nullptr && tab->hasTable());
    commands_.copyTable->setEnabled(tab != nullptr && tab->hasTable());
}

QString PerformanceWindow::askFile(const QString& caption, const QString& proposed,
                                   const QString& filters) {
    return services_.files.saveFileName(this, caption, QDir(DocumentsFolder()).filePath(proposed),
                                        filters);
}

void PerformanceWindow::reportFailure(const QString& what, const QString& error) {
    services_.messages.show(this, what + QStringLiteral(":\r\n") + error, kTitle,
                            desktop::MessageButtons::Ok, desktop::MessageIcon::Exclamation);
}

void PerformanceWindow::exportChart() {
    PerformanceTab* tab = currentTab();
    if (tab == nullptr || !tab->hasChart()) return;
    const QString path = askFile(
        tr("Export Chart"), FileNameOf(tab->title()) + QStringLiteral(".svg"), tr(kChartFilters));
    if (path.isEmpty()) return;
    QString error;
    if (!tab->writeChart(path, error)) reportFailure(tr("The chart was not saved"), error);
}

bool PerformanceWindow::saveText(const QString& path, const QString& text) {
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        reportFailure(tr("The file was not saved"),
                      tr("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

void PerformanceWindow::exportTable() {
    PerformanceTab* tab = currentTab();
    if (tab == nullptr || !tab->hasTable()) return;
    const QString path = askFile(tr("Export Table"),
                                 FileNameOf(tab->title()) + QStringLiteral(".csv"), tr(kCsvFilter));
    if (!path.isEmpty())
        saveText(path, tab->tableText(QChar::fromLatin1(FileFormat(QLocale()).separator)));
}

void PerformanceWindow::copyTable() {
    const PerformanceTab* tab = currentTab();
    if (tab != nullptr && tab->hasTable()) {
        QGuiApplication::clipboard()->setText(tab->tableText(u'\t'));
    }
}

void PerformanceWindow::saveWorksheet() {
    const QString path =
        askFile(tr("Save Worksheet"), QStringLiteral("worksheet.txt"), tr("Text file (*.txt)"));
    // What the tab shows: in SI units both side by side.
    if (!path.isEmpty()) saveText(path, worksheet_->text());
}

// The report goes on the paper usual where the user is: Letter in the Americas' Letter
// countries, else A4.
void PerformanceWindow::writeTestReport() {
    const QString path = askFile(tr("Test Report"), QStringLiteral("acceptance-test-report.pdf"),
                                 tr("PDF document (*.pdf)"));
    if (path.isEmpty()) return;
    const TestReport report =
        FillTestReport(acceptance_->readings(), units_, acceptance_->identification());
    QString error;
    if (!chart::WriteTestReport(report, path, PaperSizeForLocale(PaperLocaleName()), error))
        reportFailure(tr("The test report was not written."), error);
}

void PerformanceWindow::print() {
    const PerformanceTab* tab = currentTab();
    if (tab == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kTitle + QStringLiteral(" - ") + tab->title());
    const std::unique_ptr<desktop::PrintDialog> dialog =
        services_.printDialogs.Create(printer, this);
    if (!dialog->ShowPrinter()) return;
    QString error;
    const std::optional<TabPrintout> page = printout();
    const bool printed = page ? PrintPrintout(*page, printer, error) : tab->print(printer, error);
    if (!printed) reportFailure(tr("Nothing was printed"), error);
}

std::optional<TabPrintout> PerformanceWindow::printout() const {
    const PerformanceTab* tab = currentTab();
    std::optional<TabPrintout> page = tab != nullptr ? tab->printout() : std::nullopt;
    if (page) {
        const std::vector<PrintedFacts> design = DesignFacts(model_, units_);
        page->facts.insert(page->facts.begin(), design.begin(), design.end());
    }
    return page;
}

void PerformanceWindow::restoreDefaults() {
    model_.restoreDefaults();
    inputs_->showModelValues();
}

void PerformanceWindow::saveSettings() {
    services_.settings.setValue(kGeometryKey, saveGeometry());
    services_.settings.setValue(kTabKey, tabs_->currentIndex());
    services_.settings.setValue(kUnitsKey,
                                units_.system() == UnitSystem::kSI ? u"SI"_qs : u"US"_qs);
    SaveInputs(services_.settings, model_);
    services_.settings.sync();
}

void PerformanceWindow::closeEvent(QCloseEvent* event) {
    if (!settleChanges()) {
        event->ignore();
        return;
    }
    saveSettings();
    document_->removeRecovery();
    event->accept();
}

void PerformanceWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    rememberSoon();
}

void PerformanceWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    rememberSoon();
}

void PerformanceWindow::rememberSoon() {
    if (settingsTimer_ != nullptr) settingsTimer_->start();
}

void PerformanceWindow::showDocumentState() {
    setWindowTitle(tr("%1[*] - %2").arg(document_->displayName(), kTitle));
    setWindowModified(document_->isModified());
}

void PerformanceWindow::keepRecoveryIn(const QString& folder) {
    document_->keepRecoveryIn(folder);
}

void PerformanceWindow::tellNotes(const QStringList& notes) {
    if (!notes.isEmpty()) {
        services_.messages.show(this, notes.join(QStringLiteral("\r\n")), kTitle,
                                desktop::MessageButtons::Ok, desktop::MessageIcon::Exclamation);
    }
}

void PerformanceWindow::start(const QString& file) {
    if (document_->hasRecovery()) {
        const desktop::MessageAnswer answer = services_.messages.show(
            this,
            tr("Veltrane Performance stopped before the changes to a study were saved. "
               "Restore them?"),
            kTitle, desktop::MessageButtons::YesNo, desktop::MessageIcon::Question);
        if (answer == desktop::MessageAnswer::Yes) {
            QStringList notes;
            const QString error = document_->restoreRecovery(notes);
            if (error.isEmpty()) {
                tellNotes(notes);
                return;
            }
            reportFailure(tr("The changes were not restored"), error);
        } else {
            document_->removeRecovery();
        }
    }
    if (!file.isEmpty()) {
        openStudyNow(file);
        return;
    }
    const QString last = services_.settings.value(kLastStudyKey).toString();
    if (!last.isEmpty() && QFileInfo::exists(last)) openStudyNow(last);
}

bool PerformanceWindow::settleChanges() {
    if (!document_->isModified()) return true;
    const desktop::MessageAnswer answer = services_.messages.show(
        this, tr("Save the changes to %1?").arg(document_->displayName()), kTitle,
        desktop::MessageButtons::SaveDiscardCancel, desktop::MessageIcon::Question);
    switch (answer) {
        case desktop::MessageAnswer::Save:
            return saveStudy();
        case desktop::MessageAnswer::Discard:
            document_->removeRecovery();
            return true;
        default:
            return false;
    }
}

void PerformanceWindow::newStudy() {
    if (!settleChanges()) return;
    document_->startNew();
    services_.settings.setValue(kLastStudyKey, QString());
}

void PerformanceWindow::openStudy() {
    const QString folder = document_->path().isEmpty()
                               ? DocumentsFolder()
                               : QFileInfo(document_->path()).absolutePath();
    const QString path = services_.files.openFileName(this, tr("Open Study"), folder,
                                                      tr("Veltrane study (*.veltrane)"));
    if (!path.isEmpty()) openStudy(path);
}

bool PerformanceWindow::openStudy(const QString& path) {
    return settleChanges() && openStudyNow(path);
}

// The file is read whole before anything on screen changes: a refused one changes nothing.
bool PerformanceWindow::openStudyNow(const QString& path) {
    QStringList notes;
    const QString error = document_->open(path, notes);
    if (!error.isEmpty()) {
        recentStudies_->remove(path);
        reportFailure(tr("The study was not opened"), error);
        return false;
    }
    recentStudies_->add(path);
    services_.settings.setValue(kLastStudyKey, document_->path());
    tellNotes(notes);
    return true;
}

bool PerformanceWindow::saveStudy() {
    if (document_->path().isEmpty()) return saveStudyAs();
    return saveStudyTo(document_->path());
}

bool PerformanceWindow::saveStudyAs() {
    const QString proposed =
        document_->path().isEmpty()
            ? QDir(DocumentsFolder()).filePath(QStringLiteral("study.veltrane"))
            : document_->path();
    QString path = services_.files.saveFileName(this, tr("Save Study"), proposed,
                                                tr("Veltrane study (*.veltrane)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".veltrane");
    return saveStudyTo(path);
}

// The one way a study reaches its file: a failure is told with the path and the reason, and
// the study stays modified.
bool PerformanceWindow::saveStudyTo(const QString& path) {
    const QString error = document_->saveAs(path);
    if (!error.isEmpty()) {
        reportFailure(tr("The study was not saved"), error);
        return false;
    }
    recentStudies_->add(document_->path());
    services_.settings.setValue(kLastStudyKey, document_->path());
    return true;
}

}  // namespace veltrane::performance
