#include "audio/mixdown_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MixdownLayout, ReadSizeAndBlockCount)
{
    EXPECT_EQ(MixdownReadSize(32768, false), 32768);
    EXPECT_EQ(MixdownReadSize(32768, true), 16384);
    EXPECT_EQ(MixdownBlockCount(98304, 32768), 3);
    EXPECT_EQ(MixdownBlockCount(49152, 32768), 2);
    EXPECT_EQ(MixdownBlockCount(20000, 16384), 2);
    EXPECT_EQ(MixdownBlockCount(1, 32768), 1);
    EXPECT_EQ(MixdownBlockCount(0xFFFFFFFFu, 16384), 262144);
}

TEST(MixdownLayout, BlockReadLengthsNeverPassTheDataChunk)
{
    EXPECT_EQ(MixdownBlockReadLength(98304, 32768, 1), 32768);
    EXPECT_EQ(MixdownBlockReadLength(98304, 32768, 3), 32768);
    EXPECT_EQ(MixdownBlockReadLength(98304, 32768, 4), 0);
    EXPECT_EQ(MixdownBlockReadLength(49152, 32768, 2), 16384);
    EXPECT_EQ(MixdownBlockReadLength(20000, 16384, 1), 16384);
    EXPECT_EQ(MixdownBlockReadLength(20000, 16384, 2), 3616);
    EXPECT_EQ(MixdownBlockReadLength(0, 32768, 1), 0);
    EXPECT_EQ(MixdownBlockReadLength(0xFFFFFFFFu, 32768, 131072), 32767);
}

TEST(MixdownLayout, OnlyWholeFramesBecomeOutput)
{
    EXPECT_EQ(MixdownBlockValueCount(32768, false), 16384);
    EXPECT_EQ(MixdownBlockValueCount(16384, true), 16384);
    EXPECT_EQ(MixdownBlockValueCount(3616, true), 3616);
    EXPECT_EQ(MixdownBlockValueCount(7, false), 2);  // one frame; the half frame and odd byte dropped
    EXPECT_EQ(MixdownBlockValueCount(3, false), 0);
    EXPECT_EQ(MixdownBlockValueCount(3, true), 2);
    EXPECT_EQ(MixdownBlockValueCount(0, true), 0);

    EXPECT_EQ(MixdownOutputDataLength(98304, false), 98304u);
    EXPECT_EQ(MixdownOutputDataLength(20000, true), 40000u);
    EXPECT_EQ(MixdownOutputDataLength(20001, true), 40000u);
    EXPECT_EQ(MixdownOutputDataLength(32770, false), 32768u);
    EXPECT_EQ(MixdownOutputDataLength(32771, false), 32768u);
    EXPECT_EQ(MixdownOutputDataLength(0xFFFFFFFFu, true), 0x1FFFFFFFCull);
}

TEST(MixdownLayout, SizesFitUpToTheLastByteOfTheRiffSize)
{
    EXPECT_TRUE(MixdownSizesFit(0xFFFFFFFFull - 116 - 32, 32));
    EXPECT_FALSE(MixdownSizesFit(0xFFFFFFFFull - 116 - 31, 32));
}

TEST(MixdownLayout, UserNameFieldIsTruncatedAndNeverEmpty)
{
    char field[kMixdownUserNameSize];
    std::memset(field, 'x', sizeof field);
    MixdownUserNameField("alice", field);
    EXPECT_STREQ(field, "alice");
    for (size_t i = 5; i < sizeof field; ++i) EXPECT_EQ(field[i], '\0');

    const std::string longName(40, 'n');
    MixdownUserNameField(longName.c_str(), field);
    EXPECT_EQ(std::string(field), std::string(31, 'n'));
    EXPECT_EQ(MixdownIengSize(field), 32u);

    MixdownUserNameField("", field);
    EXPECT_STREQ(field, "Unknown");
    MixdownUserNameField(nullptr, field);
    EXPECT_STREQ(field, "Unknown");
    EXPECT_EQ(MixdownIengSize(field), 8u);
}

TEST(MixdownLayout, DateFieldHoldsMonthDayYearAndFourZeroBytes)
{
    char field[kMixdownDateSize];
    std::memset(field, 'x', sizeof field);
    MixdownDateField(3, 5, 2001, field);
    EXPECT_EQ(std::string(field, sizeof field), std::string("03/05/01\0\0\0\0", 12));
    MixdownDateField(12, 31, 1999, field);
    EXPECT_EQ(std::string(field, sizeof field), std::string("12/31/99\0\0\0\0", 12));
}

}  // namespace

