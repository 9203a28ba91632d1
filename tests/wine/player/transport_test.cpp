// The transport on real windows: the ends of a file, stop while paused,
// and a new start right after a stop, each heard in full.
#include "tests/support/message_box_catcher.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/player/player_fixture.h"

namespace {

class TransportTest : public PlayerTest {};

// A stereo file's length in frames against 50 ms blocks of 2205 frames,
// and the blocks its data chunk claims (0: just the bytes it holds; more:
// the bytes that exist are played, the short block is the last).
struct FileEnd {
    const char* name;
    int frames;
    uint32_t claimedBlocks;
};

class FileEndTest : public TransportTest, public ::testing::WithParamInterface<FileEnd> {};

TEST_P(FileEndTest, EveryFrameIsHeardOnceAndThePlaybackEndsOnce)
{
    const FileEnd& c = GetParam();
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(c.frames, 2, 21);
    Bytes data, body;
    for (int16_t s : samples) AppendU16(&data, static_cast<uint16_t>(s));
    AppendChunk(&body, "fmt ", FormatPayload(FormatFields()));
    AppendChunkDeclared(&body, "data", c.claimedBlocks ? c.claimedBlocks * blockSize : data.size(), data);
    const std::string path = WriteBytes(RiffFile("WAVE", body));
    // Every frame once, then the sink's silence, and no box.
    MessageBoxCatcher catcher;
    const size_t from = PlayToItsEnd(path, blockSize);
    ExpectHeardExactly(WaitForStream(from, samples, 5000), samples, blockSize);
    EXPECT_TRUE(catcher.Boxes().empty());
    // One end: a Stop afterwards finds nothing to release.
    EXPECT_EQ(Stop(), 0u);
    ExpectStoppedLook();
}

INSTANTIATE_TEST_SUITE_P(Lengths, FileEndTest,
                         ::testing::Values(FileEnd{"ThreeBlocks", 2 * 2205 + 300, 0},
                                           FileEnd{"ExactlyFourBlocks", 4 * 2205, 0},
                                           FileEnd{"LessThanOneBlock", 500, 0},
                                           FileEnd{"ClaimingMoreThanItHolds", 2 * 2205 + 400, 10},
                                           FileEnd{"EndingOnABlockBoundaryBeforeItsClaim", 3 * 2205, 10}),
                         [](const ::testing::TestParamInfo<FileEnd>& info) { return std::string(info.param.name); });

TEST_F(TransportTest, StopWhilePausedAndPlayAgainStartsFromTheBeginning)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(20000, 2, 27);
    const std::string path = WriteWave(samples, 2);
    ASSERT_EQ(PlayFile(path, blockSize), 0u);
    PumpFor(200);
    EXPECT_EQ(Pause(), 0u);
    PumpFor(150);
    EXPECT_EQ(Stop(), 0u);
    ExpectStoppedLook();
    PumpFor(300);  // no timer lights anything after the stop
    ExpectLeds(false, false);

    PumpFor(300);
    const size_t from = RecordingFrames();
    ASSERT_EQ(PlayFile(path, blockSize), 0u);
    ASSERT_TRUE(WaitForStopped(5000));
    ExpectHeardExactly(WaitForStream(from, samples, 5000), samples, blockSize);
}

// A new start right after a Stop, and one over a playback nobody stopped
// (which the start takes down itself): either way the new file is heard
// alone.
TEST_F(TransportTest, PlayAtOnceAfterStopOrOverARunningPlaybackPlaysTheNewFileAlone)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> first = TestSignal(40000, 2, 28);
    const std::vector<int16_t> second = TestSignal(15000, 2, 29);
    const std::string firstPath = WriteWave(first, 2);
    const std::string secondPath = WriteWave(second, 2);
    for (bool stopFirst : {true, false}) {
        SCOPED_TRACE(stopFirst ? "after Stop" : "over a running playback");
        ASSERT_EQ(PlayFile(firstPath, blockSize), 0u);
        PumpFor(150);
        if (stopFirst) {
            EXPECT_EQ(Stop(), 0u);
            ExpectStoppedLook();
        }
        const size_t from = RecordingFrames();
        ASSERT_EQ(PlayFile(secondPath, blockSize), 0u);
        ExpectButtons(true);
        ASSERT_TRUE(WaitForStopped(5000));
        ExpectStoppedLook();

        // The second file from its first frame to its last, then only
        // silence: nothing of the first playback comes back after it.
        // (Before it the sink may still flush what it held of the first.)
        ExpectHeardExactly(WaitForStream(from, second, 5000), second, blockSize);
    }
}

}  // namespace
