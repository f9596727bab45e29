// The batch run on in-memory input: raw results read back exactly, headers are told from data,
// the calculator reads its own output back, and no input makes a message unbounded.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "batch_calculator.h"
#include "byte_source.h"
#include "csv_reader.h"
#include "csv_rows.h"
#include "input_columns.h"
#include "performance.h"

// Every allocation of the test program is counted, so that a test can tell whether the batch run
// allocates per row.
namespace {
std::atomic<std::size_t> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

// std::stable_sort takes its buffer from the nothrow form and gives it back through the plain
// delete below: both forms must come from malloc, or the sanitizer sees new freed by free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}

// The replaced operator new takes its memory from malloc, so free is its match; once inlined, GCC
// cannot see that and warns.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace veltrane::cli {
namespace {

struct RunOutput {
    std::string csv;
    std::vector<std::string> messages;
    bool hadErrors = false;
};

BatchSettings Settings(bool raw, bool check, std::vector<Sweep> sweeps = {}) {
    BatchSettings settings;
    settings.raw = raw;
    settings.check = check;
    settings.sweeps = std::move(sweeps);
    return settings;
}

RunOutput Calculate(std::string_view input, BatchSettings settings = {}) {
    RunOutput run;
    BatchCalculator calculator(
        std::move(settings), [&](std::string_view piece) { run.csv += piece; },
        [&](std::string_view line) { run.messages.emplace_back(line); });
    calculator.WriteHeader();
    StringSource source(input, 5);
    calculator.CalculateSource(source, "in.csv");
    calculator.Flush();
    run.hadErrors = calculator.HadErrors();
    return run;
}

using test::DataRows;

template <typename Real>
Real ReadBack(const std::string& text) {
    Real value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::uint64_t BitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}
std::uint32_t BitsOf(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

TEST(BatchCalculator, shouldWriteRawResultsThatReadBackToTheCalculatedValues) {
    const std::vector<DesignInputs> designs = {
        DefaultDesignInputs(),
        {14.2F, 71.3F, 93.1F, 118.7F, 9.25F, 1.37F, 23456.7F, 4.5F, 0.0123F, 55, 0.71F, 82.5F},
        {13.9F, 48.2F, 60.0F, 95.5F, 17.75F, 0.63F, 512.0F, 2.2F, 0.0007F, 70, 0.45F, 61.0F},
    };
    std::string input;
    for (const DesignInputs& design : designs) {
        for (const Input i : kAllInputs) {
            char text[32];
            input.append(text, std::to_chars(text, text + sizeof text, design[i]).ptr);
            input += i != kAllInputs.back() ? ',' : '\n';
        }
    }
    const RunOutput run = Calculate(input, Settings(true, false));
    const auto rows = DataRows(run.csv);
    ASSERT_EQ(rows.size(), designs.size());
    for (std::size_t d = 0; d < designs.size(); ++d) {
        const PerformanceResults expected = CalculatePerformance(designs[d]);
        ASSERT_EQ(rows[d].size(), kInputCount + kResultCount);
        for (const Result j : kAllResults) {
            const std::string& text = rows[d][kInputCount + PositionOf(j)];
            SCOPED_TRACE("design " + std::to_string(d) + " result " +
                         std::to_string(PositionOf(j)) + ": " + text);
            // Each result reads back bit for bit in the precision it was formed in.
            expected.Visit(j, [&text](auto value) {
                EXPECT_EQ(BitsOf(ReadBack<decltype(value)>(text)), BitsOf(value));
            });
        }
    }
}

TEST(BatchCalculator, shouldWriteRatedRowsThatADesignRunGivesTheTowersKaVLBackFrom) {
    const TowerCharacteristic tower{2.3F, 0.75F};
    const std::string input =
        "P,Twb,Tdb,THot,Approach,LG,Hours\n14.59,78,88,105,7,1.21,100\n14.7,50,60,70,5,2.5,1\n"
        "14.7,65,85,105,13,1,1\n";
    std::string error;
    BatchSettings settings = Settings(true, false, {*ParseSweep("Twb=40:80:10", error)});
    settings.mode = RateSettings{tower};
    const RunOutput rated = Calculate(input, settings);
    ASSERT_FALSE(rated.hadErrors) << rated.messages.front();
    const RunOutput designed = Calculate(rated.csv, Settings(true, false));
    ASSERT_FALSE(designed.hadErrors) << designed.messages.front();
    const auto ratedRows = DataRows(rated.csv);
    const auto designedRows = DataRows(designed.csv);
    ASSERT_EQ(designedRows.size(), 15U);
    ASSERT_EQ(designedRows.size(), ratedRows.size());
    constexpr std::size_t kFirstResult = kInputCount + 1;  // after Hours
    for (std::size_t r = 0; r < ratedRows.size(); ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        // The design run of the written Approach and THot is the operating point itself.
        for (std::size_t j = 0; j < kResultCount + kBinColumnCount; ++j)
            EXPECT_EQ(designedRows[r][kFirstResult + j], ratedRows[r][kFirstResult + j]);
        const float liquidGas = ReadBack<float>(designedRows[r][PositionOf(Input::kLiquidGas)]);
        const float kaVL =
            ReadBack<float>(designedRows[r][kFirstResult + PositionOf(Result::kKaVL)]);
        EXPECT_NEAR(kaVL, TowerKaVL(tower, liquidGas), 1e-5F * kaVL);
    }
}

struct HoursCase {
    std::string_view input;
    std::vector<std::string> messages;
    std::size_t rows;
};

TEST(BatchCalculator, shouldTakeHoursThatAreANumberNotBelowZeroAndAnEmptyCellAsNone) {
    const HoursCase cases[] = {
        {"Twb,Hours\n65,10\n", {}, 1},
        {"Twb,Hours\n65,\n", {}, 1},
        {"Twb,Hours\n65,0\n", {}, 1},
        {"Twb,Hours\n65,-5\n", {"in.csv:2: Hours \"-5\" is negative"}, 0},
        {"Twb,Hours\n65,ten\n", {"in.csv:2: Hours \"ten\" is not a number"}, 0},
        {"Twb,Hours,hours\n65,1,2\n",
         {"in.csv:1: column \"hours\" repeats Hours; no row of this file is calculated"},
         0},
    };
    for (const HoursCase& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        const RunOutput run = Calculate(c.input, Settings(false, false));
        EXPECT_EQ(run.messages, c.messages);
        const auto rows = DataRows(run.csv);
        ASSERT_EQ(rows.size(), c.rows);
        // Rows with Hours take the exact leaving air, whose absence Notes would say.
        for (const auto& row : rows)
            EXPECT_EQ(row.size(), kInputCount + 1 + kResultCount + kBinColumnCount + 1);
    }
}

TEST(BatchCalculator, shouldLeaveRowsWithoutAnOperatingPointOutOfTheTotalsAndSaySo) {
    BatchSettings settings = Settings(true, false);
    settings.mode = RateSettings{{{30.0F, 0.6F}}};
    settings.totals = true;
    // The window's leaving air, asked for, wins over the exact one rows with Hours take: the
    // rated row has figures by it.
    settings.askedLeavingAir = LeavingAirRule::kWindow;
    std::string csv;
    BatchCalculator calculator(
        std::move(settings), [&](std::string_view piece) { csv += piece; },
        [](std::string_view) {});
    calculator.WriteHeader();
    // At L/G 0.5 this tower is larger than the demand; at L/G 3 it is rated.
    StringSource source("Twb,THot,Approach,LG,Hours\n65,85,10,0.5,100\n65,85,10,3,300\n");
    calculator.CalculateSource(source, "in.csv");
    calculator.WriteTotals();
    calculator.Flush();
    const auto rows = DataRows(csv);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0][kInputCount + 1 + PositionOf(Result::kKaVL)], "");
    EXPECT_NE(rows[1][kInputCount + 1 + PositionOf(Result::kKaVL)], "");
    EXPECT_EQ(rows[2][kInputCount], "300");
    // The mean of one row is its cold water temperature, written as the double it is.
    EXPECT_EQ(ReadBack<double>(rows[2][kInputCount + 1 + PositionOf(Result::kColdWater)]),
              static_cast<double>(
                  ReadBack<float>(rows[1][kInputCount + 1 + PositionOf(Result::kColdWater)])));
    EXPECT_EQ(rows[2].back(),
              "totals of 1 row with Hours; Cold Water Out Temp is their hours-weighted mean; "
              "left out: 1 row without results (in.csv:2; 100 hours)");
}

TEST(BatchCalculator, shouldSayWhenALaterInputsHoursCannotBeWritten) {
    std::vector<std::string> messages;
    std::string csv;
    BatchCalculator calculator(
        Settings(false, false), [&](std::string_view piece) { csv += piece; },
        [&](std::string_view line) { messages.emplace_back(line); });
    calculator.WriteHeader();
    StringSource first("Twb\n65\n");
    calculator.CalculateSource(first, "first.csv");
    StringSource second("Twb,Hours\n70,100\n");
    calculator.CalculateSource(second, "second.csv");
    calculator.Flush();
    // Every row is still calculated and written: a note, not a failure of the run.
    EXPECT_FALSE(calculator.HadErrors());
    EXPECT_EQ(messages, std::vector<std::string>{"second.csv:1: Hours is not written, as the first "
                                                 "input had none; give --totals to write it"});
    EXPECT_EQ(DataRows(csv).size(), 2U);
}

TEST(BatchCalculator, shouldEscapeControlBytesOfAFileNameInItsMessages) {
    const struct {
        std::string_view name;
        std::string message;
    } cases[] = {
        {"in.csv", "in.csv:2: Twb \"x\" is not a number"},
        {"a\x1B[2J.csv", "a\\x1B[2J.csv:2: Twb \"x\" is not a number"},
        {"two\nlines\x7F", "two\\x0Alines\\x7F:2: Twb \"x\" is not a number"},
        {"caf\xC3\xA9.csv", "caf\xC3\xA9.csv:2: Twb \"x\" is not a number"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> messages;
        BatchCalculator calculator(
            Settings(false, false), [](std::string_view) {},
            [&](std::string_view line) { messages.emplace_back(line); });
        StringSource source("Twb\nx\n");
        calculator.CalculateSource(source, c.name);
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
    }
}

TEST(BatchCalculator, shouldSayInTheTotalsWhenTheHoursExceedALeapYear) {
    const struct {
        std::string_view input;
        std::string note;
    } cases[] = {
        {"Twb,Hours\n65,8000\n70,784\n",
         "totals of 2 rows with Hours; Cold Water Out Temp is their hours-weighted mean"},
        {"Twb,Hours\n65,8000\n70,785\n",
         "totals of 2 rows with Hours; Cold Water Out Temp is their hours-weighted mean; the "
         "Hours add up to 8785, more than the 8784 of a leap year"},
        {"Twb,Hours\n65,8760\n65,8760\n",
         "totals of 2 rows with Hours; Cold Water Out Temp is their hours-weighted mean; the "
         "Hours add up to 17520, more than the 8784 of a leap year"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        BatchSettings settings = Settings(true, false);
        settings.totals = true;
        std::string csv;
        BatchCalculator calculator(
            std::move(settings), [&](std::string_view piece) { csv += piece; },
            [](std::string_view) {});
        calculator.WriteHeader();
        StringSource source(c.input);
        calculator.CalculateSource(source, "in.csv");
        calculator.WriteTotals();
        calculator.Flush();
        const auto rows = DataRows(csv);
        ASSERT_EQ(rows.size(), 3U);
        EXPECT_EQ(rows[2].back(), c.note);
        EXPECT_FALSE(calculator.HadErrors());
    }
}

TEST(BatchCalculator, shouldReadItsOwnOutputBackToTheSameOutput) {
    const std::string input = "Twb,Approach\n65,13\n70,8.5\n";
    for (const bool check : {false, true}) {
        const RunOutput first = Calculate(input, Settings(false, check));
        const RunOutput second = Calculate(first.csv, Settings(false, check));
        EXPECT_TRUE(second.messages.empty()) << second.messages.front();
        EXPECT_EQ(second.csv, first.csv);
    }
}

struct FirstRowCase {
    std::string_view input;
    std::size_t rowsWritten;
    std::vector<std::string> messages;
};

TEST(BatchCalculator, shouldTakeAFirstRowThatNamesColumnsForAHeaderOnly) {
    const FirstRowCase cases[] = {
        // All numbers: data.
        {"14.7,65,85,105,13,1,1000,3,.001,60,0.5,75\n", 1, {}},
        // Names nothing the calculator knows: a data row with a bad field.
        {"14.7,sixty,85,105,13,1,1000,3,.001,60,0.5,75\n14.7,65,85,105,13,1,1000,3,.001,60,0.5,"
         "75\n",
         1,
         {"in.csv:1: Twb \"sixty\" is not a number"}},
        // Names columns, one of them wrongly: nothing of the file can be read.
        {"P,Twb,Apporach\n14.7,65,13\n",
         0,
         {"in.csv:1: unknown column \"Apporach\"; no row of this file is calculated"}},
        {"P,p\n1,2\n", 0, {"in.csv:1: column \"p\" repeats P; no row of this file is calculated"}},
        {"P,,Twb\n1,2,3\n",
         0,
         {"in.csv:1: column 2 has no name; no row of this file is calculated"}},
        // A malformed first record does not stop a header after it.
        {"\"P\"x\nTwb\n60\n", 1, {"in.csv:1: text after a closing quote"}},
    };
    for (const FirstRowCase& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        const RunOutput run = Calculate(c.input);
        EXPECT_EQ(DataRows(run.csv).size(), c.rowsWritten);
        EXPECT_EQ(run.messages, c.messages);
        EXPECT_EQ(run.hadErrors, !c.messages.empty());
    }
}

// A line just under the record limit (longer ones are refused whole, see csv_test.cpp).
TEST(BatchCalculator, shouldKeepMessagesShortForALineOfAMegabyte) {
    const std::string junk(1'000'000, '\x01');
    const std::string input = "Twb\n" + junk + "\n60\n";
    const RunOutput run = Calculate(input);
    ASSERT_EQ(run.messages.size(), 1U);
    EXPECT_EQ(run.messages[0].substr(0, 19), "in.csv:2: Twb \"\\x01");
    EXPECT_LT(run.messages[0].size(), 300U);
    EXPECT_EQ(DataRows(run.csv).size(), 1U);
}

TEST(BatchCalculator, shouldRepeatEveryRowOverTheSweepsFirstSweepSlowest) {
    std::string error;
    BatchSettings settings;
    settings.sweeps.push_back(*ParseSweep("Cycles=2:3:1", error));
    settings.sweeps.push_back(*ParseSweep("Approach=10:12:2", error));
    const RunOutput run = Calculate("Flow\n1000\n2000\n", settings);
    std::vector<std::string> seen;
    for (const auto& row : DataRows(run.csv)) {
        seen.push_back(row[PositionOf(Input::kWaterFlow)] + "/" + row[PositionOf(Input::kCycles)] +
                       "/" + row[PositionOf(Input::kApproach)]);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1000/2/10", "1000/2/12", "1000/3/10", "1000/3/12",
                                              "2000/2/10", "2000/2/12", "2000/3/10", "2000/3/12"}));
}

/// Switches the C locale to one with a decimal comma for the life of the object. CTest compiles
/// de_DE.UTF-8 into LOCPATH for these tests; elsewhere an installed one may do.
class DecimalCommaLocale {
  public:
    DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                active_ = true;
                return;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
    [[nodiscard]] bool Active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

TEST(BatchCalculator, shouldWriteTheSameOutputWhateverTheCLocale) {
    const std::string input = "Twb,Approach,Drift\n65,13,.001\n70.5,6.5,1.5e-3\n85.5,5,0\n";
    std::string error;
    BatchSettings settings = Settings(false, true, {*ParseSweep("LG=0.5:1.5:0.25", error)});
    BatchSettings rawSettings = settings;
    rawSettings.raw = true;
    const RunOutput inC = Calculate(input, settings);
    const RunOutput rawInC = Calculate(input, rawSettings);

    const DecimalCommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma can be set";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::optional<Sweep> sweep = ParseSweep("LG=0.5:1.5:0.25", error);
    ASSERT_TRUE(sweep.has_value()) << error;
    EXPECT_EQ(Calculate(input, settings).csv, inC.csv);
    EXPECT_EQ(Calculate(input, rawSettings).csv, rawInC.csv);
    EXPECT_NE(inC.csv.find("\n14.7,70.5,85,105,6.5,0.75,1000,3,1.5e-3,60,0.5,75,"),
              std::string::npos);
}

/// Allocations made while `rows` copies of one design are calculated with --raw.
std::size_t AllocationsForRows(std::size_t rows) {
    std::string input;
    for (std::size_t i = 0; i < rows; ++i)
        input += "14.2,71.3,93.1,118.7,9.25,1.37,23456.7,4.5,0.0123,55,0.71,82.5\n";
    std::size_t bytesOut = 0;
    BatchCalculator calculator(
        Settings(true, false), [&](std::string_view piece) { bytesOut += piece.size(); },
        [](std::string_view) {});
    StringSource source(input);
    const std::size_t before = allocationCount;
    calculator.CalculateSource(source, "in.csv");
    calculator.Flush();
    const std::size_t made = allocationCount - before;
    EXPECT_GT(bytesOut, rows * 100);
    return made;
}

TEST(BatchCalculator, shouldAllocateNothingPerRowWithRawResults) {
    EXPECT_EQ(AllocationsForRows(20000), AllocationsForRows(100));
}

}  // namespace
}  // namespace veltrane::cli
