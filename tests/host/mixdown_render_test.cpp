#include "audio/mixdown_render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/pcm16.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "tests/host/fake_effect_modules.h"

namespace {

class MixdownRenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_sourceFormat = {44100, 2, 98304, 0};
        g_masterVolume = 0.0;
        ResetEffectsPatch();
        ResetEffectParameters();
        g_processCalls.clear();
        g_changeCalls.clear();
        g_setUpCalls.clear();
        g_fakeEffectsAlterSamples = false;
    }
    void TearDown() override
    {
        g_sourceFormat = {44100, 0, 0, 0};
        g_masterVolume = 0.0;
        ResetEffectsPatch();
        ResetEffectParameters();
    }
    static void SetPatch(const std::vector<int16_t>& ids)
    {
        g_effectsPatch.count = static_cast<int16_t>(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) g_effectsPatch.ids[i] = ids[i];
    }
    // Renders samples (as read from the source) through the current patch
    // and returns the 16-bit output.
    static std::vector<int16_t> Render(const std::vector<int16_t>& samples, int32_t bytesRead)
    {
        std::vector<int16_t> pcm(kMixdownBlockBytes / 2, 0x5A5A);
        std::vector<double> values(kMixdownBlockBytes / 2, 0.0);
        std::copy(samples.begin(), samples.end(), pcm.begin());
        const int n = RenderMixdownBlock(pcm.data(), bytesRead, values.data());
        return std::vector<int16_t>(pcm.begin(), pcm.begin() + n);
    }
};

TEST_F(MixdownRenderTest, PrepareDerivesTheRenderFromSourceAndVolume)
{
    g_mixdown.completed = true;
    g_mixdown.startPending = false;
    g_masterVolume = -6.0;
    ASSERT_TRUE(PrepareMixdown("C:\\in.wav", "C:\\tmpqbx15.wav", kMixdownBlockBytes));
    EXPECT_STREQ(g_mixdown.sourcePath, "C:\\in.wav");
    EXPECT_STREQ(g_mixdown.tempPath, "C:\\tmpqbx15.wav");
    EXPECT_EQ(g_mixdown.blockBytes, 32768);
    EXPECT_EQ(g_mixdown.readSize, 32768);
    EXPECT_EQ(g_mixdown.blockCount, 3);
    EXPECT_EQ(g_mixdown.blockNumber, 1);
    EXPECT_EQ(g_mixdown.currentBlockBytes, 32768);
    EXPECT_NEAR(g_mixdown.leftGain, 0.501187, 1e-6);
    EXPECT_EQ(g_mixdown.leftGain, g_mixdown.rightGain);
    EXPECT_FALSE(g_mixdown.completed);
    EXPECT_TRUE(g_mixdown.startPending);

    g_sourceFormat = {22050, 1, 20000, 0};
    g_masterVolume = 0.0;
    PrepareMixdown("a", "b", kMixdownBlockBytes);
    EXPECT_TRUE(g_mixdown.mono);
    EXPECT_EQ(g_mixdown.readSize, 16384);
    EXPECT_EQ(g_mixdown.blockCount, 2);
    EXPECT_EQ(g_mixdown.leftGain, 1.0);
    EXPECT_EQ(g_mixdown.sampleRate, 22050u);
}

TEST_F(MixdownRenderTest, PrepareKeepsBlocksWholeFramesAndPathsBounded)
{
    const std::string longPath(400, 'p');
    PrepareMixdown(longPath.c_str(), nullptr, 1001);
    // Too long for the buffer: refused (left empty), never cut to another name.
    EXPECT_STREQ(g_mixdown.sourcePath, "");
    EXPECT_STREQ(g_mixdown.tempPath, "");
    EXPECT_EQ(g_mixdown.blockBytes, 1000);
    PrepareMixdown("a", "b", 2);
    EXPECT_EQ(g_mixdown.blockBytes, 4);
}

