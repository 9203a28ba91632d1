#include "player/block_processing.h"

#include <gtest/gtest.h>

#include <vector>

#include "audio/pcm16.h"
#include "tests/host/fake_effect_modules.h"

namespace {

// A playback's buffers for blocks of blockSize bytes, with a guard zone
// after each data buffer that nothing may touch.
class BlockProcessingTest : public ::testing::Test {
protected:
    static constexpr int kBlockSize = 64;
    static constexpr int kGuard = 16;
    static constexpr int16_t kGuardValue = 0x5A5A;

    void SetUp() override
    {
        for (auto& d : data_) d.assign(kBlockSize / 2 + kGuard, kGuardValue);
        values_.assign(kBlockSize / 2 + kGuard, 0.0);
        buffers_ = {{data_[0].data(), data_[1].data()}, values_.data(), 2};
        SetPatch({});
        g_playerCopies.leftGain = 1.0;
        g_playerCopies.rightGain = 1.0;
        g_processCalls.clear();
        g_fakeEffectsAlterSamples = false;
    }
    void TearDown() override
    {
        for (auto& d : data_)
            for (int i = kBlockSize / 2; i < kBlockSize / 2 + kGuard; ++i) EXPECT_EQ(d[i], kGuardValue);
        SetPatch({});
    }
    static void SetPatch(const std::vector<int16_t>& ids)
    {
        for (size_t i = 0; i < ids.size(); ++i) g_playerCopies.patchIds[i] = ids[i];
        g_playerCopies.patchCount = static_cast<int16_t>(ids.size());
    }
    void Fill(int buffer, const std::vector<int16_t>& samples)
    {
        for (size_t i = 0; i < samples.size(); ++i) data_[buffer - 1][i] = samples[i];
    }
    std::vector<int16_t> Out(int buffer, int count) const
    {
        return std::vector<int16_t>(data_[buffer - 1].begin(), data_[buffer - 1].begin() + count);
    }

    std::vector<int16_t> data_[2];
    std::vector<double> values_;
    PlayerBlockBuffers buffers_ = {};
};

TEST_F(BlockProcessingTest, EmptyPatchAtZeroDecibelsIsBitIdentical)
{
    const std::vector<int16_t> in = {0, 1, -1, 32767, -32768, 12345, -23456, 100};
    Fill(2, in);
    ProcessBlock(buffers_, 2, static_cast<uint32_t>(in.size() * 2));
    EXPECT_EQ(Out(2, 8), in);
    EXPECT_TRUE(g_processCalls.empty());
}

TEST_F(BlockProcessingTest, MonoIsWidenedToTwoEqualChannels)
{
    buffers_.channels = 1;
    Fill(1, {-32768, 7, 32767});
    SetPatch({3});
    ProcessBlock(buffers_, 1, 6);
    EXPECT_EQ(Out(1, 6), (std::vector<int16_t>{-32768, -32768, 7, 7, 32767, 32767}));
    ASSERT_EQ(g_processCalls.size(), 1u);
    EXPECT_EQ(g_processCalls[0].count, 6);
}

TEST_F(BlockProcessingTest, PatchRunsInOrderSkippingUnknownIds)
{
    SetPatch({4, 9, 1, 0});
    Fill(1, {1, 2, 3, 4});
    ProcessBlock(buffers_, 1, 8);
    ASSERT_EQ(g_processCalls.size(), 2u);
    EXPECT_EQ(g_processCalls[0].effectId, 4);
    EXPECT_EQ(g_processCalls[1].effectId, 1);
    EXPECT_EQ(g_processCalls[0].count, 4);

    // The same effect twice runs twice, on the same buffer.
    g_processCalls.clear();
    g_fakeEffectsAlterSamples = true;
    SetPatch({2, 2});
    Fill(1, {0, 0});
    ProcessBlock(buffers_, 1, 4);
    EXPECT_EQ(g_processCalls.size(), 2u);
    EXPECT_EQ(Out(1, 2), (std::vector<int16_t>{4000, 4000}));
}

TEST_F(BlockProcessingTest, GainsClipAndRoundHalvesTowardZero)
{
    g_playerCopies.leftGain = 1.9952623149688795;  // +6 dB
    g_playerCopies.rightGain = 1.9952623149688795;
    Fill(1, {20000, -20000});
    ProcessBlock(buffers_, 1, 4);
    EXPECT_EQ(Out(1, 2), (std::vector<int16_t>{32767, -32768}));

    const double values[] = {32766.6, -32767.6, 0.5, -0.5, 2.5, -2.5, 2.6, -2.6, 1e9, -1e9};
    const int16_t expected[] = {32767, -32768, 0, 0, 2, -2, 3, -3, 32767, -32768};
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) EXPECT_EQ(NearestPcm16(values[i]), expected[i]) << values[i];
}

TEST_F(BlockProcessingTest, EachChannelHasItsOwnGain)
{
    g_playerCopies.leftGain = 0.5;
    g_playerCopies.rightGain = 0.1;
    Fill(1, {1000, 1000, -3, -3});
    ProcessBlock(buffers_, 1, 8);
    EXPECT_EQ(Out(1, 4), (std::vector<int16_t>{500, 100, -1, 0}));
}

TEST_F(BlockProcessingTest, EmptyAndOddBlocks)
{
    SetPatch({1, 2});
    ProcessBlock(buffers_, 1, 0);
    ASSERT_EQ(g_processCalls.size(), 2u);
    EXPECT_EQ(g_processCalls[0].count, 0);
    EXPECT_EQ(g_processCalls[1].count, 0);
    EXPECT_EQ(data_[0][0], kGuardValue);

    // 7 bytes: one whole frame; the half frame after it is neither processed
    // nor played (the device is given PlayedBytes(7, 2) = 4 bytes), as the
    // mixdown drops it.
    g_processCalls.clear();
    SetPatch({});
    g_playerCopies.leftGain = 2.0;
    g_playerCopies.rightGain = 3.0;
    data_[0].assign(data_[0].size(), kGuardValue);
    Fill(1, {10, 10, 10});
    ProcessBlock(buffers_, 1, 7);
    EXPECT_EQ(Out(1, 4), (std::vector<int16_t>{20, 30, 10, kGuardValue}));
}

TEST_F(BlockProcessingTest, AFullMonoBlockFillsTheWholeBuffer)
{
    buffers_.channels = 1;
    std::vector<int16_t> in(kBlockSize / 4);
    for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<int16_t>(i * 100 - 700);
    Fill(1, in);
    ProcessBlock(buffers_, 1, kBlockSize / 2);
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(data_[0][2 * i], in[i]);
        EXPECT_EQ(data_[0][2 * i + 1], in[i]);
    }
}

TEST_F(BlockProcessingTest, IgnoresUnknownBufferNumbers)
{
    SetPatch({1});
    ProcessBlock(buffers_, 0, 8);
    ProcessBlock(buffers_, 3, 8);
    EXPECT_TRUE(g_processCalls.empty());
}

}  // namespace
