#include <gtest/gtest.h>

#include "player/device_watch.h"

namespace {

class DeviceWatchTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceWatch(&w); }
    DeviceWatch w;
};

TEST_F(DeviceWatchTest, AMovingPositionNeverStalls)
{
    for (uint32_t t = 0; t < 60000; t += 100) EXPECT_FALSE(DeviceHasStalled(&w, true, t * 4, 0, false, t));
}

TEST_F(DeviceWatchTest, APositionStandingStillForTheLimitStalls)
{
    EXPECT_FALSE(DeviceHasStalled(&w, true, 500, 0, false, 1000));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 500, 0, false, 1000 + kDeviceStallMs - 1));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 500, 0, false, 1000 + kDeviceStallMs));
}

TEST_F(DeviceWatchTest, ADeviceThatCannotTellItsPositionPlaysOnWhileItsBuffersComeBack)
{
    uint32_t completions = 0;
    for (uint32_t t = 0; t < 60000; t += 100) {
        if (t % 500 == 0) ++completions;  // a 500 ms block, the longest there is
        EXPECT_FALSE(DeviceHasStalled(&w, false, 0, completions, false, t)) << t;
    }
    // Then, after the last buffer came back at 59500, neither a position nor a buffer: lost.
    EXPECT_FALSE(DeviceHasStalled(&w, false, 0, completions, false, 59500 + kDeviceStallMs - 1));
    EXPECT_TRUE(DeviceHasStalled(&w, false, 0, completions, false, 59500 + kDeviceStallMs));
}

TEST_F(DeviceWatchTest, AStillPositionWithBuffersComingBackIsNoStall)
{
    EXPECT_FALSE(DeviceHasStalled(&w, true, 0, 5, false, 0));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 0, 6, false, kDeviceStallMs - 1));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 0, 6, false, 2 * kDeviceStallMs - 2));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 0, 6, false, 2 * kDeviceStallMs - 1));
}

TEST_F(DeviceWatchTest, AnUnknownPositionCountsAsStandingStill)
{
    EXPECT_FALSE(DeviceHasStalled(&w, true, 8, 0, false, 0));
    EXPECT_FALSE(DeviceHasStalled(&w, false, 0, 0, false, 100));
    EXPECT_TRUE(DeviceHasStalled(&w, false, 0, 0, false, kDeviceStallMs));
}

TEST_F(DeviceWatchTest, APauseOfAnyLengthIsNoStallAndTheWaitStartsAfterIt)
{
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, 0, false, 0));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, 0, true, 100000));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, 0, false, 100100));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, 0, false, 100100 + kDeviceStallMs - 1));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 40, 0, false, 100100 + kDeviceStallMs));
}

TEST_F(DeviceWatchTest, TheTickMayWrapRound)
{
    const uint32_t start = 0xFFFFFF00u;
    EXPECT_FALSE(DeviceHasStalled(&w, true, 7, 0, false, start));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 7, 0, false, start + 1000));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 7, 0, false, start + kDeviceStallMs));
}

}  // namespace
