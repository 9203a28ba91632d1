#include "dialogs/latency_text.h"

#include <gtest/gtest.h>

namespace {

TEST(LatencyText, ParsesLikeTheCLibraryButNeverOverflows)
{
    EXPECT_EQ(ParseLatencyText("150"), 150);
    EXPECT_EQ(ParseLatencyText("  42ms"), 42);
    EXPECT_EQ(ParseLatencyText("-7"), -7);
    EXPECT_EQ(ParseLatencyText("+9"), 9);
    EXPECT_EQ(ParseLatencyText("abc"), 0);
    EXPECT_EQ(ParseLatencyText(""), 0);
    EXPECT_EQ(ParseLatencyText("- 5"), 0);
    EXPECT_EQ(ParseLatencyText(nullptr), 0);
    EXPECT_EQ(ParseLatencyText("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLatencyText("-99999999999999999999"), -2147483647);
}

TEST(LatencyText, LimitsAndValidity)
{
    EXPECT_EQ(LimitLatency(5), 10);
    EXPECT_EQ(LimitLatency(1000), 500);
    EXPECT_EQ(LimitLatency(-3), 10);
    EXPECT_EQ(LimitLatency(77), 77);
    EXPECT_TRUE(IsValidLatency(10));
    EXPECT_TRUE(IsValidLatency(500));
    EXPECT_FALSE(IsValidLatency(9));
    EXPECT_FALSE(IsValidLatency(501));
}

}  // namespace
