// The monkey: ten thousand random user actions on the main window, each checked against a model
// of what the boxes must hold. Texts of every kind are typed into every kind of box, the tabs are
// changed by mouse and keyboard, every message box is answered at random and the report is
// printed with random copies. After each action: no box holds anything but what was typed, every
// message box is one the run or the validation shows at that point, and the result boxes change
// only in runs that get through, to the texts of the current inputs.
//
// The About window is opened and closed on the way, and Exit is pressed last: the program must
// end only when its last window is closed.
//
// The seed is fixed so that a failure repeats; VELTRANE_MONKEY_SEED and VELTRANE_MONKEY_STEPS
// choose others for a longer hunt. VELTRANE_MONKEY_LOCALE names the user's locale (en_US unless
// set; de_DE for a decimal comma).
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "about_window.h"
#include "design_sets.h"
#include "frm_tower.h"
#include "message_boxes.h"
#include "performance.h"
#include "print_command.h"
#include "report_test_support.h"
#include "result_text.h"
#include "scripted_message_boxes.h"
#include "scripted_print_dialogs.h"
#include "system_messages.h"
#include "ui_test_main.h"
#include "window_captions.h"

using namespace veltrane;
using namespace veltrane::ui;
using namespace veltrane::ui::test;
using namespace veltrane::desktop::test;
namespace desktop = veltrane::desktop;

