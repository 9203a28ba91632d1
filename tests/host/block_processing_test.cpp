// What playback alone does with a block; what it shares with the mixdown is
// held to the mixdown's bytes in playback_agreement_test.cpp.
#include "player/block_processing.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/host/fake_effect_modules.h"

namespace {

TEST(BlockProcessing, EachChannelHasItsOwnGain)
{
    std::vector<int16_t> data = {1000, 1000, -3, -3};
    std::vector<double> values(data.size());
    const PlayerBlockBuffers buffers = {{data.data(), nullptr}, values.data(), 2};
    g_playerCopies.leftGain = 0.5;
    g_playerCopies.rightGain = 0.1;
    ProcessBlock(buffers, 1, 8);
    EXPECT_EQ(data, (std::vector<int16_t>{500, 100, -1, 0}));
    g_playerCopies.leftGain = 1.0;
    g_playerCopies.rightGain = 1.0;
}

TEST(BlockProcessing, IgnoresUnknownBufferNumbers)
{
    std::vector<int16_t> data(8, 7);
    std::vector<double> values(data.size());
    const PlayerBlockBuffers buffers = {{data.data(), data.data()}, values.data(), 2};
    g_playerCopies.patchIds[0] = 1;
    g_playerCopies.patchCount = 1;
    g_processCalls.clear();
    ProcessBlock(buffers, 0, 8);
    ProcessBlock(buffers, 3, 8);
    EXPECT_TRUE(g_processCalls.empty());
    EXPECT_EQ(data, std::vector<int16_t>(8, 7));
    g_playerCopies.patchCount = 0;
}

}  // namespace
