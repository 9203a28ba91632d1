// Where a mouse point turns a knob to, and where the pointer then ends.
#include "widgets/knob_geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCx = 15, kCy = 15;

uint16_t PositionAt(int x, int y) { return AngleToPosition(0, 100, kCx, kCy, static_cast<int16_t>(x), static_cast<int16_t>(y)); }

TEST(AngleToPosition, StraightDirectionsOfAZeroToHundredKnob)
{
    EXPECT_EQ(PositionAt(kCx + 10, kCy), 83);  // right
    EXPECT_EQ(PositionAt(kCx, kCy - 10), 49);  // up: just short of the middle
    EXPECT_EQ(PositionAt(kCx - 10, kCy), 16);  // left
    EXPECT_EQ(PositionAt(kCx, kCy + 10), 0);   // down: the minimum end of the dead zone
}

TEST(AngleToPosition, JustRightOfStraightDownIsTheMaximum)
{
    EXPECT_EQ(PositionAt(kCx + 1, kCy + 10), 100);
    EXPECT_EQ(PositionAt(kCx - 1, kCy + 10), 0);
}

TEST(AngleToPosition, TheCentreItselfGivesTheMaximum)
{
    EXPECT_EQ(PositionAt(kCx, kCy), 100);
    EXPECT_EQ(AngleToPosition(1, 200, kCx, kCy, kCx, kCy), 200);
}

TEST(AngleToPosition, PointsFarOutsideAndAboveLeftStillMeasureAboutTheCentre)
{
    // The capture hands negative client coordinates while dragging off the knob.
    EXPECT_EQ(PositionAt(-300, -300), PositionAt(kCx - 5, kCy - 5));
    EXPECT_EQ(PositionAt(-300, -300), 33);  // upper left: 45 degrees past the start, of 270
}

TEST(AngleToPosition, RangeWithAMinimumStartsThere)
{
    EXPECT_EQ(AngleToPosition(1, 200, kCx, kCy, kCx, kCy + 10), 1);
    EXPECT_EQ(AngleToPosition(0, 180, kCx, kCy, kCx + 10, kCy), 150);  // 225 of 270 degrees
}

TEST(PointerEnd, EndsOfAZeroToHundredKnobWithRadiusEleven)
{
    const PointerPoint low = PointerEnd(0, 100, 0, kCx, kCy, 11);
    const PointerPoint middle = PointerEnd(0, 100, 50, kCx, kCy, 11);
    const PointerPoint high = PointerEnd(0, 100, 100, kCx, kCy, 11);
    EXPECT_EQ(low.x, 8);
    EXPECT_EQ(low.y, 22);
    EXPECT_EQ(middle.x, 15);
    EXPECT_EQ(middle.y, 5);
    EXPECT_EQ(high.x, 22);
    EXPECT_EQ(high.y, 22);
}

TEST(PointerEnd, ARangeWithoutWidthPointsAtTheStartInsteadOfDividingByZero)
{
    const PointerPoint end = PointerEnd(40, 40, 40, kCx, kCy, 11);
    EXPECT_EQ(end.x, 8);
    EXPECT_EQ(end.y, 22);
}

}  // namespace
