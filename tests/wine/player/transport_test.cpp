// The transport on real windows: the ends of a file, pause and resume, stop
// while paused, and a new start right after a stop, each heard in full.
#include "tests/support/message_box_catcher.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/player/player_fixture.h"

namespace {

class TransportTest : public PlayerTest {
protected:
    // Plays a stereo file of frames frames to its end and expects to hear
    // exactly those frames, followed by the sink's silence.
    void PlayToTheEnd(const std::vector<int16_t>& samples, const std::string& path, uint32_t blockSize)
    {
        MessageBoxCatcher catcher;
        const size_t from = PlayToItsEnd(path, blockSize);
        ExpectHeardExactly(WaitForStream(from, samples, 5000), samples);
        EXPECT_TRUE(catcher.Boxes().empty());
    }
};

TEST_F(TransportTest, ThreeBlockSourcePlaysThreeBlocksAndEndsOnce)
{
    const uint32_t blockSize = BlockBytes(50);  // 2205 frames
    const std::vector<int16_t> samples = TestSignal(2 * 2205 + 300, 2, 21);
    PlayToTheEnd(samples, WriteWave(samples, 2), blockSize);
    // One end: a Stop afterwards finds nothing to release.
    EXPECT_EQ(Stop(), 0u);
    ExpectStoppedLook();
}

TEST_F(TransportTest, ExactMultipleOfTheBlockSizeEndsAfterItsLastFullBlock)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(4 * 2205, 2, 22);
    PlayToTheEnd(samples, WriteWave(samples, 2), blockSize);
}

TEST_F(TransportTest, SourceSmallerThanOneBlockPlaysOnce)
{
    const std::vector<int16_t> samples = TestSignal(500, 2, 23);
    PlayToTheEnd(samples, WriteWave(samples, 2), BlockBytes(50));
}

// A "data" chunk that claims more bytes than the file holds: the bytes that
// exist are played, the short block is the last.
std::string WriteTruncated(const TempDir& dir, const char* name, const std::vector<int16_t>& samples,
                           uint32_t claimedBytes)
{
    Bytes data;
    for (int16_t s : samples) AppendU16(&data, static_cast<uint16_t>(s));
    FormatFields f;
    Bytes body;
    AppendChunk(&body, "fmt ", FormatPayload(f));
    AppendChunkDeclared(&body, "data", claimedBytes, data);
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteFileBytes(path, RiffFile("WAVE", body)));
    return path;
}

TEST_F(TransportTest, DataChunkClaimingMoreThanTheFileHoldsEndsNormally)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(2 * 2205 + 400, 2, 24);
    PlayToTheEnd(samples, WriteTruncated(dir_, "short.wav", samples, 10 * blockSize), blockSize);
}

TEST_F(TransportTest, FileEndingOnABlockBoundaryBeforeItsClaimEndsNormally)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(3 * 2205, 2, 25);
    PlayToTheEnd(samples, WriteTruncated(dir_, "boundary.wav", samples, 10 * blockSize), blockSize);
}

TEST_F(TransportTest, PauseTwiceResumesFromTheSamePlace)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(40000, 2, 26);
    const std::string path = WriteWave(samples, 2);
    const size_t from = RecordingFrames();
    ASSERT_EQ(PlayFile(path, blockSize), 0u);
    PumpFor(300);

    EXPECT_EQ(Pause(), 0u);
    EXPECT_EQ(LedCentre(panel_.redLed), LampColour(true, "RED"));
    PumpFor(400);  // the indicator timer keeps the green LED lit through a pause
    ExpectButtons(true);
    ExpectLeds(true, true);
    PumpFor(300);

    EXPECT_EQ(Pause(), 0u);
    EXPECT_EQ(LedCentre(panel_.redLed), LampColour(false, "RED"));
    PumpFor(150);
    ExpectLeds(true, false);
    ASSERT_TRUE(WaitForStopped(5000));
    ExpectStoppedLook();

    // Silence in the middle, but every frame once and in order.
    ExpectHeardExactly(WaitForStream(from, samples, 5000), samples);
}

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
    ExpectHeardExactly(WaitForStream(from, samples, 5000), samples);
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
        ExpectHeardExactly(WaitForStream(from, second, 5000), second);
    }
}

}  // namespace
