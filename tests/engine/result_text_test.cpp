#include "result_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace veltrane {
namespace {

struct TextCase {
    float value;
    const char* text;
};

class ResultTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(ResultTextTable, shouldRoundToFiveFiguresInPositionalForm) {
    EXPECT_EQ(ResultText(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ResultTextTable,
    ::testing::Values(TextCase{78.0F, "78."}, TextCase{13.5F, "13.5"},
                      TextCase{1.234567F, "1.2346"}, TextCase{0.71234F, ".71234"},
                      TextCase{1234567.0F, "1,234,600."}, TextCase{-2.5F, "-2.5"},
                      TextCase{0.0F, "."}, TextCase{-0.0F, "."},
                      // Rounding the binary value would give 35.585.
                      TextCase{35.5855F, "35.586"}, TextCase{99999.5F, "100,000."},
                      TextCase{-99999.5F, "-100,000."}, TextCase{0.000123456F, ".00012346"},
                      TextCase{1e-10F, ".0000000001"},
                      // Beyond fourteen fractional digits the text rounds, and may vanish.
                      TextCase{1.23456e-12F, ".00000000000123"}, TextCase{4e-15F, "."},
                      TextCase{9.99996e-15F, ".00000000000001"},
                      TextCase{3.4028235e38F,
                               "340,280,000,000,000,000,000,000,000,000,000,000,000."},
                      TextCase{std::numeric_limits<float>::infinity(), "Infinity"},
                      TextCase{-std::numeric_limits<float>::infinity(), "-Infinity"},
                      TextCase{std::numeric_limits<float>::quiet_NaN(), "NaN"}));

TEST(ResultText, shouldRoundADoubleFromFifteenFigures) {
    EXPECT_EQ(ResultText(13.5), "13.5");
    EXPECT_EQ(ResultText(-4.0), "-4.");
    // 2.000049999999999999 has fifteen figures 2.00005000000000: halves go away from zero.
    EXPECT_EQ(ResultText(2.0000499999999999), "2.0001");
    EXPECT_EQ(ResultText(1234567.0), "1,234,600.");
}

TEST(ResultText, shouldUseTheLocaleMarks) {
    const NumberMarks german{".", ","};
    EXPECT_EQ(ResultText(1.832371F, german), "1,8324");
    EXPECT_EQ(ResultText(1234567.0F, german), "1.234.600,");
    const NumberMarks french{"\u202f", ","};
    EXPECT_EQ(ResultText(121551.0F, french), "121\u202f550,");
}

TEST(ReadableResultText, shouldDropTheBareMarkAndLeadWithAZero) {
    const NumberMarks german{".", ","};
    const struct {
        float value;
        NumberMarks marks;
        std::string_view expected;
    } cases[] = {
        {78.0F, {}, "78"},
        {100.0F, german, "100"},
        {0.71234F, {}, "0.71234"},
        {-0.5F, german, "-0,5"},
        {0.0F, {}, "0"},
        {-0.0F, german, "0"},
        {73659.0F, german, "73.659"},
        {1234567.0F, {}, "1,234,600"},
        {13.5F, german, "13,5"},
        {std::numeric_limits<float>::infinity(), {}, "Infinity"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadableResultText(c.value, c.marks), c.expected) << c.value;
    EXPECT_EQ(ReadableResultText(0.25, {}), "0.25");
}

}  // namespace
}  // namespace veltrane
