// Where a mouse point turns a knob to, and where the pointer then ends.
#include "widgets/knob_geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCx = 15, kCy = 15;

// Mouse points about the centre (15, 15), and the position each turns a
// knob of the range to.
TEST(AngleToPosition, DirectionsAboutTheCentreOverTheKnobsRange)
{
    const struct { uint16_t minimum, maximum; int x, y; uint16_t position; } rows[] = {
        {0, 100, kCx + 10, kCy, 83},  // right
        {0, 100, kCx, kCy - 10, 49},  // up: just short of the middle
        {0, 100, kCx - 10, kCy, 16},  // left
        {0, 100, kCx, kCy + 10, 0},   // down: the minimum end of the dead zone
        {0, 100, kCx + 1, kCy + 10, 100},  // just right of straight down: the maximum
        {0, 100, kCx - 1, kCy + 10, 0},
        {0, 100, kCx, kCy, 100},  // the centre itself gives the maximum
        {1, 200, kCx, kCy, 200},
        // Upper left, 45 degrees past the start of 270: far outside the knob
        // (the capture hands negative client coordinates while dragging off
        // it) as near the centre.
        {0, 100, -300, -300, 33},
        {0, 100, kCx - 5, kCy - 5, 33},
        {1, 200, kCx, kCy + 10, 1},  // a range with a minimum starts there
        {0, 180, kCx + 10, kCy, 150},  // 225 of 270 degrees
    };
    for (const auto& row : rows)
        EXPECT_EQ(AngleToPosition(row.minimum, row.maximum, kCx, kCy, static_cast<int16_t>(row.x),
                                  static_cast<int16_t>(row.y)),
                  row.position)
            << row.minimum << ".." << row.maximum << " at " << row.x << ", " << row.y;
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
