#include <gtest/gtest.h>

#include "player/device_watch.h"

namespace {

TEST(DeviceWatch, AMovingPositionNeverStalls)
{
    DeviceWatch w;
    ResetDeviceWatch(&w);
    for (uint32_t t = 0; t < 60000; t += 100) EXPECT_FALSE(DeviceHasStalled(&w, true, t * 4, false, t));
}

TEST(DeviceWatch, APositionStandingStillForTheLimitStalls)
{
    DeviceWatch w;
    ResetDeviceWatch(&w);
    EXPECT_FALSE(DeviceHasStalled(&w, true, 500, false, 1000));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 500, false, 1000 + kDeviceStallMs - 1));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 500, false, 1000 + kDeviceStallMs));
}

TEST(DeviceWatch, AnUnknownPositionCountsAsStandingStill)
{
    DeviceWatch w;
    ResetDeviceWatch(&w);
    EXPECT_FALSE(DeviceHasStalled(&w, true, 8, false, 0));
    EXPECT_FALSE(DeviceHasStalled(&w, false, 0, false, 100));
    EXPECT_TRUE(DeviceHasStalled(&w, false, 0, false, kDeviceStallMs));
}

TEST(DeviceWatch, APauseOfAnyLengthIsNoStallAndTheWaitStartsAfterIt)
{
    DeviceWatch w;
    ResetDeviceWatch(&w);
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, false, 0));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, true, 100000));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, false, 100100));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 40, false, 100100 + kDeviceStallMs - 1));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 40, false, 100100 + kDeviceStallMs));
}

TEST(DeviceWatch, TheTickMayWrapRound)
{
    DeviceWatch w;
    ResetDeviceWatch(&w);
    const uint32_t start = 0xFFFFFF00u;
    EXPECT_FALSE(DeviceHasStalled(&w, true, 7, false, start));
    EXPECT_FALSE(DeviceHasStalled(&w, true, 7, false, start + 1000));
    EXPECT_TRUE(DeviceHasStalled(&w, true, 7, false, start + kDeviceStallMs));
}

}  // namespace