namespace {

constexpr quint32 kDefaultSeed = 20261207;
constexpr int kDefaultSteps = 10000;
constexpr int kStepsBetweenRepaints = 4;
constexpr int kLoggedActions = 25;
// A box longer than this is replaced rather than added to, so that texts stay of a size a
// person might paste.
constexpr qsizetype kLongestModelText = 4000;

quint32 EnvironmentNumber(const char* name, quint32 fallback) {
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

QString Describe(const desktop::test::ShownBox& box) {
    const bool yesNo = box.buttons == desktop::MessageButtons::YesNo;
    const bool question = box.icon == desktop::MessageIcon::Question;
    return QStringLiteral("[%1 | %2 | %3 | %4]")
        .arg(box.title, QString(box.prompt).replace(QLatin1String("\r\n"), QLatin1String("\\r\\n")),
             yesNo ? QStringLiteral("Yes/No") : QStringLiteral("OK"),
             question ? QStringLiteral("question") : QStringLiteral("exclamation"));
}

// ---- The model: what the window must do, worked out without it ----

/// The user's locale, which the window takes as its own.
const QLocale& UserLocale() {
    static const QLocale locale(
        qEnvironmentVariable("VELTRANE_MONKEY_LOCALE", QStringLiteral("en_US")));
    return locale;
}

/// A number written by QString::number, with the user's decimal mark.
QString LocalNumber(QString text) {
    return text.replace(QLatin1Char('.'), UserLocale().decimalPoint());
}

/// A box text as a design value: a finite single-precision number in the user's locale without
/// a grouping mark, or nothing.
std::optional<float> ModelNumber(const QString& text) {
    QLocale strict = UserLocale();
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = strict.toFloat(text, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

using InputTexts = std::array<QString, kInputCount>;

// The model numbers the boxes as the window's object names do (txtIn_4 holds the approach).
constexpr std::size_t Box(Input input) {
    return PositionOf(input);
}

/// The default text of an input box as the user's locale writes it.
QString DefaultText(std::size_t input) {
    return LocalNumber(kDefaultInputTexts[qsizetype(input)]);
}

PerformanceResults ModelCalculation(const InputTexts& texts) {
    DesignInputs inputs{};
    for (std::size_t i = 0; i < kInputCount; ++i)
        inputs[static_cast<Input>(i)] = ModelNumber(texts[i]).value_or(0.0F);
    return CalculatePerformance(inputs);
}

QStringList ModelResultTexts(const PerformanceResults& results) {
    // The marks only view their texts: keep the texts alive while they are used.
    const std::string grouping = UserLocale().groupSeparator().toStdString();
    const std::string decimal = UserLocale().decimalPoint().toStdString();
    const NumberMarks marks{grouping, decimal};
    QStringList texts;
    for (const Result j : kAllResults)
        texts << QString::fromStdString(results.Text(j, marks));
    return texts;
}

desktop::test::ShownBox ErrorBox(const QString& prompt) {
    desktop::test::ShownBox box;
    box.prompt = prompt;
    box.title = kErrorTitle;
    return box;
}
desktop::test::ShownBox QuestionBox(const QString& prompt) {
    desktop::test::ShownBox box;
    box.prompt = prompt;
    box.title = kQuestionTitle;
    box.buttons = desktop::MessageButtons::YesNo;
    box.icon = desktop::MessageIcon::Question;
    return box;
}

/// What a checked run must show and do, given the answers the monkey gave to its questions.
struct CheckedRun {
    std::vector<desktop::test::ShownBox> boxes;
    bool resultsWritten = false;
    std::optional<std::size_t> sentBackTo;  ///< the input that gets the focus on the Inputs tab
};

class CheckedRunModel {
  public:
    CheckedRunModel(const InputTexts& texts, const std::vector<desktop::test::ShownBox>& answers)
        : texts_(texts), answers_(answers) {}

    CheckedRun run() {
        if (validate()) calculate();
        return outcome_;
    }

  private:
    bool validate() {
        for (std::size_t i = 0; i < kInputCount; ++i) {
            if (!ModelNumber(texts_[i]))
                return refuse(kSupplyValue + kInputCaptions[qsizetype(i)], i);
        }
        if (*ModelNumber(texts_[Box(Input::kApproach)]) <= 7.0F && !ask(kApproachQuestion))
            return sendBack(Box(Input::kApproach));
        if (*ModelNumber(texts_[Box(Input::kDryBulb)]) < *ModelNumber(texts_[Box(Input::kWetBulb)]))
            return refuse(kWetBulbError, Box(Input::kWetBulb));
        return true;
    }

    void calculate() {
        const PerformanceResults results = ModelCalculation(texts_);
        if (results.values[Result::kRange] < 0.0F) {
            refuse(kRangeError, Box(Input::kHotWater));
            return;
        }
        const float kaVL = results.values[Result::kKaVL];
        if (kaVL < 0.2F && ask(kLowKaVL)) sendBack(Box(Input::kApproach));
        if (kaVL > 5.0F && ask(kHighKaVL)) sendBack(Box(Input::kApproach));
        outcome_.resultsWritten = true;
    }

    bool refuse(const QString& prompt, std::size_t input) {
        outcome_.boxes.push_back(ErrorBox(prompt));
        return sendBack(input);
    }

    bool sendBack(std::size_t input) {
        outcome_.sentBackTo = input;
        return false;
    }

    /// True on Yes. A question the window did not ask counts as No; the comparison of the
    /// boxes reports it.
    bool ask(const QString& prompt) {
        desktop::test::ShownBox box = QuestionBox(prompt);
        const std::size_t next = outcome_.boxes.size();
        if (next < answers_.size()) box.answer = answers_[next].answer;
        outcome_.boxes.push_back(box);
        return box.answer == desktop::MessageAnswer::Yes;
    }

    const InputTexts& texts_;
    const std::vector<desktop::test::ShownBox>& answers_;
    CheckedRun outcome_;
};

// ---- Random texts ----

class TextGenerator {
  public:
    explicit TextGenerator(std::mt19937& random) : random_(random) {}

    /// Any text a person might type or paste into a box.
    QString anyText() {
        switch (below(10)) {
            case 0:
                return OddTexts().at(below(static_cast<int>(OddTexts().size())));
            case 1:
                return blanks();
            case 2:
                return longText();
            case 3:
                return unicodeText();
            case 4:
                return number() + pick({QString(), QStringLiteral(" "), QStringLiteral("x")});
            case 5:
                return pick({QString(), QStringLiteral(" ")}) + number();
            default:
                return number();
        }
    }

    /// A value close to the input's default, so that many runs get through the checks; now and
    /// then one at the edge of a check: approach 7, wet bulb equal to dry bulb, zero range.
    QString plausible(std::size_t input, const InputTexts& now) {
        if (below(5) == 0) {
            if (std::optional<QString> edge = edgeValue(input, now)) return *edge;
        }
        const float base = ModelNumber(DefaultText(input)).value_or(1.0F);
        const double factor = 0.5 + std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        const double value = input == Box(Input::kApproach)
                                 ? std::uniform_real_distribution<double>(0.0, 40.0)(random_)
                                 : static_cast<double>(base) * factor;
        return LocalNumber(QString::number(value, 'g', 1 + below(7)));
    }

    std::optional<QString> edgeValue(std::size_t input, const InputTexts& now) {
        switch (input) {
            case Box(Input::kApproach):
                return LocalNumber(
                    pick({QStringLiteral("7"), QStringLiteral("7.0"), QStringLiteral("7.0000001"),
                          QStringLiteral("6.9999999"), QStringLiteral("0"), QStringLiteral("5")}));
            case Box(Input::kWetBulb):
                return now[Box(Input::kDryBulb)];
            case Box(Input::kHotWater): {
                const std::optional<float> wetBulb = ModelNumber(now[Box(Input::kWetBulb)]);
                const std::optional<float> approach = ModelNumber(now[Box(Input::kApproach)]);
                if (!wetBulb || !approach) return std::nullopt;
                const float coldWater = *wetBulb + *approach;
                return LocalNumber(QString::number(static_cast<double>(coldWater), 'g', 9));
            }
            default:
                return std::nullopt;
        }
    }

    /// Numbers of every size and form: integers, decimals, exponents, signs, grouping,
    /// commas.
    QString number() {
        const QString sign = pick({QString(), QString(), QStringLiteral("-"), QStringLiteral("+")});
        switch (below(6)) {
            case 0:
                return sign + QString::number(below(1000));
            case 1:
                return sign + QString::number(random_());
            case 2:
                return sign + QStringLiteral("%1.%2").arg(below(200)).arg(below(100000));
            case 3:
                return sign + QStringLiteral("%1e%2").arg(below(10)).arg(below(100) - 50);
            case 4:
                return sign + QStringLiteral("%1,%2")
                                  .arg(below(100))
                                  .arg(below(1000), 3, 10, QLatin1Char('0'));
            default:
                return sign + QStringLiteral("%1,%2").arg(below(100)).arg(below(10));
        }
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

    QString pick(std::initializer_list<QString> choices) {
        return *(choices.begin() + below(static_cast<int>(choices.size())));
    }

  private:
    static const QStringList& OddTexts() {
        static const QStringList texts{
            QString(),
            QStringLiteral("inf"),
            QStringLiteral("-inf"),
            QStringLiteral("Infinity"),
            QStringLiteral("nan"),
            QStringLiteral("NaN"),
            QStringLiteral("1e39"),
            QStringLiteral("-1e39"),
            QStringLiteral("3.4028235e38"),
            QStringLiteral("3.4028236e38"),
            QStringLiteral("1e-38"),
            QStringLiteral("1e-45"),
            QStringLiteral("1e-46"),
            QStringLiteral("7"),
            QStringLiteral("7.0000001"),
            QStringLiteral("6.9999999"),
            QStringLiteral("-0"),
            QStringLiteral("0"),
            QStringLiteral("1.2.3"),
            QStringLiteral("1e"),
            QStringLiteral("e5"),
            QStringLiteral("0x1A"),
            QStringLiteral("1,000.5"),
            QStringLiteral(",5"),
            QStringLiteral("14,7"),
            QStringLiteral(" 65 "),
            QStringLiteral("abc"),
        };
        return texts;
    }

    QString blanks() {
        return QString(
            1 + below(5),
            pick({QStringLiteral(" "), QStringLiteral("\u00A0"), QStringLiteral("\u3000")}).at(0));
    }

    /// Mostly a few thousand characters; now and then more than a line edit holds by
    /// default.
    QString longText() {
        const int length = below(20) == 0 ? 32000 + below(8000) : 100 + below(2000);
        switch (below(3)) {
            case 0:
                return QString(length, QLatin1Char('9'));
            case 1:
                return QStringLiteral("0.") + QString(length, QLatin1Char('0')) + QLatin1Char('1');
            default: {
                QString text;
                while (text.size() < length)
                    text += anyShortWord();
                return text;
            }
        }
    }

    QString anyShortWord() {
        return pick({QStringLiteral("abc "), QStringLiteral("12"), QStringLiteral("."),
                     QStringLiteral("é"), QStringLiteral("日本"), QStringLiteral("\U0001F321")});
    }

    QString unicodeText() {
        return pick({QStringLiteral("６５"), QStringLiteral("٦٥"),
                     QStringLiteral("\u2212"
                                    "5"),
                     QStringLiteral("65°F"), QStringLiteral("Ωmega"), QStringLiteral("日本語"),
                     QStringLiteral("\U0001F321\uFE0F"), QStringLiteral("e\u0301"),
                     QStringLiteral("\u202E"
                                    "12"),
                     QStringLiteral("1\u00A0000"), QStringLiteral("١٢٫٥"),
                     QStringLiteral("\U0001D7D9\U0001D7DA"), QStringLiteral("ß"),
                     QStringLiteral("½")});
    }

    std::mt19937& random_;
};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void shouldKeepEveryTextAndShowOnlyItsOwnMessagesUnderRandomUse();

  private:
    // Actions of a user.
    void oneStep();
    void typeIntoIdentification();
    void typeIntoInput();
    void tryToEditResult();
    void clickTab();
    void pressTabKeys();
    void pressAccessKey();
    void moveFocus();
    void pressPrint();
    void printToRecordingSurface();
    void copyResults();
    void pressAbout();
    void closeAbout();
    void pressExitLast();

    // Helpers of the actions.
    bool bringTab(int tab);
    void editBox(QLineEdit* box, QString* modelText, const QString& text, int mode);
    void typeText(QLineEdit* box, const QString& text);
    void clickTabBar(int tab);
    QWidget* keyTarget() const;
    void log(const QString& action);

    // The checks after an action.
    void beginAction();
    void checkAction();
    void checkCheckedRun(const std::vector<desktop::test::ShownBox>& shown);
    void checkTexts();
    void checkAboutWindow();
    void returnToMainWindow();
    void failure(const QString& what);

    QLineEdit* box(const char* group, std::size_t index) const;
    QTabBar* tabBar() const;

    std::mt19937 random_;
    TextGenerator texts_{random_};
    desktop::test::ScriptedMessageBoxes messageBoxes_;
    desktop::test::ScriptedPrintDialogs printDialogs_;
    QTemporaryDir scratch_;
    QString reportFile_;
    std::unique_ptr<frmTower> window_;
    QHash<QString, QLineEdit*> boxes_;  ///< every box of the window by its name

    std::array<QString, kIdentificationCount> idModel_;
    InputTexts inputModel_;
    QStringList resultModel_;

    bool aboutOpen_ = false;  ///< the model: the About window is open
    int tabBefore_ = kInputsTab;
    std::vector<int> tabChanges_;
    bool printing_ = false;
    int step_ = 0;
    std::deque<QString> actions_;
    QString actionKind_;
    QString failure_;
    QMap<QString, int> tally_;  ///< what the monkey did and saw, for the closing line
};

void MonkeyTest::initTestCase() {
    QVERIFY(scratch_.isValid());
}

void MonkeyTest::shouldKeepEveryTextAndShowOnlyItsOwnMessagesUnderRandomUse() {
    const quint32 seed = EnvironmentNumber("VELTRANE_MONKEY_SEED", kDefaultSeed);
    const int steps = static_cast<int>(EnvironmentNumber("VELTRANE_MONKEY_STEPS", kDefaultSteps));
    random_.seed(seed);
    QLocale::setDefault(UserLocale());
    // Every box answered at random, OK boxes with OK, and the tab current while it was open.
    messageBoxes_.answerWith([this](const desktop::test::ShownBox& box) {
        if (box.buttons == desktop::MessageButtons::Ok) return desktop::MessageAnswer::Ok;
        return random_() % 2 == 0 ? desktop::MessageAnswer::Yes : desktop::MessageAnswer::No;
    });
    messageBoxes_.setObserver(
        [this] { return QString::number(window_ ? window_->currentTab() : -1); });
    window_ = std::make_unique<frmTower>(messageBoxes_);
    window_->setPrintDialogs(printDialogs_);
    reportFile_ = scratch_.filePath(QStringLiteral("monkey.pdf"));
    // As the program starts: the About window first, then the main window, which is active.
    frmSplash::ShowShared();
    aboutOpen_ = true;
    window_->show();
    returnToMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    for (QLineEdit* lineEdit : window_->findChildren<QLineEdit*>())
        boxes_.insert(lineEdit->objectName(), lineEdit);
    connect(window_->findChild<QTabWidget*>(QStringLiteral("sstMain")), &QTabWidget::currentChanged,
            this, [this](int tab) { tabChanges_.push_back(tab); });

    for (std::size_t i = 0; i < kInputCount; ++i)
        inputModel_[i] = DefaultText(i);
    for (std::size_t j = 0; j < kResultCount; ++j)
        resultModel_ << QString();

    QElapsedTimer clock;
    clock.start();
    for (step_ = 1; step_ <= steps && failure_.isEmpty(); ++step_) {
        oneStep();
        if (step_ % kStepsBetweenRepaints == 0) QCoreApplication::processEvents();
    }
    if (failure_.isEmpty()) pressExitLast();
    qInfo("Monkey: %d steps with seed %u in %s in %lld ms", step_ - 1, seed,
          qPrintable(UserLocale().name()), static_cast<long long>(clock.elapsed()));
    for (auto count = tally_.cbegin(); count != tally_.cend(); ++count)
        qInfo("  %6d %s", count.value(), qPrintable(count.key()));
    if (!failure_.isEmpty()) {
        QString history;
        for (const QString& action : actions_)
            history += QStringLiteral("\n  ") + action;
        QFAIL(qPrintable(QStringLiteral("Seed %1, step %2: %3\nLast actions:%4")
                             .arg(seed)
                             .arg(step_ - 1)
                             .arg(failure_, history)));
    }
}

void MonkeyTest::oneStep() {
    const int roll = texts_.below(100);
    if (roll < 6) return typeIntoIdentification();
    if (roll < 48) return typeIntoInput();
    if (roll < 54) return tryToEditResult();
    if (roll < 70) return clickTab();
    if (roll < 78) return pressTabKeys();
    if (roll < 86) return pressAccessKey();
    if (roll < 91) return moveFocus();
    if (roll < 94) return pressPrint();
    if (roll < 97) return printToRecordingSurface();
    if (roll == 97) return pressAbout();
    if (roll == 98) return closeAbout();
    return copyResults();
}

// ---- Actions ----

void MonkeyTest::typeIntoIdentification() {
    if (!bringTab(kIdentificationTab)) return;
    const auto k = static_cast<std::size_t>(texts_.below(kIdentificationCount));
    editBox(box("txtID", k), &idModel_[k], texts_.anyText(), texts_.below(8));
}

void MonkeyTest::typeIntoInput() {
    if (!bringTab(kInputsTab)) return;
    // After a refusal the focus is in the box to correct, and the user often corrects it.
    const QWidget* focus = window_->focusWidget();
    const bool correcting = focus != nullptr && texts_.below(10) < 6 &&
                            focus->objectName().startsWith(QLatin1String("txtIn_"));
    const std::size_t i = correcting ? focus->objectName().section(QLatin1Char('_'), 1).toUInt()
                                     : static_cast<std::size_t>(texts_.below(kInputCount));
    if (correcting || texts_.below(10) < 7) {
        editBox(box("txtIn", i), &inputModel_[i], texts_.plausible(i, inputModel_), 0);
    } else {
        editBox(box("txtIn", i), &inputModel_[i], texts_.anyText(), texts_.below(8));
    }
}

void MonkeyTest::tryToEditResult() {
    if (!bringTab(kOutputsTab)) return;
    const auto j = static_cast<std::size_t>(texts_.below(kResultCount));
    editBox(box("txtOut", j), nullptr, texts_.anyText(), texts_.below(8));
}

void MonkeyTest::clickTab() {
    const int tab = texts_.below(3);
    beginAction();
    log(QStringLiteral("click tab %1").arg(tab));
    clickTabBar(tab);
    checkAction();
}

void MonkeyTest::pressTabKeys() {
    const bool back = texts_.below(2) == 0;
    beginAction();
    log(back ? QStringLiteral("Ctrl+Shift+Tab") : QStringLiteral("Ctrl+Tab"));
    QTest::keyClick(keyTarget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    checkAction();
}

void MonkeyTest::pressAccessKey() {
    const bool outputs = texts_.below(2) == 0;
    beginAction();
    log(outputs ? QStringLiteral("Alt+O") : QStringLiteral("Alt+I"));
    QTest::keyClick(keyTarget(), outputs ? Qt::Key_O : Qt::Key_I, Qt::AltModifier);
    checkAction();
}

void MonkeyTest::moveFocus() {
    const bool back = texts_.below(2) == 0;
    beginAction();
    log(back ? QStringLiteral("Shift+Tab") : QStringLiteral("Tab"));
    QTest::keyClick(keyTarget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                    back ? Qt::ShiftModifier : Qt::NoModifier);
    checkAction();
}

/// Print pressed by a click or by its access key; the dialog cancelled (1 in 10), or accepted
/// with copies beyond 16 bits (1 in 10), with none or fewer (3 in 10), or with one or two.
void MonkeyTest::pressPrint() {
    static constexpr std::array kCopiesBeyond16Bits{32768, -32769, 40000};
    const int kind = texts_.below(10);
    int copies = 1;
    if (kind == 2) {
        copies = kCopiesBeyond16Bits[static_cast<std::size_t>(texts_.below(3))];
    } else if (kind >= 3 && kind <= 5) {
        copies = -texts_.below(3);  // 0, -1 or -2
    } else if (kind > 5) {
        copies = 1 + texts_.below(2);
    }
    printDialogs_.accept = kind != 0;
    printDialogs_.choosePdf(reportFile_, copies);
    const bool byAccessKey = texts_.below(12) == 0;
    QFile::remove(reportFile_);
    const int dialogsBefore = printDialogs_.shown;
    beginAction();
    printing_ = true;
    log(QStringLiteral("Print by %1, %2 copies, %3")
            .arg(byAccessKey ? QStringLiteral("Alt+P") : QStringLiteral("click"))
            .arg(copies)
            .arg(printDialogs_.accept ? QStringLiteral("Print") : QStringLiteral("Cancel")));
    if (byAccessKey) {
        // The access key presses the button the way a person sees a click: down at once, up and
        // clicked a moment later.
        QTest::keyClick(keyTarget(), Qt::Key_P, Qt::AltModifier);
        if (!QTest::qWaitFor([&] { return printDialogs_.shown != dialogsBefore; }, 1000))
            failure(QStringLiteral("Alt+P did not press Print"));
    } else {
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("cmdPrint")),
                          Qt::LeftButton);
    }
    if (printDialogs_.shown != dialogsBefore + 1) failure(QStringLiteral("no printer dialog"));

    const bool fits = copies >= std::numeric_limits<qint16>::min() &&
                      copies <= std::numeric_limits<qint16>::max();
    if (printDialogs_.accept && fits)
        resultModel_ = ModelResultTexts(ModelCalculation(inputModel_));
    const bool printed = printDialogs_.accept && fits && copies >= 1;
    if (QFile::exists(reportFile_) != printed)
        failure(printed ? QStringLiteral("no report file") : QStringLiteral("a report file"));
    checkAction();
    printing_ = false;
}

void MonkeyTest::printToRecordingSurface() {
    const auto copies = static_cast<qint16>(texts_.below(4) - 1);
    beginAction();
    printing_ = true;
    log(QStringLiteral("report of %1 copies on a recording surface").arg(copies));
    testing::RecordingSurface surface;
    PrintWindowReport(copies, *window_, surface);
    resultModel_ = ModelResultTexts(ModelCalculation(inputModel_));

    QStringList expected;  // the caption-and-value rows of one copy, in their places
    const auto row = [](const QString& caption, const QString& text) {
        const QString value = text.trimmed();
        return testing::TextAt10(value.isEmpty() ? caption : caption.leftJustified(40) + value);
    };
    for (std::size_t k = 0; k < kIdentificationCount; ++k)
        expected << row(kIdentificationCaptions[qsizetype(k)], idModel_[k]);
    for (std::size_t i = 0; i < kInputCount; ++i)
        expected << row(kInputCaptions[qsizetype(i)], inputModel_[i]);
    for (std::size_t j = 0; j < kResultCount; ++j)
        expected << row(kResultCaptions[qsizetype(j)], resultModel_[qsizetype(j)]);

    if (surface.documents.size() != std::max<int>(copies, 0))
        failure(QStringLiteral("%1 documents printed").arg(surface.documents.size()));
    for (const QStringList& lines : surface.documents) {
        const QStringList rows =
            lines.mid(10, 3) + lines.mid(16, kInputCount) + lines.mid(33, kResultCount);
        if (lines.size() != 53 || rows != expected)
            failure(QStringLiteral("the report does not show the boxes: %1")
                        .arg(lines.join(QLatin1Char('\n'))));
    }
    checkAction();
    printing_ = false;
}

void MonkeyTest::copyResults() {
    beginAction();
    log(QStringLiteral("Ctrl+Shift+C"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(keyTarget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QString table;
    for (std::size_t j = 0; j < kResultCount; ++j)
        table += kResultCaptions[qsizetype(j)] + QLatin1Char('\t') +
                 resultModel_[static_cast<qsizetype>(j)] + QLatin1Char('\n');
    if (QGuiApplication::clipboard()->text() != table)
        failure(QStringLiteral("copied: ") + QGuiApplication::clipboard()->text());
    checkAction();
}

/// About by a click or its access key: one About window, open and in front; the user then goes
/// back to the main window, which the About window stays above.
void MonkeyTest::pressAbout() {
    const bool byAccessKey = texts_.below(4) == 0;
    const QPointer<frmSplash> before = frmSplash::OpenInstance();
    beginAction();
    log(byAccessKey ? QStringLiteral("About by Alt+A") : QStringLiteral("About by click"));
    if (byAccessKey) {
        QTest::keyClick(keyTarget(), Qt::Key_A, Qt::AltModifier);
        // The access key animates the click: the button comes up a moment later.
        const bool pressed = QTest::qWaitFor(
            [] {
                return frmSplash::OpenInstance() != nullptr &&
                       QApplication::activeWindow() == frmSplash::OpenInstance();
            },
            1000);
        if (!pressed) failure(QStringLiteral("Alt+A did not press About"));
    } else {
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("cmdAbout")),
                          Qt::LeftButton);
    }
    if (before && frmSplash::OpenInstance() != before)
        failure(QStringLiteral("About opened a second window"));
    if (!QTest::qWaitFor([] { return QApplication::activeWindow() == frmSplash::OpenInstance(); },
                         1000))
        failure(QStringLiteral("the About window is not in front"));
    aboutOpen_ = true;
    returnToMainWindow();
    checkAction();
}

/// OK of the About window by a click, Enter or Esc; with no About window, About is pressed.
void MonkeyTest::closeAbout() {
    if (!aboutOpen_) return pressAbout();
    QPointer<frmSplash> about = frmSplash::OpenInstance();
    if (!about) return failure(QStringLiteral("the About window went away by itself"));
    const int how = texts_.below(3);
    beginAction();
    log(QStringLiteral("OK of the About window by %1")
            .arg(how == 0   ? QStringLiteral("click")
                 : how == 1 ? QStringLiteral("Enter")
                            : QStringLiteral("Esc")));
    if (how == 0) {
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    } else {
        // The user clicks the About window first, then presses the key.
        about->activateWindow();
        if (!QTest::qWaitForWindowActive(about))
            failure(QStringLiteral("the About window did not become active"));
        QTest::keyClick(about.data(), how == 1 ? Qt::Key_Return : Qt::Key_Escape);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!about.isNull()) failure(QStringLiteral("OK left the About window open"));
    aboutOpen_ = false;
    returnToMainWindow();
    checkAction();
}

/// Exit, with the About window open: the main window closes at once, and the program (the
/// application's event loop) ends only when OK closes the About window, its last window.
void MonkeyTest::pressExitLast() {
    if (!aboutOpen_) pressAbout();
    const bool byAccessKey = texts_.below(2) == 0;
    QPointer<frmSplash> about = frmSplash::OpenInstance();
    beginAction();
    log(byAccessKey ? QStringLiteral("Exit by Alt+X") : QStringLiteral("Exit by click"));
    bool aliveWithAboutAlone = false;
    QTimer::singleShot(0, window_.get(), [&] {
        if (byAccessKey) {
            QTest::keyClick(keyTarget(), Qt::Key_X, Qt::AltModifier);
        } else {
            QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("cmdExit")),
                              Qt::LeftButton);
        }
    });
    QTimer pressOk;
    connect(&pressOk, &QTimer::timeout, this, [&] {
        if (window_->isVisible() || !about) return;
        pressOk.stop();
        aliveWithAboutAlone = about->isVisible();
        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    pressOk.start(20);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    giveUp.start(5000);

    if (QApplication::exec() != 0) failure(QStringLiteral("the program did not end"));
    if (!aliveWithAboutAlone)
        failure(QStringLiteral("the program ended with the About window still open"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (window_->isVisible() || !about.isNull())
        failure(QStringLiteral("a window is still open after Exit and OK"));
}

// ---- Helpers of the actions ----

/// The user clicks the main window to go on working in it.
void MonkeyTest::returnToMainWindow() {
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get()))
        failure(QStringLiteral("the main window did not become active"));
}

/// Makes `tab` current by a click on the tab bar, itself a checked action. False when the
/// window went elsewhere (a refused run sends the user back to the Inputs tab).
bool MonkeyTest::bringTab(int tab) {
    if (window_->currentTab() == tab) return true;
    beginAction();
    log(QStringLiteral("click tab %1 to reach a box").arg(tab));
    clickTabBar(tab);
    checkAction();
    return failure_.isEmpty() && window_->currentTab() == tab;
}

/// Clicks into the box and types: replacing the text (mode 0 to 3), clearing it (4), after it (5)
/// or before it (6, 7). `modelText` is what the box must hold; none for a result box, which must
/// not change.
void MonkeyTest::editBox(QLineEdit* target, QString* modelText, const QString& text, int mode) {
    if (modelText != nullptr && modelText->size() > kLongestModelText && mode >= 5) mode = 0;

    beginAction();
    const int x = texts_.below(std::max(1, target->width()));
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(x, target->height() / 2));
    QString model = modelText != nullptr ? *modelText : QString();
    if (mode == 4) {
        const int how = texts_.below(3);
        log(QStringLiteral("clear %1 by %2")
                .arg(target->objectName(), how == 0   ? QStringLiteral("Delete")
                                           : how == 1 ? QStringLiteral("Backspace")
                                                      : QStringLiteral("Ctrl+X")));
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        if (how == 2) {
            QTest::keyClick(target, Qt::Key_X, Qt::ControlModifier);
        } else {
            QTest::keyClick(target, how == 0 ? Qt::Key_Delete : Qt::Key_Backspace);
        }
        model.clear();
    } else {
        const char* how = mode < 4 ? "replace" : mode < 6 ? "after" : "before";
        log(QStringLiteral("%1 %2 with \"%3\"")
                .arg(QLatin1String(how), target->objectName(), text.left(60)));
        const auto key = mode < 4 ? Qt::Key_A : mode < 6 ? Qt::Key_End : Qt::Key_Home;
        QTest::keyClick(target, key, mode < 4 ? Qt::ControlModifier : Qt::NoModifier);
        typeText(target, text);
        // Typing nothing over a selection leaves the selected text in place.
        if (mode < 4 && !text.isEmpty()) model = text;
        if (mode >= 4) model = mode < 6 ? model + text : text + model;
    }
    if (modelText != nullptr) *modelText = model;
    checkAction();
}

/// Types the text key by key; one key may carry a character that no single UTF-16 unit holds,
/// as a keyboard layout or an input method delivers it. Long texts are pasted.
void MonkeyTest::typeText(QLineEdit* target, const QString& text) {
    if (text.size() > 40) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        return;
    }
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype units = text.at(at).isHighSurrogate() ? 2 : 1;
        const QString character = text.mid(at, units);
        if (character.at(0).unicode() < 0x80) {
            QTest::keyClick(target, character.at(0).toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, character, Qt::NoModifier);
        }
        at += units;
    }
}

void MonkeyTest::clickTabBar(int tab) {
    QTest::mouseClick(tabBar(), Qt::LeftButton, {}, tabBar()->tabRect(tab).center());
}

/// Where a key goes: the focus widget, or the window when nothing in it has the focus.
QWidget* MonkeyTest::keyTarget() const {
    QWidget* focus = window_->focusWidget();
    return focus != nullptr ? focus : window_.get();
}

void MonkeyTest::log(const QString& action) {
    actionKind_ = action.section(QLatin1Char(' '), 0, 0);
    ++tally_[QStringLiteral("action ") + actionKind_];
    actions_.push_back(QStringLiteral("%1: %2 (tab %3)").arg(step_).arg(action).arg(tabBefore_));
    if (actions_.size() > kLoggedActions) actions_.pop_front();
}

// ---- Checks ----

void MonkeyTest::beginAction() {
    tabBefore_ = window_->currentTab();
    tabChanges_.clear();
}

/// After an action: the messages it showed, the tab and focus after a run, and every box.
void MonkeyTest::checkAction() {
    const std::vector<desktop::test::ShownBox> shown = messageBoxes_.take();
    // The last change reported is the user's own: one made inside a run is reported first,
    // from within the handler of the user's.
    const bool movedToOutputs = !tabChanges_.empty() && tabChanges_.back() == kOutputsTab;
    if (!tabChanges_.empty()) ++tally_[QStringLiteral("tab changed by ") + actionKind_];
    if (movedToOutputs && tabBefore_ != kOutputsTab) {
        checkCheckedRun(shown);
    } else {
        for (const desktop::test::ShownBox& box : shown)
            failure(QStringLiteral("a box outside a run: ") + Describe(box));
        if (tabChanges_.size() > 1) failure(QStringLiteral("the tab changed more than once"));
    }
    if (printing_ && window_->currentTab() != tabBefore_)
        failure(QStringLiteral("printing changed the tab"));
    checkTexts();
    checkAboutWindow();
}

/// The About window is open exactly when the model says, one at most, and in front of the main
/// window.
void MonkeyTest::checkAboutWindow() {
    int open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<frmSplash*>(widget) != nullptr && widget->isVisible()) ++open;
    if (open != (aboutOpen_ ? 1 : 0)) failure(QStringLiteral("%1 About windows open").arg(open));
    const frmSplash* about = frmSplash::OpenInstance();
    if (about != nullptr && !about->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        failure(QStringLiteral("the About window does not stay on top"));
}

void MonkeyTest::checkCheckedRun(const std::vector<desktop::test::ShownBox>& shown) {
    const CheckedRun expected = CheckedRunModel(inputModel_, shown).run();
    bool sameBoxes = shown.size() == expected.boxes.size();
    for (std::size_t b = 0; sameBoxes && b < shown.size(); ++b)
        sameBoxes = shown[b].sameBoxAs(expected.boxes[b]) &&
                    shown[b].stateWhenShown == QString::number(kOutputsTab);
    if (!sameBoxes) {
        QString seen;
        QString wanted;
        for (const desktop::test::ShownBox& box : shown)
            seen += Describe(box) + QStringLiteral(" on tab %1 ").arg(box.stateWhenShown);
        for (const desktop::test::ShownBox& box : expected.boxes)
            wanted += Describe(box) + QLatin1Char(' ');
        failure(
            QStringLiteral("boxes shown: %1; expected on the Outputs tab: %2").arg(seen, wanted));
    }
    if (expected.resultsWritten) resultModel_ = ModelResultTexts(ModelCalculation(inputModel_));
    ++tally_[expected.resultsWritten ? QStringLiteral("checked runs that wrote the results")
                                     : QStringLiteral("checked runs refused")];
    for (const desktop::test::ShownBox& box : shown)
        ++tally_[QStringLiteral("box ") + box.prompt.section(QLatin1String("\r\n"), 0, 0)];

    const int tabAfter = expected.sentBackTo ? kInputsTab : kOutputsTab;
    if (window_->currentTab() != tabAfter)
        failure(QStringLiteral("the run left tab %1 current").arg(window_->currentTab()));
    if (expected.sentBackTo && window_->focusWidget() != box("txtIn", *expected.sentBackTo))
        failure(QStringLiteral("the focus is not on txtIn_%1").arg(*expected.sentBackTo));
    for (int tab : tabChanges_) {
        if (tab != kInputsTab && tab != kOutputsTab)
            failure(QStringLiteral("the run turned to tab %1").arg(tab));
    }
}

void MonkeyTest::checkTexts() {
    const auto compare = [this](const char* group, std::size_t index, const QString& expected) {
        const QString actual = box(group, index)->text();
        if (actual != expected)
            failure(QStringLiteral("%1_%2 holds \"%3\" (%4 characters) instead of \"%5\" (%6)")
                        .arg(QLatin1String(group))
                        .arg(index)
                        .arg(actual.left(200))
                        .arg(actual.size())
                        .arg(expected.left(200))
                        .arg(expected.size()));
    };
    for (std::size_t k = 0; k < kIdentificationCount; ++k)
        compare("txtID", k, idModel_[k]);
    for (std::size_t i = 0; i < kInputCount; ++i)
        compare("txtIn", i, inputModel_[i]);
    for (std::size_t j = 0; j < kResultCount; ++j)
        compare("txtOut", j, resultModel_[static_cast<qsizetype>(j)]);
}

void MonkeyTest::failure(const QString& what) {
    if (failure_.isEmpty()) failure_ = what;
}

QLineEdit* MonkeyTest::box(const char* group, std::size_t index) const {
    return boxes_.value(QStringLiteral("%1_%2").arg(QLatin1String(group)).arg(index));
}

QTabBar* MonkeyTest::tabBar() const {
    return window_->findChild<QTabWidget*>(QStringLiteral("sstMain"))->tabBar();
}

VELTRANE_UI_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
