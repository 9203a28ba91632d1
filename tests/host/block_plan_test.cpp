#include "player/block_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(BlockPlan, MonoAt22050HzReadsHalfABlockAndEndsWithAFullOne)
{
    // Block size 8820 (100 ms of stereo output at 22050 Hz), 22050 data bytes.
    const BlockPlan plan = PlanBlocks(22050, 8820, 1);
    EXPECT_EQ(plan.sourceBlockSize, 4410u);
    EXPECT_EQ(plan.totalBlocks, 5u);
    EXPECT_EQ(BlockReadSize(plan, 4), 4410u);
    EXPECT_EQ(BlockReadSize(plan, 5), 4410u);
    EXPECT_EQ(BlockReadSize(plan, 6), 0u);
}

TEST(BlockPlan, StereoRemainderMakesAShortLastBlock)
{
    const BlockPlan plan = PlanBlocks(2 * 1000 + 100, 1000, 2);
    EXPECT_EQ(plan.totalBlocks, 3u);
    EXPECT_EQ(BlockReadSize(plan, 1), 1000u);
    EXPECT_EQ(BlockReadSize(plan, 3), 100u);  // a last block of exactly 100 bytes
    EXPECT_EQ(PlayedBytes(100, 2), 100u);
    EXPECT_EQ(BlockReadSize(plan, 0), 0u);
}

TEST(BlockPlan, DataSmallerThanOneBlockIsOneBlock)
{
    const BlockPlan plan = PlanBlocks(300, 1000, 2);
    EXPECT_EQ(plan.totalBlocks, 1u);
    EXPECT_EQ(BlockReadSize(plan, 1), 300u);
    EXPECT_EQ(StateAfterWrite(plan, 1, 1, 300), LastBlockQueued);
}

TEST(BlockPlan, StatesAlternateUntilTheLastBlock)
{
    const BlockPlan plan = PlanBlocks(3000, 1000, 2);  // exact multiple
    EXPECT_EQ(StateAfterWrite(plan, 1, 1, 1000), Buffer1Queued);
    EXPECT_EQ(StateAfterWrite(plan, 2, 2, 1000), Buffer2Queued);
    EXPECT_EQ(StateAfterWrite(plan, 3, 1, 1000), LastBlockQueued);  // full, counter equals total
    // A short read before the claimed end (the file is shorter than its
    // data chunk says) is the last block too.
    EXPECT_EQ(StateAfterWrite(plan, 2, 2, 640), LastBlockQueued);
}

// Every move of the pipeline against its table: rows are the state moved
// to, columns the state moved from.
TEST(BlockPlan, ThePipelineMovesOnlyAsItsTableAllows)
{
    const PipelineState states[] = {Starting, Buffer1Queued, Buffer2Queued, Stopping, LastBlockQueued, Finished};
    //                   from: Start  Buf1   Buf2   Stop   Last   Fin
    const bool allowed[6][6] = {{true, true, true, true, true, true},          // to Starting
                                {true, false, true, false, false, false},      // to Buffer1Queued
                                {false, true, false, false, false, false},     // to Buffer2Queued
                                {true, true, true, true, true, true},          // to Stopping
                                {true, true, true, false, false, false},       // to LastBlockQueued
                                {true, true, true, false, true, true}};        // to Finished
    for (int to = 0; to < 6; ++to)
        for (int from = 0; from < 6; ++from)
            EXPECT_EQ(PipelineMayMove(states[from], states[to]), allowed[to][from])
                << "from " << states[from] << " to " << states[to];
}

TEST(BlockPlan, NoBlockSizeGivesNoBlocks)
{
    const BlockPlan plan = PlanBlocks(3000, 0, 2);
    EXPECT_EQ(plan.totalBlocks, 0u);
    EXPECT_EQ(BlockReadSize(plan, 1), 0u);
}

}  // namespace

namespace {

TEST(PlayedBytes, WholeFramesOnlyAsTheMixdownTakesThem)
{
    for (uint32_t extra : {0u, 1u, 2u, 3u}) {
        EXPECT_EQ(PlayedBytes(8820 + extra, 2), 8820u) << extra;
        EXPECT_EQ(PlayedBytes(4410 + extra, 1), 8820u + (extra >= 2 ? 4u : 0u)) << extra;
    }
    EXPECT_EQ(PlayedBytes(7, 2), 4u);  // one frame; the half frame and the odd byte are dropped
    EXPECT_EQ(PlayedBytes(3, 2), 0u);
    EXPECT_EQ(PlayedBytes(4411, 1), 8820u);
    EXPECT_EQ(PlayedBytes(1, 1), 0u);
}

TEST(BlockBuffersFit, TheBufferOfDoublesMustBeSizedIn32Bits)
{
    EXPECT_TRUE(BlockBuffersFit(88200));
    EXPECT_TRUE(BlockBuffersFit(0x3FFFFFFFu));   // 0x1FFFFFFF doubles: 0xFFFFFFF8 bytes
    EXPECT_FALSE(BlockBuffersFit(0x40000000u));  // 0x20000000 doubles: 4 GB, which wraps to 0
    EXPECT_FALSE(BlockBuffersFit(0xFFFFFFFCu));
}

}  // namespace