// Found by fuzzing the layout: 2-byte reads of a 0xFFFFFFFF-byte mono chunk
// made a block count past INT32_MAX, which wrapped negative. The count now
// stops at INT32_MAX; only the chunk's stray odd byte lies beyond it.
TEST(MixdownLayout, BlockCountOfA4GBMonoChunkInTheSmallestBlockDoesNotWrap)
{
    const int32_t readSize = MixdownReadSize(4, true);
    EXPECT_EQ(readSize, 2);
    EXPECT_EQ(MixdownBlockCount(0xFFFFFFFFu, readSize), 0x7FFFFFFF);
    EXPECT_EQ(MixdownBlockCount(0xFFFFFFFEu, readSize), 0x7FFFFFFF);
    EXPECT_EQ(MixdownBlockReadLength(0xFFFFFFFFu, readSize, 0x7FFFFFFF), 2);
    EXPECT_EQ(MixdownBlockValueCount(1, true), 0) << "the byte left over makes no sound";
}

TEST(MixdownLayout, ProgressRangeIsTheSignedBlockCountInSixteenBits)
{
    EXPECT_EQ(MixdownProgressRange(65536, 32768), 2);
    EXPECT_EQ(MixdownProgressRange(44100 * 60 * 4, 32768), 322);
    EXPECT_EQ(MixdownProgressRange(20000, 16384), 1);
    EXPECT_EQ(MixdownProgressRange(100, 32768), 0);
    // Wrapped: 65536 blocks are 0, a 3 GiB stereo chunk is -32768 blocks.
    EXPECT_EQ(MixdownProgressRange(0x80000000u, 32768), 0);
    EXPECT_EQ(MixdownProgressRange(0xC0000000u, 32768), 0x8000);
    EXPECT_EQ(MixdownProgressRange(0x7FFFF000u, 16384), 0xFFFF);
}

TEST(MixdownLayout, ProgressPositionCountsStepsWhileTheRangeHoldsThem)
{
    for (uint32_t step = 0; step <= 3; ++step) EXPECT_EQ(MixdownProgressPosition(step, 98304, 32768), step);
    EXPECT_EQ(MixdownProgressPosition(3, 65536, 32768), 2) << "the last step stays at the end";
    EXPECT_EQ(MixdownProgressPosition(5, 100, 32768), 0);
}

TEST(MixdownLayout, ProgressPositionCrossesAWrappedRangeOnceFromStartToEnd)
{
    // 3 GiB of stereo: 98304 blocks over a range of 32768.
    const uint32_t data = 0xC0000000u;
    EXPECT_EQ(MixdownProgressPosition(0, data, 32768), 0);
    EXPECT_EQ(MixdownProgressPosition(49152, data, 32768), 16384);
    EXPECT_EQ(MixdownProgressPosition(98304, data, 32768), 32768);
    EXPECT_EQ(MixdownProgressPosition(98305, data, 32768), 32768);
    // A streamed mono file's placeholder size: 131071 blocks over 65535.
    uint16_t last = 0;
    for (uint32_t step = 0; step <= 131072; step += 97) {
        const uint16_t at = MixdownProgressPosition(step, 0x7FFFF000u, 16384);
        EXPECT_GE(at, last);
        last = at;
    }
    EXPECT_EQ(MixdownProgressPosition(131071, 0x7FFFF000u, 16384), 0xFFFF);
}

// The paced bar keeps the position the progress control's own PBM_STEPIT
// would give it.
TEST(MixdownLayout, ABarStepsWithinItsRangeAndStartsOverPastEitherEnd)
{
    EXPECT_EQ(ProgressBarAfterStep(0, 0, 2, 1), 1);
    EXPECT_EQ(ProgressBarAfterStep(1, 0, 2, 1), 2);
    EXPECT_EQ(ProgressBarAfterStep(2, 0, 2, 1), 1) << "the step past the maximum starts over";
    EXPECT_EQ(ProgressBarAfterStep(645, 0, 645, 1), 1);
    EXPECT_EQ(ProgressBarAfterStep(10, 10, 30, -1), 29) << "a step below the minimum starts over from the top";
    EXPECT_EQ(ProgressBarAfterStep(0, 0, 0, 1), 0) << "a bar without a range stays";
    EXPECT_EQ(ProgressBarAfterStep(65535, 0, 65535, 1), 1);
}
