#include "model/source_format.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "model/settings.h"

namespace {

TEST(LatencyToBytes, DocumentedExamples)
{
    EXPECT_EQ(LatencyToBytesAtRate(150, 44100), 26460);
    EXPECT_EQ(LatencyToBytesAtRate(150, 22050), 13228);
    EXPECT_EQ(LatencyToBytesAtRate(100, 44100), 17640);
    EXPECT_EQ(LatencyToBytesAtRate(10, 16000), 640);
}

TEST(LatencyToBytes, AlwaysWholeStereoFramesRoundedDown)
{
    for (int ms = 10; ms <= 500; ++ms) {
        for (uint32_t rate : {16000u, 11025u, 22050u, 32000u, 44100u, 48000u, 88200u, 96000u, 192000u}) {
            const int32_t bytes = LatencyToBytesAtRate(ms, rate);
            EXPECT_EQ(bytes % 4, 0);
            const double exact = ms * 0.001 * rate * 4;
            EXPECT_LE(bytes, exact + 1e-6);
            EXPECT_GT(bytes, exact - 4 - 1e-6);
        }
    }
}

TEST(LatencyToBytes, AbsurdRatesNeverGoNegative)
{
    // 500 ms at 4294967295 Hz overflows 32 bits; the block size saturates.
    const int32_t bytes = LatencyToBytesAtRate(500, 4294967295u);
    EXPECT_GT(bytes, 0);
    EXPECT_EQ(bytes % 4, 0);
    EXPECT_EQ(LatencyToBytesAtRate(0, 44100), 0);
}

TEST(LatencyToBytes, UsesTheCurrentSourceRate)
{
    const SourceFormat saved = g_sourceFormat;
    g_sourceFormat.sampleRate = 22050;
    EXPECT_EQ(LatencyToBytes(150), 13228);
    g_sourceFormat.sampleRate = 44100;
    EXPECT_EQ(LatencyToBytes(150), 26460);
    g_sourceFormat = saved;
}

}  // namespace

// What Preferences' OK puts in force: latency and device with the block
// size they give the open source; nothing at all when neither changed.
TEST(CommitPreferences, ALatencyOrDeviceChangeTakesEffectWithTheSourcesBlockSize)
{
    g_sourceFormat = {22050, 2, 1000, 12345};
    g_settings = {100, "Speakers", 0, 40, 30};
    Settings edited = g_settings;
    EXPECT_FALSE(ChangesPlayback(edited));
    edited.windowLeft = 500;  // not Preferences' business
    CommitPreferences(edited);
    EXPECT_EQ(g_sourceFormat.blockSize, 12345) << "no change: the block size stays";
    EXPECT_EQ(g_settings.windowLeft, 40);

    edited.latency = 150;
    EXPECT_TRUE(ChangesPlayback(edited));
    CommitPreferences(edited);
    EXPECT_EQ(g_settings.latency, 150);
    EXPECT_EQ(g_sourceFormat.blockSize, 13228);

    std::snprintf(edited.deviceName, sizeof edited.deviceName, "Headphones");
    edited.deviceIndex = 1;
    EXPECT_TRUE(ChangesPlayback(edited));
    CommitPreferences(edited);
    EXPECT_STREQ(g_settings.deviceName, "Headphones");
    EXPECT_EQ(g_settings.deviceIndex, 1);
    EXPECT_EQ(g_settings.windowLeft, 40);
}
