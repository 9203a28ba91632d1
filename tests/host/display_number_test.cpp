#include "model/display_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string Format(double v)
{
    char text[kDisplayNumberSize];
    FormatDisplayNumber(v, text, sizeof text);
    return text;
}

TEST(FormatDisplayNumber, DropsDigitsPastTheSecondDecimalAfterRoundingAtTheSeventh)
{
    const struct { double value; const char* shown; } rows[] = {
        {2.975, "2.97"}, {-12.386, "-12.38"}, {0.3, "0.30"}, {0.05, "0.05"}, {0.0, "0.00"}, {-89.9999967, "-89.99"},
        {3.0, "3.00"}, {4000.002, "4000.00"},
        // Small magnitudes keep their minus sign.
        {0.0004, "0.00"}, {-0.004, "-0.00"}, {0.009, "0.00"}, {0.01, "0.01"}, {-0.5, "-0.50"},
        // 0.99999996 rounds to 1.0000000 at seven places, so it shows 1.00.
        {0.99999996, "1.00"}, {-89.99999996, "-90.00"}, {1.99499999, "1.99"},
    };
    for (const auto& row : rows) EXPECT_EQ(Format(row.value), row.shown) << ::testing::PrintToString(row.value);
}

TEST(FormatDisplayNumber, WholeDoubleRangeStaysInsideTheBuffer)
{
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(Format(std::nan("")), "NAN");
    const std::string big = Format(DBL_MAX);
    EXPECT_EQ(big.size(), 309u + 3u);
    EXPECT_EQ(big.substr(big.size() - 3), ".00");
    EXPECT_EQ(Format(-DBL_MAX).size(), 309u + 4u);
    EXPECT_EQ(Format(DBL_MIN), "0.00");
    EXPECT_EQ(Format(-DBL_TRUE_MIN), "-0.00");

    // A short buffer gets a truncated but terminated text.
    char small[4];
    std::memset(small, 'x', sizeof small);
    FormatDisplayNumber(123.456, small, sizeof small);
    EXPECT_STREQ(small, "123");
}

}  // namespace
