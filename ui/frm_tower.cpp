#include "frm_tower.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <vector>

#include "about_window.h"
#include "design_checks.h"
#include "message_boxes.h"
#include "performance.h"
#include "print_command.h"
#include "program_icon.h"
#include "tower_diagram.h"
#include "twips.h"
#include "utf8_text.h"

namespace veltrane::ui {
namespace {

// The titles and the numeric check's prompt are the program's own texts; "\r\n" starts a new
// line in the box. The design checks' prompts come with their rules from the engine.
const QString kErrorTitle = QStringLiteral("Error");
const QString kQuestionTitle = QStringLiteral("Question");
const QString kSupplyValuePrompt = QStringLiteral("You Must Supply a Value for This Item:\r\n");

// Copies all sixteen results at once; also offered in the result boxes' context menu.
const QKeySequence kCopyAllResultsKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

// Layout in twips, relative to the window's client area (the tab control sits at its origin).
constexpr int kClientWidth = 6810;
constexpr int kClientHeight = 7035;
constexpr int kRowPitch = 300;
constexpr int kCaptionTop = 540;
constexpr int kBoxTop = 480;
constexpr int kCaptionHeight = 195;
constexpr int kBoxHeight = 285;

QString IndexedName(const char* group, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index);
}
template <typename Index>
QString IndexedName(const char* group, Index index) {
    return IndexedName(group, PositionOf(index));
}

template <typename Index>
int Row(Index index) {
    return kRowPitch * static_cast<int>(PositionOf(index));
}

/// A page of sstMain whose controls keep the positions the layout gives them relative to the
/// tab control's top-left corner, whatever height the style gives the tab strip.
class TabPage final : public QWidget {
  public:
    explicit TabPage(QTabWidget* tabControl) : tabControl_(tabControl) {}

    template <typename Control>
    Control* place(Control* control, const QRect& twipRect) {
        control->setParent(this);
        control->resize(TwipSize(twipRect.width(), twipRect.height()));
        placed_.push_back({control, twipRect});
        return control;
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        placeControls();
    }
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        placeControls();
    }

  private:
    struct Placed {
        QWidget* control;
        QRect twipRect;
    };

    void placeControls() {
        if (!tabControl_->isAncestorOf(this)) return;
        const QPoint pageOrigin = mapTo(tabControl_, QPoint(0, 0));
        for (const Placed& p : placed_) {
            const QRect r =
                TwipRect(p.twipRect.x(), p.twipRect.y(), p.twipRect.width(), p.twipRect.height());
            p.control->setGeometry(r.translated(-pageOrigin));
        }
    }

    QTabWidget* tabControl_;
    std::vector<Placed> placed_;
};

