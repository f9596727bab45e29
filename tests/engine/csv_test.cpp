// The CSV reader and writer: records, line numbers and errors must not depend on how the source
// cuts the input into pieces, and what the writer writes in any format reads back as it was.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "byte_source.h"
#include "csv_reader.h"
#include "csv_writer.h"

namespace veltrane {
namespace {

struct ExpectedRecord {
    std::size_t line;
    std::vector<std::string> fields;
    std::string error;
};

struct ReaderCase {
    std::string_view name;
    std::string input;
    std::vector<ExpectedRecord> records;
    CsvFormat format{};
};

std::vector<ExpectedRecord> ReadAll(std::string_view input, std::size_t pieceSize,
                                    CsvFormat format = {}) {
    StringSource source(input, pieceSize);
    CsvReader reader(source, format);
    CsvRecord record;
    std::vector<ExpectedRecord> records;
    while (reader.Next(record)) {
        ExpectedRecord& read = records.emplace_back();
        read.line = record.line;
        read.error = record.error;
        read.fields.assign(record.fields.begin(), record.fields.end());
    }
    return records;
}

void ExpectRecords(const std::vector<ExpectedRecord>& expected,
                   const std::vector<ExpectedRecord>& actual) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(actual[i].line, expected[i].line);
        EXPECT_EQ(actual[i].error, expected[i].error);
        EXPECT_EQ(actual[i].fields, expected[i].fields);
    }
}

const std::vector<ReaderCase>& Cases() {
    using namespace std::string_literals;
    static const std::vector<ReaderCase> cases{
        {"plain", "a,b\n1,2\n", {{1, {"a", "b"}, ""}, {2, {"1", "2"}, ""}}},
        {"crlf, no final line end", "a,b\r\n1,2", {{1, {"a", "b"}, ""}, {2, {"1", "2"}, ""}}},
        {"lone cr", "a\rb\r", {{1, {"a"}, ""}, {2, {"b"}, ""}}},
        {"byte order mark dropped at the start only",
         "\xEF\xBB\xBF"
         "a\n\xEF\xBB\xBF",
         {{1, {"a"}, ""}, {2, {"\xEF\xBB\xBF"}, ""}}},
        {"blank lines skipped, still counted", "\n\r\n \t\na\n\n", {{4, {"a"}, ""}}},
        {"empty fields", ",\n,,", {{1, {"", ""}, ""}, {2, {"", "", ""}, ""}}},
        {"quoted empty field is a record", "\"\"\n", {{1, {""}, ""}}},
        {"quoted comma, doubled quotes and line end",
         "\"1,2\",\"say \"\"hi\"\"\",\"x\ny\"\nnext\n",
         {{1, {"1,2", "say \"hi\"", "x\ny"}, ""}, {3, {"next"}, ""}}},
        {"crlf inside quotes is one line",
         "\"a\r\nb\",c\r\nd\r\n",
         {{1, {"a\r\nb", "c"}, ""}, {3, {"d"}, ""}}},
        {"blanks around a quoted field", "a, \"b\" ,c\n", {{1, {"a", "b", "c"}, ""}}},
        {"blanks of an unquoted field kept", " a ,b\n", {{1, {" a ", "b"}, ""}}},
        {"quote inside an unquoted field is text", "ab\"c\n", {{1, {"ab\"c"}, ""}}},
        {"text after a closing quote",
         "\"1\"x,2\nok\n",
         {{1, {}, "text after a closing quote"}, {2, {"ok"}, ""}}},
        {"unterminated quote costs one record",
         "a,\"b\nc,d\ne",
         {{1, {}, "unterminated quote"}, {2, {"c", "d"}, ""}, {3, {"e"}, ""}}},
        {"unterminated quote on the last line",
         "a\n\"b",
         {{1, {"a"}, ""}, {2, {}, "unterminated quote"}}},
        {"nul and high bytes are text", "a\0b,\xFF\n"s, {{1, {"a\0b"s, "\xFF"}, ""}}},
        {"as many fields as may be",
         std::string(kMaxFieldsPerRecord - 1, ',') + "\nok\n",
         {{1, std::vector<std::string>(kMaxFieldsPerRecord), ""}, {2, {"ok"}, ""}}},
        {"one field too many, quoted ones among them",
         std::string(kMaxFieldsPerRecord - 1, ',') + ",\"a\"\"b\",\"c\nd\"\nok\n",
         {{1, {}, "more than 1000 fields"}, {3, {"ok"}, ""}}},
        {"semicolons, the comma a decimal mark",
         "1,5;\"a;b\";2\n",
         {{1, {"1,5", "a;b", "2"}, ""}},
         {';', ','}},
        {"tabs as a spreadsheet copies", "a b\t\"c\td\"\n", {{1, {"a b", "c\td"}, ""}}, {'\t'}},
        {"nothing at all", "", {}},
        {"byte order mark alone", "\xEF\xBB\xBF", {}},
    };
    return cases;
}

TEST(CsvReader, shouldReadEachCaseTheSameWhateverPiecesTheInputComesIn) {
    for (const ReaderCase& readerCase : Cases()) {
        for (const std::size_t pieceSize : {std::size_t{1}, std::size_t{2}, std::size_t{3},
                                            std::size_t{7}, std::size_t{1} << 16}) {
            SCOPED_TRACE(std::string(readerCase.name) + ", pieces of " + std::to_string(pieceSize));
            ExpectRecords(readerCase.records,
                          ReadAll(readerCase.input, pieceSize, readerCase.format));
        }
    }
}

