// Rows read for a mode by the columns it declares: required columns, defaults, optional cells,
// passed-over output columns and the messages of fields that cannot be read.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "byte_source.h"
#include "row_reader.h"

namespace veltrane::cli {
namespace {

/// Columns of the kinds a mode may declare: required, with a default, optional and not negative.
constexpr std::array kColumns = {
    ColumnDefinition{"Twb", {"Inlet Air Wet Bulb Temp", Quantity::kTemperature}, ""},
    ColumnDefinition{"Flow", {"Circulating Water Flow", Quantity::kWaterFlow}, "1000"},
    ColumnDefinition{"FanPower", {"Fan Power", Quantity::kPower}, ""},
    ColumnDefinition{"Hours",
                     {"Hours", Quantity::kHours, UnitShown::kNever},
                     "",
                     false,
                     EmptyCell::kAbsent,
                     true},
};
constexpr std::array<Caption, 1> kPassedOver = {{{"Notes"}}};

struct ReadCase {
    std::string_view input;
    std::vector<std::string> rows;  ///< each row's texts joined by '/', "-" where it has none
    std::vector<std::string> messages;
    CsvFormat format{};
    bool refused = false;  ///< the source is refused whole for its form
};

constexpr CsvFormat kDecimalComma{';', ','};

std::string Joined(const Row& row) {
    std::string joined;
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        if (column > 0) joined += '/';
        joined += row.Has(column) ? std::string(row.texts[column]) : "-";
    }
    return joined;
}

TEST(RowReader, shouldReadTheDeclaredColumnsAndRefuseWhatCannotBeRead) {
    const ReadCase cases[] = {
        {"60,900,30\n61,,31\n", {"60/900/30/-"}, {"in.csv:2: Flow \"\" is not a number"}},
        {"twb,FANPOWER,Notes\n60,30,x\n", {"60/1000/30/-"}, {}},
        {"Twb,FanPower,Hours\n60,30,\n60,30,0\n60,30,-1\n60,30,1e39\n",
         {"60/1000/30/-", "60/1000/30/0"},
         {"in.csv:4: Hours \"-1\" is negative",
          "in.csv:5: Hours \"1e39\" is beyond the single-precision range"}},
        {"Twb,Flow\n60,900\n",
         {},
         {"in.csv:1: no column FanPower; no row of this file is calculated"}},
        {"Twb,FanPower,Twb\n60,30,61\n",
         {},
         {"in.csv:1: column \"Twb\" repeats Twb; no row of this file is calculated"}},
        {"Twb,FanPower\nx,30\n60,30,1\n",
         {},
         {"in.csv:2: Twb \"x\" is not a number", "in.csv:3: 3 fields where 2 are expected"}},
        // A decimal-comma file: its commas are decimal marks, and a '.' is a grouping mark that
        // would read a thousand as one.
        {"Twb;FanPower;Hours\n60,5;\"30,25\";1e3\n61;1.000;1\n",
         {"60.5/1000/30.25/1e3"},
         {"in.csv:3: FanPower \"1.000\" holds a '.', which a decimal-comma file uses for grouping"},
         kDecimalComma},
        {"Twb;FanPower\n60;30\n",
         {},
         {"in.csv:1: looks separated by ';': give --decimal-comma to read a decimal-comma file"},
         {},
         true},
        // Read as a decimal-comma file, the program's own form is one field a line: no header.
        {"Twb,FanPower\n60,30\n",
         {},
         {"in.csv:1: 1 field where 3 are expected", "in.csv:2: 1 field where 3 are expected"},
         kDecimalComma},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string(c.input));
        std::vector<std::string> messages;
        Problems problems([&](std::string_view line) { messages.emplace_back(line); });
        StringSource source(c.input, 3);
        RowReader reader(source, "in.csv", kColumns, kPassedOver, UnitSystem::kUS, problems,
                         c.format);
        std::vector<std::string> rows;
        Row row;
        for (RowReader::Event event = reader.Next(row); event != RowReader::Event::kEnd;
             event = reader.Next(row)) {
            if (event == RowReader::Event::kRow) rows.push_back(Joined(row));
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(problems.Any(), !c.messages.empty());
        EXPECT_EQ(problems.Refused(), c.refused);
    }
}

TEST(RowReader, shouldPutEachFieldInItsColumnWhateverTheHeadersOrder) {
    Problems problems([](std::string_view) {});
    StringSource source("Flow,FanPower,Twb\n1.5e3,12.5,65.25\n");
    RowReader reader(source, "in.csv", kColumns, kPassedOver, UnitSystem::kUS, problems);
    Row row;
    ASSERT_EQ(reader.Next(row), RowReader::Event::kHeader);
    ASSERT_EQ(reader.Next(row), RowReader::Event::kRow);
    EXPECT_EQ(row.values, (std::vector<float>{65.25F, 1500.0F, 12.5F, 0.0F}));
    EXPECT_EQ(row.line, 2U);
}

}  // namespace
}  // namespace veltrane::cli

namespace veltrane::cli {
namespace {

// A column whose header may name a unit is found by its short name with any parenthesised unit
// after it; the mode judges the unit. Other columns and other shapes are not.
TEST(FindColumn, shouldFindAColumnByItsShortNameWithAUnitOnlyWhereItTakesOne) {
    constexpr std::array kPower = {
        ColumnDefinition{"Twb", {"Inlet Air Wet Bulb Temp", Quantity::kTemperature}, ""},
        ColumnDefinition{"FanPower",
                         {"Fan Power", Quantity::kDimensionless},
                         "",
                         true,
                         EmptyCell::kRefused,
                         false,
                         {},
                         true},
    };
    struct Case {
        std::string_view name;
        std::size_t column;
    };
    const std::array<Case, 8> cases = {{
        {"FanPower", 1},
        {"FanPower (kW)", 1},
        {"fanpower(hp)", 1},
        {" FanPower  (W) ", 1},
        {"FanPower kW", 2},
        {"FanPower ()", 2},
        {"FanPowers (kW)", 2},
        {"Twb (F)", 2},
    }};
    for (const Case& c : cases)
        EXPECT_EQ(FindColumn(kPower, c.name), c.column) << c.name;
}

}  // namespace
}  // namespace veltrane::cli
