// The master slider: pointer height to position to volume, and the cap's place.
#include "widgets/slider_curve.h"

#include "model/display_number.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Shown(double dB)
{
    char text[kDisplayNumberSize];
    FormatDisplayNumber(dB, text, sizeof text);
    return text;
}

TEST(SliderCurve, HeightPositionVolumeAndDisplayText)
{
    const struct {
        uint16_t y;
        uint16_t position;
        const char* shown;
    } rows[] = {
        {14, 0, "3.00"}, {20, 32, "0.00"}, {21, 38, "-0.44"}, {42, 150, "-6.10"}, {70, 300, "-89.99"},
    };
    for (const auto& row : rows) {
        const uint16_t position = SliderPositionFromY(row.y, 300);
        EXPECT_EQ(position, row.position) << "y " << row.y;
        EXPECT_EQ(Shown(SliderVolumeDb(position)), row.shown) << "y " << row.y;
    }
}

TEST(SliderCurve, PositionThirtyTwoIsExactlyZeroDecibels)
{
    EXPECT_EQ(SliderVolumeDb(32), 0.0);
    EXPECT_EQ(SliderVolumeDb(0), 3.0);
    // The curve alone would sit a little below 0 there.
    EXPECT_LT(SliderVolumeDb(31), 0.0);
    EXPECT_GT(SliderVolumeDb(31), -0.1);
    EXPECT_NEAR(SliderVolumeDb(300), -90.0, 0.01);
}

TEST(SliderCurve, TheVolumeFallsAllTheWayDownTheTrack)
{
    double previous = SliderVolumeDb(0);
    for (uint16_t p = 1; p <= 300; ++p) {
        if (p == 32 || p == 33) continue;  // the 0 dB detent sits just above the curve
        EXPECT_LT(SliderVolumeDb(p), previous) << p;
        previous = SliderVolumeDb(p);
    }
}

TEST(SliderCurve, RoundsHalvesUpward)
{
    // (y - 14) / 56 x 112 = 2 (y - 14) + 0.5 halves: y 15 with maximum 28 gives 0.5.
    EXPECT_EQ(SliderPositionFromY(15, 28), 1);
    EXPECT_EQ(SliderPositionFromY(15, 27), 0);
}

TEST(SliderCurve, OnlyTheTrackTakesThePointer)
{
    EXPECT_TRUE(SliderPointOnTrack(0, 14));
    EXPECT_TRUE(SliderPointOnTrack(22, 70));
    EXPECT_FALSE(SliderPointOnTrack(23, 40));
    EXPECT_FALSE(SliderPointOnTrack(10, 13));
    EXPECT_FALSE(SliderPointOnTrack(10, 71));
    EXPECT_FALSE(SliderPointOnTrack(0xFFFF, 40));  // left of the slider while captured
    EXPECT_FALSE(SliderPointOnTrack(10, 0xFFF0));  // above it
}

TEST(SliderCurve, TheCapIsCentredOnItsTrackPoint)
{
    EXPECT_EQ(SliderCapLeft(0, 22, 70), -24);
    EXPECT_EQ(SliderCapTop(0, 300, 70), -21);
    EXPECT_EQ(SliderCapTop(32, 300, 70), -15);  // 14 + 5.97 - 35
    EXPECT_EQ(SliderCapTop(300, 300, 70), 35);
    EXPECT_EQ(SliderCapTop(10, 0, 70), -21);    // no range: the cap stays at the top
}

}  // namespace