TEST(CsvReader, shouldReadRecordsUpToTheLimitWholeAndRefuseLongerOnesAndTooManyFields) {
    const std::string longest(kMaxRecordBytes - 2, '7');  // with ",1" exactly at the limit
    const std::string overlong(kMaxRecordBytes + 1, '7');
    const std::string manyFields(1'000'000, ',');
    const std::string input = longest + ",1\n" + manyFields + "\n\"" + overlong + "\nx\",2\n" +
                              overlong + "\r\nend\n" + std::string(3 * kMaxRecordBytes, 'x');
    for (const std::size_t pieceSize : {std::size_t{4096}, std::size_t{1} << 20}) {
        SCOPED_TRACE("pieces of " + std::to_string(pieceSize));
        const std::vector<ExpectedRecord> records = ReadAll(input, pieceSize);
        const std::string tooLong = "a record of more than 1 MB (1048576 bytes)";
        ASSERT_EQ(records.size(), 7U);
        EXPECT_EQ(records[0].fields, (std::vector<std::string>{longest, "1"}));
        EXPECT_EQ(records[1].error, "more than 1000 fields");
        // An overlong record ends at its first line end, even inside quotes.
        EXPECT_EQ(records[2].line, 3U);
        EXPECT_EQ(records[2].error, tooLong);
        EXPECT_EQ(records[3].fields, (std::vector<std::string>{"x\"", "2"}));
        EXPECT_EQ(records[3].line, 4U);
        EXPECT_EQ(records[4].error, tooLong);
        EXPECT_EQ(records[4].line, 5U);
        EXPECT_EQ(records[5].fields, std::vector<std::string>{"end"});
        EXPECT_EQ(records[5].line, 6U);
        EXPECT_EQ(records[6].line, 7U);
        EXPECT_EQ(records[6].error, tooLong);
    }
}

TEST(CsvReader, shouldKeepReadingAfterEndOfInput) {
    StringSource source("a\n");
    CsvReader reader(source);
    CsvRecord record;
    EXPECT_TRUE(reader.Next(record));
    EXPECT_FALSE(reader.Next(record));
    EXPECT_FALSE(reader.Next(record));
}

struct WriterCase {
    std::string_view name;
    CsvFormat format;
    std::string expected;
};

// One row of awkward fields in each format: written as expected, read back as written.
TEST(CsvWriter, shouldQuoteWhatTheFormatNeedsAndReadBackTheSameFields) {
    const std::vector<std::string> fields{"plain", "a,b", "say \"hi\"", "x;y", "two\nlines", ""};
    const std::vector<WriterCase> cases{
        {"comma", {}, "plain,\"a,b\",\"say \"\"hi\"\"\",x;y,\"two\nlines\",,1.5\n"},
        {"semicolon, decimal comma",
         {';', ','},
         "plain;a,b;\"say \"\"hi\"\"\";\"x;y\";\"two\nlines\";;1,5\n"},
        {"comma, decimal comma",
         {',', ','},
         "plain,\"a,b\",\"say \"\"hi\"\"\",x;y,\"two\nlines\",,\"1,5\"\n"},
    };
    for (const WriterCase& writerCase : cases) {
        SCOPED_TRACE(writerCase.name);
        std::string written;
        CsvWriter writer([&written](std::string_view piece) { written += piece; },
                         writerCase.format);
        for (const std::string& field : fields) {
            writer.Field(field);
            writer.Comma();
        }
        writer.Number("1.5");
        writer.EndRow();
        writer.Flush();
        EXPECT_EQ(written, writerCase.expected);
        std::vector<std::string> expectedFields = fields;
        expectedFields.emplace_back(writerCase.format.decimalMark == ',' ? "1,5" : "1.5");
        ExpectRecords({{1, expectedFields, ""}}, ReadAll(written, 3, writerCase.format));
    }
}

TEST(CsvFormat, shouldReadTheDecimalMarkAndRefuseAGroupingMark) {
    const CsvFormat comma{';', ','};
    EXPECT_EQ(PlainNumberText("1,5", comma), "1.5");
    EXPECT_EQ(PlainNumberText("1.000", comma), std::nullopt);
    EXPECT_EQ(PlainNumberText("1.5", CsvFormat{}), "1.5");
}

TEST(CsvFormat, shouldTellTheConventionFromTheFirstLine) {
    struct Case {
        std::string_view text;
        CsvFormat expected;
    };
    const Case cases[] = {
        {"P,Twb,Tdb\n14.7,78,90\n", {',', '.'}},
        {"P;Twb;Tdb\r\n14,7;78;90\r\n", {';', ','}},
        // Commas of a caption, quoted or not, beside the semicolons that part the fields.
        {"\"Flow, %\";Twb;TCold\n", {';', ','}},
        {"Twb;90 % flow, 80 % range;90 % flow, 100 % range\n", {';', ','}},
        {"\"Twb; wet bulb\",Tdb\n", {',', '.'}},
        // The first record decides, however many semicolons the notes further down hold.
        {"\n\nTwb,Tdb,Notes\n1;2;3;4;5\n", {',', '.'}},
        {"78\t90\t1\n", {'\t', ','}},
        {"78\n", {',', '.'}},
        {"", {',', '.'}},
    };
    for (const Case& c : cases) {
        const CsvFormat format = CsvFormatOfText(c.text, ',');
        EXPECT_EQ(format.separator, c.expected.separator) << c.text;
        EXPECT_EQ(format.decimalMark, c.expected.decimalMark) << c.text;
    }
}

TEST(CsvFormat, shouldTakeOnlyPlainNumbersForNumbers) {
    for (const std::string_view number : {"28.5", "-1e-3", "1e40", ".5"})
        EXPECT_TRUE(IsPlainNumberText(number)) << number;
    for (const std::string_view text : {"", "28,5", "Twb", "inf", "pump off"})
        EXPECT_FALSE(IsPlainNumberText(text)) << text;
}

}  // namespace
}  // namespace veltrane