TEST_F(MixdownRenderTest, EffectModulesAreInitialisedThenGivenTheirValuesInOrder)
{
    g_effectParameters[kChorusId - 1].on = 1;
    PrepareEffectModules(48000);
    const std::vector<std::string> order = {"InitPhaser",   "InitFlanger",   "InitChorus",   "InitChDelay",
                                            "ChangePhaser", "ChangeFlanger", "ChangeChorus", "ChangeChDelay"};
    ASSERT_EQ(g_setUpCalls.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(g_setUpCalls[i].entryPoint, order[i]);
        if (i < 4) {
            EXPECT_EQ(g_setUpCalls[i].rate, 48000.0);
        }
    }
    ASSERT_EQ(g_changeCalls.size(), 4u);
    // Phaser defaults: freq, depth, rate, mix (0 while off), degree, feed.
    EXPECT_EQ(g_changeCalls[0].freq, 700.0);
    EXPECT_EQ(g_changeCalls[0].depth, 382.2);
    EXPECT_EQ(g_changeCalls[0].rate, 0.3);
    EXPECT_EQ(g_changeCalls[0].mix, 0.0);
    EXPECT_EQ(g_changeCalls[0].degree, 90.0);
    EXPECT_EQ(g_changeCalls[0].feed, 0.375);
    EXPECT_EQ(g_changeCalls[2].mix, 0.5);  // the Chorus is on
    EXPECT_EQ(g_changeCalls[3].mix, 0.0);
}

TEST_F(MixdownRenderTest, MonoIsWidenedToEqualChannels)
{
    g_sourceFormat = {44100, 1, 20000, 0};
    PrepareMixdown("a", "b", kMixdownBlockBytes);
    SetPatch({3});
    EXPECT_EQ(Render({-32768, 7, 32767}, 6), (std::vector<int16_t>{-32768, -32768, 7, 7, 32767, 32767}));
    ASSERT_EQ(g_processCalls.size(), 1u);
    EXPECT_EQ(g_processCalls[0].count, 6);
}

TEST_F(MixdownRenderTest, TheChainRunsEvenForABlockOfNoWholeFrame)
{
    PrepareMixdown("a", "b", kMixdownBlockBytes);
    SetPatch({1});
    EXPECT_TRUE(Render({10}, 3).empty());
    ASSERT_EQ(g_processCalls.size(), 1u);
    EXPECT_EQ(g_processCalls[0].count, 0);
}

TEST_F(MixdownRenderTest, PatchRunsInOrderSkippingUnknownIds)
{
    PrepareMixdown("a", "b", kMixdownBlockBytes);
    SetPatch({1, 2});
    Render({0, 0}, 4);
    ASSERT_EQ(g_processCalls.size(), 2u);
    EXPECT_EQ(g_processCalls[0].effectId, 1);  // the phaser first
    EXPECT_EQ(g_processCalls[1].effectId, 2);

    g_processCalls.clear();
    SetPatch({4, 9, 0, 3});
    g_fakeEffectsAlterSamples = true;
    EXPECT_EQ(Render({0, 0}, 4), (std::vector<int16_t>{7000, 7000}));
    ASSERT_EQ(g_processCalls.size(), 2u);
    EXPECT_EQ(g_processCalls[0].effectId, 4);
    EXPECT_EQ(g_processCalls[1].effectId, 3);

    // The patch is read as it stands when the block is rendered.
    g_processCalls.clear();
    SetPatch({2});
    Render({0, 0}, 4);
    ASSERT_EQ(g_processCalls.size(), 1u);
    EXPECT_EQ(g_processCalls[0].effectId, 2);
}

TEST_F(MixdownRenderTest, ConversionUsesTheMixdownGains)
{
    g_mixdown.leftGain = 0.5;
    g_mixdown.rightGain = 0.25;
    double values[] = {1001.0, 1001.0, 7.0};
    int16_t out[4] = {0, 0, 0, 0x5A5A};
    ConvertBlockToPcm16(values, out, 3);
    EXPECT_EQ(out[0], 500);  // 500.5: half toward zero
    EXPECT_EQ(out[1], 250);  // 250.25
    EXPECT_EQ(out[2], 3);    // a lone last value is a left value: 3.5
    EXPECT_EQ(out[3], 0x5A5A);
}

}  // namespace

