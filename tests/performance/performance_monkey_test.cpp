// A monkey at the performance window: thousands of random actions (typing good and bad numbers,
// pasting, switching tabs and the tower's source, exporting, copying, restoring the defaults),
// with the window's promises checked after each: nothing typed is changed, a box is marked
// exactly when its text is unusable, the results are those of the last usable inputs, and the
// operating point is a number only where there is one.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTableWidget>

#include <array>
#include <cmath>
#include <vector>

#include "acceptance_tab.h"
#include "window_fixture.h"
#include "year_tab.h"

namespace veltrane::performance::test {
namespace {

/// Plausible values of each field: any of them is usable.
struct Span {
    double low;
    double high;
};
constexpr std::array<Span, kFieldCount> kUsable{{
    {12.0, 15.5},     // P, psia
    {35.0, 85.0},     // Twb
    {40.0, 110.0},    // Tdb (below the wet bulb at times: a finding, not a refusal)
    {60.0, 150.0},    // THot
    {0.5, 30.0},      // Approach
    {0.2, 3.0},       // L/G
    {10.0, 20000.0},  // Flow
    {1.2, 10.0},      // Cycles
    {0.0, 0.2},       // Drift
    {40.0, 90.0},     // Makeup temp
    {0.1, 2.0},       // Fan press
    {20.0, 95.0},     // Fan eff
    {0.3, 5.0},       // C
    {0.0, 1.2},       // m
}};

/// A number as a user types it: the locale's decimal mark and no grouping mark, which no box
/// reads.
QString Typed(double value, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

/// Texts no box takes, whatever the field.
const std::array<const char*, 8> kUnusable{"", "  ", "abc", "1e39", "inf", "nan", "-", "1..2"};
/// Those that a paste into the bins keeps as they are (a first cell of letters is a header).
const std::array<const char*, 3> kUnusableCells{"1e39", "-", "1..2"};

class Monkey : public WindowFixture {
  protected:
    QRandomGenerator random{20261208};
    std::array<QString, kFieldCount> typed;
    std::array<bool, kFieldCount> usable;
    DesignInputs lastGood{};

    void SetUp() override {
        WindowFixture::SetUp();
        messages.answerWith(
            [](const desktop::test::ShownBox&) { return desktop::MessageAnswer::Ok; });
        rememberAll();
    }

    void rememberAll() {
        for (const Field field : AllFields()) {
            typed[static_cast<std::size_t>(field)] = box(field)->text();
            usable[static_cast<std::size_t>(field)] = true;
        }
        lastGood = model->calculation().inputs;
    }

    std::size_t pick(std::size_t count) {
        return static_cast<std::size_t>(random.bounded(static_cast<quint32>(count)));
    }

    double uniform(double low, double high) { return low + (high - low) * random.generateDouble(); }

    std::pair<QString, bool> someText(Field field) {
        const std::size_t i = static_cast<std::size_t>(field);
        switch (pick(6)) {
            case 0:
                return {QString::fromLatin1(kUnusable[pick(kUnusable.size())]), false};
            case 1:
                // Refused by the model where the field must be positive.
                if (field == FieldOf(Input::kLiquidGas) || field == Field::kTowerC) {
                    return {QStringLiteral("0"), false};
                }
                [[fallthrough]];
            default:
                return {
                    Typed(uniform(kUsable[i].low, kUsable[i].high), static_cast<int>(1 + pick(3))),
                    true};
        }
    }

    void act() {
        const Field field = static_cast<Field>(pick(kFieldCount));
        const std::size_t i = static_cast<std::size_t>(field);
        switch (pick(20)) {
            case 0:
                window->tabs()->setCurrentIndex(
                    static_cast<int>(pick(static_cast<std::size_t>(window->tabs()->count()))));
                window->tabs()->currentWidget()->grab();  // painted, faded or not
                break;
            case 1:
                find<QRadioButton>(pick(2) ? "towerGiven" : "towerThroughDesignPoint")->click();
                break;
            case 2:
                files.next = pick(2) ? folder.filePath(QStringLiteral("monkey.png"))
                                     : folder.filePath(QStringLiteral("none/monkey.svg"));
                window->exportChart();
                break;
            case 3:
                window->copyTable();
                break;
            case 5:
                pasteReading();
                break;
            case 6:
                switchUnits();
                break;
            case 7:
                pasteBins();
                break;
            case 4:
                if (pick(5) == 0) {
                    window->restoreDefaults();
                    rememberAll();
                }
                break;
            default: {
                if (!box(field)->isEnabled()) break;
                const auto [text, ok] = someText(field);
                // Typed key by key, a text passes through its beginnings ("1e3" on the way to
                // "1e39"), each of them an edit; an unusable text is pasted whole so that the
                // last usable inputs are known here.
                if (ok && pick(3) != 0) {
                    type(field, text);
                } else {
                    paste(field, text);
                }
                typed[i] = text;
                usable[i] = ok;
            }
        }
    }

    /// A reading somewhere around the design's, usable or not, pasted over one of the first rows.
    void pasteReading() {
        const double wetBulb = uniform(40.0, 85.0);
        const double hotWater = uniform(70.0, 120.0);
        QStringList cells;
        for (const double value :
             {uniform(12.0, 15.0), wetBulb, wetBulb + uniform(-2.0, 20.0), hotWater,
              hotWater - uniform(-5.0, 40.0), uniform(-10.0, 2000.0), uniform(-1.0, 20.0)}) {
            cells << Typed(value, static_cast<int>(pick(4)));
        }
        auto* acceptance = window->findChild<AcceptanceTab*>();
        acceptance->table()->setCurrentIndex(
            acceptance->readings().index(static_cast<int>(pick(3)), 0));
        acceptance->pasteReadings(cells.join(u'\t'));
    }

    /// Usable boxes are rewritten in the new units, marked ones keep their text; no value moves.
    void switchUnits() {
        std::array<float, kFieldCount> before{};
        for (const Field field : AllFields())
            before[static_cast<std::size_t>(field)] = model->value(field);
        window->setUnits(pick(2) ? UnitSystem::kSI : UnitSystem::kUS);
        for (const Field field : AllFields()) {
            const std::size_t i = static_cast<std::size_t>(field);
            ASSERT_EQ(model->value(field), before[i]) << "field " << i;
            if (usable[i]) typed[i] = box(field)->text();
        }
    }

    /// One to four bins pasted into the Year tab, now and then a cell no box takes: every cell
    /// keeps its text, is marked exactly when unusable, and a usable paste is the year's bins.
    void pasteBins() {
        auto* year = find<YearTab>("yearTab");
        std::vector<std::array<QString, 3>> rows(1 + pick(4));
        QString text;
        bool allUsable = true;
        for (std::array<QString, 3>& row : rows) {
            std::array<double, 3> values{};
            bool cellsUsable = true;
            for (std::size_t c = 0; c < row.size(); ++c) {
                const bool bad = pick(8) == 0;
                cellsUsable = cellsUsable && !bad;
                // Rounded as typed, so that the wet bulb is compared with the dry bulb the
                // window reads.
                values[c] =
                    std::round(10.0 * (c == 2 ? uniform(0.0, 3000.0)
                                              : uniform(30.0, 90.0) + (c == 1 ? 8.0 : 0.0))) /
                    10.0;
                row[c] = bad ? QString::fromLatin1(kUnusableCells[pick(kUnusableCells.size())])
                             : Typed(values[c], 1);
            }
            // Air whose wet bulb is above its dry bulb is refused, as the batch tool refuses it.
            allUsable = allUsable && cellsUsable && values[0] <= values[1];
            text += row[0] + u'\t' + row[1] + u'\t' + row[2] + u'\n';
        }
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(year->binsTable(), QKeySequence::Paste);
        const YearModel& bins = year->yearModel();
        ASSERT_EQ(bins.rowCount(), static_cast<int>(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < 3; ++c) {
                const QModelIndex cell = bins.index(static_cast<int>(r), static_cast<int>(c));
                ASSERT_EQ(cell.data().toString(), rows[r][c]);
            }
        }
        ASSERT_EQ(year->problemText().isEmpty(), allUsable) << text.toStdString();
        if (allUsable && year->year()) {
            ASSERT_EQ(year->year()->bins.size(), rows.size());
        }
    }

    void checkPromises(int step) {
        SCOPED_TRACE(::testing::Message() << "after action " << step);
        bool allUsable = true;
        for (const Field field : AllFields()) {
            const std::size_t i = static_cast<std::size_t>(field);
            QLineEdit* edit = box(field);
            ASSERT_EQ(edit->text(), typed[i]) << "field " << i;
            ASSERT_EQ(model->problem(field).isEmpty(), usable[i]) << typed[i].toStdString();
            ASSERT_EQ(edit->styleSheet().isEmpty(), usable[i]);
            allUsable = allUsable && usable[i];
        }
        const Calculation& c = model->calculation();
        if (allUsable) {
            for (const Input input : kAllInputs) {
                ASSERT_EQ(c.inputs[input], model->value(FieldOf(input)));
            }
            lastGood = c.inputs;
        } else {
            ASSERT_EQ(c.inputs, lastGood);
            ASSERT_TRUE(window->statusText().endsWith(
                QStringLiteral("; the results are those of the last usable inputs.")));
        }
        // A number for the operating point only where the chart has one.
        const bool rated = c.chart.operatingPoint.has_value();
        ASSERT_EQ(find<QLabel>("operatingColdWater")->text().isEmpty(), !rated);
        ASSERT_EQ(find<QLabel>("operatingNote")->text().startsWith(QStringLiteral("No ")), !rated);
        // A capability is a number or the reason there is none, never an infinity or a NaN.
        const QString capability = find<QLabel>("capability")->text();
        ASSERT_FALSE(capability.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
                     capability.contains(QStringLiteral("inf"), Qt::CaseInsensitive))
            << capability.toStdString();
    }
};

TEST_F(Monkey, shouldKeepEveryPromiseThroughThousandsOfRandomActions) {
    constexpr int kActions = 4000;
    for (int step = 1; step <= kActions; ++step) {
        act();
        checkPromises(step);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace veltrane::performance::test
