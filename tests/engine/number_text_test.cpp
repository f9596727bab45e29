// Reading input numbers and writing raw results, the same under every C locale.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "number_text.h"

namespace veltrane {
namespace {

struct AcceptedCase {
    std::string_view text;
    float value;
};

TEST(ReadInputNumber, shouldAcceptDecimalsWithOptionalLeadingZeroSignAndExponent) {
    constexpr float kMax = std::numeric_limits<float>::max();
    constexpr float kTiniest = std::numeric_limits<float>::denorm_min();
    const AcceptedCase cases[] = {
        {"14.7", 14.7F},
        {".001", 0.001F},
        {"0.5", 0.5F},
        {"5.", 5.0F},
        {"-2.5", -2.5F},
        {"+65", 65.0F},
        {"1.5e3", 1500.0F},
        {"1E-2", 0.01F},
        {"2e+1", 20.0F},
        {" 65 ", 65.0F},
        {"\t7\t", 7.0F},
        {"000012", 12.0F},
        {"-.5", -0.5F},
        {"+.5", 0.5F},
        {"3.4028235e38", kMax},
        {"-3.4028235e38", -kMax},
        {"1e-45", kTiniest},
        {"1e-50", 0.0F},
        {"0", 0.0F},
        // Seven figures and more round once, to the nearest float.
        {"35.5855", 35.5855F},
        {"0.1000000000000000055511151231257827", 0.1F},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        float value = -1.0F;
        ASSERT_EQ(ReadInputNumber(c.text, value), NumberError::None);
        EXPECT_EQ(value, c.value);
    }
    float negativeTiny = 1.0F;
    ASSERT_EQ(ReadInputNumber("-1e-60", negativeTiny), NumberError::None);
    EXPECT_EQ(negativeTiny, 0.0F);
    EXPECT_TRUE(std::signbit(negativeTiny));
}

TEST(ReadInputNumber, shouldRefuseAnythingElseAndLeaveTheValue) {
    const std::string_view notNumbers[] = {"",         " ",      "abc",
                                           "1,000",    "1 000",  "inf",
                                           "-inf",     "nan",    "NaN",
                                           "infinity", "0x10",   "1e",
                                           "e5",       ".",      "-",
                                           "+",        "+-1",    "--1",
                                           "-+1",      "1.2.3",  "1e5.5",
                                           "65F",      "\"65\"", "1e+",
                                           "٣",        "1\n",    std::string_view("1\0", 2)};
    for (const std::string_view text : notNumbers) {
        SCOPED_TRACE(std::string(text));
        float value = 42.0F;
        EXPECT_EQ(ReadInputNumber(text, value), NumberError::NotANumber);
        EXPECT_EQ(value, 42.0F);
    }
    const std::string_view tooLarge[] = {"1e39", "-1e39", "3.4028236e38", "1e99999999999999",
                                         "340282357000000000000000000000000000000"};
    for (const std::string_view text : tooLarge) {
        SCOPED_TRACE(std::string(text));
        float value = 42.0F;
        EXPECT_EQ(ReadInputNumber(text, value), NumberError::OutOfRange);
        EXPECT_EQ(value, 42.0F);
    }
}

std::string Shortest(float value) {
    char text[kNumberTextCapacity];
    return std::string(text, WriteShortest(text, value));
}

std::string Shortest(double value) {
    char text[kNumberTextCapacity];
    return std::string(text, WriteShortest(text, value));
}

std::string PlainShortest(float value) {
    char text[kNumberTextCapacity];
    return std::string(text, WritePlainShortest(text, value));
}

template <typename Real>
Real ReadBack(const std::string& text) {
    Real value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_EQ(error, std::errc()) << text;
    EXPECT_EQ(end, text.data() + text.size()) << text;
    return value;
}

TEST(WriteShortest, shouldReadBackToTheSameValueForAnyBitPattern) {
    std::mt19937_64 random(6);
    for (int i = 0; i < 200000; ++i) {
        const auto bits = random();
        float single = 0.0F;
        double twice = 0.0;
        const auto singleBits = static_cast<std::uint32_t>(bits);
        std::memcpy(&single, &singleBits, sizeof single);
        std::memcpy(&twice, &bits, sizeof twice);
        if (std::isfinite(single)) {
            const std::string text = Shortest(single);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(ReadBack<float>(text)), singleBits) << text;
            const std::string plain = PlainShortest(single);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(ReadBack<float>(plain)), singleBits) << plain;
            ASSERT_EQ(plain.find_first_of("eE"), std::string::npos) << plain;
        }
        if (std::isfinite(twice)) {
            const std::string text = Shortest(twice);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadBack<double>(text)), bits) << text;
        }
    }
}

TEST(WriteShortest, shouldWriteShortestTextsAndNonFiniteWords) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Shortest(35.5855F), "35.5855");
    EXPECT_EQ(Shortest(0.01F), "0.01");
    EXPECT_EQ(Shortest(13.5), "13.5");
    EXPECT_EQ(Shortest(kInf), "inf");
    EXPECT_EQ(Shortest(-kInf), "-inf");
    EXPECT_EQ(Shortest(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(Shortest(-std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(PlainShortest(0.6F), "0.6");
    EXPECT_EQ(PlainShortest(1.0e6F), "1000000");
    EXPECT_EQ(PlainShortest(1.0e-7F), "0.0000001");
    EXPECT_EQ(PlainShortest(std::numeric_limits<float>::max()).size(), 39U);
}

struct SignificantCase {
    double value;
    int digits;
    std::string_view text;
};

TEST(WriteSignificant, shouldRoundToTheDigitsAndWriteWithoutAnExponentInTheUsualRange) {
    const SignificantCase cases[] = {
        {13500000.0, 6, "13500000"},
        {500000.0, 6, "500000"},
        {0.08597847979746463, 6, "0.0859785"},
        {static_cast<double>(29.987436F), 6, "29.9874"},
        {static_cast<double>(0.010000001F), 6, "0.01"},
        {9.9999996, 6, "10"},  // rounding carries into a new leading digit
        {-0.00012345678, 4, "-0.0001235"},
        {0.000012345, 3, "0.0000123"},
        {1.5e-7, 6, "1.5e-07"},
        {123456789012345.0, 6, "123457000000000"},
        {1.23456789e15, 6, "1.23457e+15"},
        {-0.0, 6, "0"},
        {2.6, 0, "3"},  // one digit at least
        {std::numeric_limits<double>::infinity(), 6, "inf"},
        {std::numeric_limits<double>::quiet_NaN(), 6, "nan"},
    };
    for (const SignificantCase& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(SignificantText(c.value, c.digits).View(), c.text);
    }
}

TEST(PlainShortestText, shouldReadBackAsTheSameDoubleWithoutAnExponent) {
    for (const double value : {500000.0, 0.08597847979746463, 1e-30, 123456789.125}) {
        const std::string text(PlainShortestText(value).View());
        EXPECT_EQ(ReadBack<double>(text), value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    }
}

TEST(TrimBlanks, shouldDropSpacesAndTabsAroundOnly) {
    EXPECT_EQ(TrimBlanks(" \t a b \t "), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

}  // namespace
}  // namespace veltrane