namespace {

// Every 16-bit value, in a stereo and a mono block, as the widening and
// narrowing of the general path turn them out.
std::vector<int16_t> ThroughConversion(const std::vector<int16_t>& samples, bool mono)
{
    std::vector<double> values(2 * samples.size());
    const int n = WidenPcm16(samples.data(), static_cast<int>(samples.size()), mono, values.data());
    std::vector<int16_t> out(n);
    NarrowToPcm16(values.data(), out.data(), n, 1.0, 1.0);
    return out;
}

TEST_F(MixdownRenderTest, WithNoEffectToRunAtUnityGainTheBlockComesOutAsTheConversionWouldGiveIt)
{
    std::vector<int16_t> stereo(16384);
    for (size_t i = 0; i < stereo.size(); ++i) stereo[i] = static_cast<int16_t>(i * 4 - 32768);
    std::vector<int16_t> mono(stereo.begin(), stereo.begin() + 8192);
    for (const std::vector<int16_t>& patch : {std::vector<int16_t>{}, std::vector<int16_t>{0, 9, -1}}) {
        SetPatch(patch);
        PrepareMixdown("a", "b", kMixdownBlockBytes);
        EXPECT_EQ(Render(stereo, 32768), ThroughConversion(stereo, false));
        EXPECT_EQ(Render(stereo, 32766), ThroughConversion(std::vector<int16_t>(stereo.begin(), stereo.end() - 2), false))
            << "a half frame at the end makes no sound";
        g_sourceFormat = {44100, 1, 98304, 0};
        PrepareMixdown("a", "b", kMixdownBlockBytes);
        EXPECT_EQ(Render(mono, 16384), ThroughConversion(mono, true));
        EXPECT_EQ(Render(mono, 3), ThroughConversion({mono[0]}, true));
        g_sourceFormat = {44100, 2, 98304, 0};
    }
    EXPECT_TRUE(g_processCalls.empty());
}

TEST_F(MixdownRenderTest, AnyGainOtherThanOneGoesThroughTheConversion)
{
    SetPatch({});
    g_masterVolume = -6.0206;  // a gain of about 0.5
    PrepareMixdown("a", "b", kMixdownBlockBytes);
    EXPECT_EQ(Render({1000, -1000, 3, -3}, 8), (std::vector<int16_t>{500, -500, 1, -1}));
}

}  // namespace

// The mixdown keeps its source and temporary paths in 260-character
// buffers: a path that fits is kept whole, a longer one is refused (left
// empty, so the render fails to open it) and never cut to another name.
namespace {

std::string PathOfLength(size_t length)
{
    std::string path = "C:\\";
    while (path.size() < length - 4) path += (path.size() % 50 == 0) ? '\\' : 'd';
    return path + ".wav";
}

TEST_F(MixdownRenderTest, PathsOf259CharactersAreKeptWhole)
{
    const std::string source = PathOfLength(259), temp = PathOfLength(259);
    ASSERT_EQ(source.size(), 259u);
    EXPECT_TRUE(PrepareMixdown(source.c_str(), temp.c_str(), 32768));
    EXPECT_EQ(std::string(g_mixdown.sourcePath), source);
    EXPECT_EQ(std::string(g_mixdown.tempPath), temp);
}

TEST_F(MixdownRenderTest, PathsOf260And300CharactersAreRefusedNotTruncated)
{
    g_sourceFormat = {44100, 2, 4096, 0};
    for (size_t length : {260u, 300u}) {
        const std::string path = PathOfLength(length);
        ASSERT_EQ(path.size(), length);
        EXPECT_TRUE(PrepareMixdown(path.c_str(), path.c_str(), 32768));
        EXPECT_EQ(std::string(g_mixdown.sourcePath), "") << length;
        EXPECT_EQ(std::string(g_mixdown.tempPath), "") << length;
        // The rest of the state stays sound.
        EXPECT_EQ(g_mixdown.readSize, 32768);
        EXPECT_EQ(g_mixdown.blockCount, 1);
    }
}

}  // namespace