QLabel* MakeCaption(const QString& caption, const QString& objectName) {
    auto* label = new QLabel(caption);
    label->setObjectName(objectName);
    label->setAccessibleName(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeBox(const QString& caption, const QString& objectName) {
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    box->setAccessibleName(caption);
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A line edit cuts what is typed or pasted at 32767 characters unless told otherwise; the
    // boxes keep any text whole.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

/// A result box: focusable, selectable and copyable, not editable, on the dialog face.
QLineEdit* MakeResultBox(const QString& caption, const QString& objectName) {
    QLineEdit* box = MakeBox(caption, objectName);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    return box;
}

/// The window's dialog font: a plain sans serif at the largest size up to 8 points at which every
/// caption fits the label the layout gives it.
QFont DialogFont(const std::vector<const QLabel*>& captions) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    constexpr double kLargest = 8.0;
    constexpr double kSmallest = 6.5;
    constexpr double kStep = 0.5;
    for (double size = kLargest; size > kSmallest; size -= kStep) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        const auto fits = [&metrics](const QLabel* label) {
            return metrics.horizontalAdvance(label->text()) <= label->width();
        };
        if (std::all_of(captions.begin(), captions.end(), fits)) return font;
    }
    font.setPointSizeF(kSmallest);
    return font;
}

QPushButton* MakeButton(const QString& caption, const QString& objectName, const QRect& twips,
                        QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setGeometry(TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return button;
}

}  // namespace

frmTower::frmTower(desktop::MessageBoxes& messageBoxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      messageBoxes_(messageBoxes),
      locale_(),
      marks_(locale_) {
    setObjectName(QStringLiteral("frmTower"));
    setWindowTitle(QStringLiteral("Cooling Tower"));
    setWindowIcon(ProgramIcon());
    setFixedSize(TwipSize(kClientWidth, kClientHeight));

    sstMain = new QTabWidget(this);
    sstMain->setObjectName(QStringLiteral("sstMain"));
    sstMain->setGeometry(TwipRect(0, 0, 6555, 5775));
    createIdentificationTab();
    createInputsTab();
    createOutputsTab();
    createButtons();
    setKeyboardOrder();
    setFont(DialogFont(allCaptions()));

    sstMain->setCurrentIndex(kInputsTab);
    previousTab_ = kInputsTab;
    // Connected only now: adding the first tab reports a change to tab 0.
    connect(sstMain, &QTabWidget::currentChanged, this, &frmTower::sstMainCurrentChanged);
    sstMain->setFocus();

    auto* copyResults = new QShortcut(kCopyAllResultsKeys, this);
    connect(copyResults, &QShortcut::activated, this, &frmTower::copyResultsToClipboard);
}

frmTower::~frmTower() = default;

void frmTower::createIdentificationTab() {
    auto* page = new TabPage(sstMain);
    struct Row {
        QRect caption;
        QRect box;
    };
    const std::array<Row, kIdentificationCount> rows{{
        {{240, 540, 1035, 195}, {1320, 480, 3315, 285}},
        {{240, 840, 555, 195}, {1320, 780, 2115, 285}},
        {{3720, 840, 915, 195}, {4680, 840, 1035, 285}},
    }};
    for (const IdentificationDefinition& entry : kIdentification) {
        const QString caption = desktop::FromUtf8(entry.caption);
        identification_.lblID[entry.index] = page->place(
            MakeCaption(caption, IndexedName("lblID", entry.index)), rows[entry.index].caption);
        identification_.txtID[entry.index] =
            page->place(MakeBox(caption, IndexedName("txtID", entry.index)), rows[entry.index].box);
    }
    Picture1 = page->place(createPicture1(page), QRect(240, 1320, 6135, 4215));
    sstMain->addTab(page, QStringLiteral("&Identification"));
}

std::vector<const QLabel*> frmTower::allCaptions() const {
    std::vector<const QLabel*> captions;
    captions.insert(captions.end(), identification_.lblID.begin(), identification_.lblID.end());
    captions.insert(captions.end(), inputs_.lblIn.begin(), inputs_.lblIn.end());
    captions.insert(captions.end(), outputs_.lblOut.begin(), outputs_.lblOut.end());
    return captions;
}

QWidget* frmTower::createPicture1(QWidget* page) {
    return new TowerDiagram(page);
}

void frmTower::createInputsTab() {
    auto* page = new TabPage(sstMain);
    for (const InputDefinition& entry : kInputs) {
        const QString caption = desktop::FromUtf8(entry.caption);
        const int row = Row(entry.index);
        inputs_.lblIn[entry.index] =
            page->place(MakeCaption(caption, IndexedName("lblIn", entry.index)),
                        QRect(1020, kCaptionTop + row, 2055, kCaptionHeight));
        QLineEdit* box = page->place(MakeBox(caption, IndexedName("txtIn", entry.index)),
                                     QRect(3120, kBoxTop + row, 1575, kBoxHeight));
        box->setText(desktop::LocalDefaultText(entry.defaultText, locale_));
        inputs_.txtIn[entry.index] = box;
    }
    sstMain->addTab(page, QStringLiteral("&Inputs"));
}

void frmTower::createOutputsTab() {
    auto* page = new TabPage(sstMain);
    struct Placement {
        QRect caption;
        QRect box;
    };
    const auto placementOf = [](Result index) -> Placement {
        switch (index) {
            case Result::kExitAirFlow:
                return {{4020, 540, 1995, 195}, {4500, 780, 1635, 285}};
            case Result::kFanPower:
                return {{4020, 1140, 1995, 195}, {4500, 1380, 1635, 285}};
            case Result::kPumpPower:
                return {{4140, 1740, 1995, 195}, {4500, 1980, 1635, 285}};
            default: {
                // The two longest captions of the first column are given a wider label.
                const bool wide = index == Result::kKaVL || index == Result::kDrift;
                const int row = Row(index);
                return {{wide ? 0 : 120, kCaptionTop + row, wide ? 2115 : 1995, kCaptionHeight},
                        {2160, kBoxTop + row, 1635, kBoxHeight}};
            }
        }
    };
    for (const ResultDefinition& entry : kResults) {
        const QString caption = desktop::FromUtf8(entry.caption);
        const Placement placement = placementOf(entry.index);
        outputs_.lblOut[entry.index] = page->place(
            MakeCaption(caption, IndexedName("lblOut", entry.index)), placement.caption);
        QLineEdit* box =
            page->place(MakeResultBox(caption, IndexedName("txtOut", entry.index)), placement.box);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QLineEdit::customContextMenuRequested, this,
                [this, box](const QPoint& position) { showResultBoxMenu(*box, position); });
        outputs_.txtOut[entry.index] = box;
    }
    sstMain->addTab(page, QStringLiteral("&Outputs"));
}

void frmTower::createButtons() {
    buttons_.cmdAbout =
        MakeButton(QStringLiteral("&About..."), "cmdAbout", {1260, 6240, 1155, 375}, this);
    buttons_.cmdPrint =
        MakeButton(QStringLiteral("&Print..."), "cmdPrint", {2520, 6240, 1155, 375}, this);
    buttons_.cmdExit =
        MakeButton(QStringLiteral("E&xit"), "cmdExit", {3780, 6240, 1155, 375}, this);
    connect(buttons_.cmdAbout, &QPushButton::clicked, this, &frmTower::cmdAboutClicked);
    connect(buttons_.cmdPrint, &QPushButton::clicked, this, &frmTower::cmdPrintClicked);
    connect(buttons_.cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

void frmTower::setKeyboardOrder() {
    std::vector<QWidget*> order{sstMain};
    order.insert(order.end(), identification_.txtID.begin(), identification_.txtID.end());
    order.insert(order.end(), inputs_.txtIn.begin(), inputs_.txtIn.end());
    for (const Result j : kAllResults) {
        if (j != Result::kExitAirFlow) order.push_back(outputs_.txtOut[j]);
    }
    order.insert(order.end(), {buttons_.cmdAbout, buttons_.cmdPrint, buttons_.cmdExit});
    order.insert(order.end(), {outputs_.txtOut[Result::kExitAirFlow], Picture1});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The About window opens from here.
void frmTower::cmdAboutClicked() {
    frmSplash::ShowShared();
}

void frmTower::cmdPrintClicked() {
    static desktop::QtPrintDialogFactory qtPrintDialogs;
    RunPrintCommand(printDialogs_ != nullptr ? *printDialogs_ : qtPrintDialogs, *this);
}

void frmTower::setPrintDialogs(desktop::PrintDialogFactory& dialogs) {
    printDialogs_ = &dialogs;
}

QString frmTower::idCaption(std::size_t index) const {
    return identification_.lblID.at(index)->text();
}
QString frmTower::inputCaption(Input index) const {
    return inputs_.lblIn[index]->text();
}
QString frmTower::outputCaption(Result index) const {
    return outputs_.lblOut[index]->text();
}
QString frmTower::idText(std::size_t index) const {
    return identification_.txtID.at(index)->text();
}
QString frmTower::inputText(Input index) const {
    return inputs_.txtIn[index]->text();
}
QString frmTower::outputText(Result index) const {
    return outputs_.txtOut[index]->text();
}

int frmTower::currentTab() const {
    return sstMain->currentIndex();
}
void frmTower::setCurrentTab(int tab) {
    sstMain->setCurrentIndex(tab);
}

QString frmTower::resultsAsTable() const {
    QString table;
    for (const Result j : kAllResults) {
        table += outputCaption(j) + QLatin1Char('\t') + outputText(j) + QLatin1Char('\n');
    }
    return table;
}

void frmTower::copyResultsToClipboard() const {
    QGuiApplication::clipboard()->setText(resultsAsTable());
}

/// The standard menu of a read-only box, and below it the copy of all sixteen results, which
/// no one would otherwise find without knowing its keys.
void frmTower::showResultBoxMenu(QLineEdit& box, const QPoint& position) {
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    menu->addSeparator();
    QAction* copyAll = menu->addAction(QStringLiteral("Copy All Results"));
    copyAll->setShortcut(kCopyAllResultsKeys);
    copyAll->setShortcutVisibleInContextMenu(true);
    connect(copyAll, &QAction::triggered, this, [this] { copyResultsToClipboard(); });
    menu->exec(box.mapToGlobal(position));
}

void frmTower::sstMainCurrentChanged(int currentTab) {
    // Recorded before the rule runs: a run that turns back to the Inputs tab raises this
    // notification again, nested, and it must see the Outputs tab as the one it left.
    const int previousTab = previousTab_;
    previousTab_ = currentTab;
    applyTabChangeRule(previousTab);
}

void frmTower::applyTabChangeRule(int previousTab) {
    const bool fromIdentificationOrInputs =
        previousTab == kIdentificationTab || previousTab == kInputsTab;
    if (currentTab() == kOutputsTab && fromIdentificationOrInputs) ComputeOutputs(true);
}

bool frmTower::InputsAllowed() const {
    return true;
}

std::optional<float> frmTower::inputNumber(Input index) const {
    return desktop::InputNumber(inputText(index), locale_);
}

bool frmTower::ValidateInputs() {
    for (const Input i : kAllInputs) {
        if (!inputNumber(i)) return noticeRefusal(kSupplyValuePrompt + inputCaption(i), i);
    }
    if (AsksAboutApproach(*inputNumber(Input::kApproach)) &&
        showCheck(DesignCheck::kLowApproach) != desktop::MessageAnswer::Yes) {
        returnToInput(kDesignChecks[DesignCheck::kLowApproach].inputToCorrect);
        return false;
    }
    if (RefusesWetBulb(*inputNumber(Input::kWetBulb), *inputNumber(Input::kDryBulb))) {
        return noticeRefusal(DesignCheck::kWetBulbAboveDryBulb);
    }
    return true;
}

/// Tells the user why the inputs cannot be used and takes them to the box to correct. Answers
/// false, the verdict of the check that called it.
bool frmTower::noticeRefusal(const QString& prompt, Input inputToCorrect) {
    messageBoxes_.show(this, prompt, kErrorTitle, desktop::MessageButtons::Ok,
                       desktop::MessageIcon::Exclamation);
    returnToInput(inputToCorrect);
    return false;
}

/// The check's message box: a question with Yes and No, or a refusal with OK alone.
desktop::MessageAnswer frmTower::showCheck(DesignCheck check) {
    const QString prompt = desktop::FromUtf8(PromptOf(check));
    if (kDesignChecks[check].kind == CheckKind::kQuestion) {
        return messageBoxes_.show(this, prompt, kQuestionTitle, desktop::MessageButtons::YesNo,
                                  desktop::MessageIcon::Question);
    }
    return messageBoxes_.show(this, prompt, kErrorTitle, desktop::MessageButtons::Ok,
                              desktop::MessageIcon::Exclamation);
}

bool frmTower::noticeRefusal(DesignCheck check) {
    showCheck(check);
    returnToInput(kDesignChecks[check].inputToCorrect);
    return false;
}

void frmTower::askToAdjustApproach(DesignCheck check) {
    if (showCheck(check) == desktop::MessageAnswer::Yes)
        returnToInput(kDesignChecks[check].inputToCorrect);
}

void frmTower::returnToInput(Input index) {
    setCurrentTab(kInputsTab);
    inputs_.txtIn[index]->setFocus(Qt::OtherFocusReason);
}

void frmTower::ComputeOutputs(bool bErrorCheck) {
    if (runActive_) return;
    const QScopedValueRollback running(runActive_, true);

    if (bErrorCheck && (!InputsAllowed() || !ValidateInputs())) return;

    DesignInputs inputs{};
    for (const Input i : kAllInputs) {
        inputs[i] = desktop::InputValueOrZero(inputText(i), locale_);
    }
    const PerformanceResults results = CalculatePerformance(inputs);

    if (bErrorCheck) {
        if (RefusesRange(results.values[Result::kRange])) {
            noticeRefusal(DesignCheck::kNegativeRange);
            return;
        }
        // Each question is asked whatever the answer to the other.
        const float kaVL = results.values[Result::kKaVL];
        if (AsksLowKaVL(kaVL)) askToAdjustApproach(DesignCheck::kLowKaVL);
        if (AsksHighKaVL(kaVL)) askToAdjustApproach(DesignCheck::kHighKaVL);
    }
    writeResults(results);
}

void frmTower::writeResults(const PerformanceResults& results) {
    for (const Result j : kAllResults) {
        try {
            outputs_.txtOut[j]->setText(QString::fromStdString(results.Text(j, marks_.marks())));
        } catch (const std::exception&) {
            // A text that cannot be made leaves the box as it was; the others are still written.
        }
    }
}

}  // namespace veltrane::ui
