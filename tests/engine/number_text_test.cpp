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

TEST(TrimBlanks, shouldDropSpacesAndTabsAroundOnly) {
    EXPECT_EQ(TrimBlanks(" \t a b \t "), "a b");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

}  // namespace
}  // namespace veltrane
