// The player heard: what the pipe sink recorded is, frame for frame, what
// the offline render of the same file through the same patch gives.
#include <cmath>

#include "tests/wine/player/player_fixture.h"

namespace {

struct HearCase {
    int channels;
    int latencyMs;
};

class HearTest : public PlayerTest, public ::testing::WithParamInterface<HearCase> {};

const std::vector<int16_t> kAllFour = {1, 2, 3, 4};

TEST_P(HearTest, RecordingIsTheOfflineRenderFirstFrameToLast)
{
    const HearCase c = GetParam();
    const uint32_t blockSize = BlockBytes(c.latencyMs);
    const std::vector<int16_t> samples = TestSignal(30000 + 123, c.channels, 7);
    const std::string path = WriteWave(samples, c.channels);
    NotifyChangesToPlayer(kAllFour.data(), 4);
    SetUpAllEffects(44100);

    const size_t from = PlayToItsEnd(path, blockSize);

    SetUpAllEffects(44100);  // the same effect states from the start again
    const std::vector<int16_t> expected = RenderOffline(samples, c.channels, blockSize, kAllFour);
    ExpectHeardExactly(WaitForStream(from, expected, 5000), expected);
}

INSTANTIATE_TEST_SUITE_P(MonoAndStereo, HearTest,
                         ::testing::Values(HearCase{2, 50}, HearCase{2, 150}, HearCase{1, 50}, HearCase{1, 150},
                                           HearCase{2, 10}, HearCase{1, 20}),
                         [](const ::testing::TestParamInfo<HearCase>& info) {
                             return std::string(info.param.channels == 1 ? "Mono" : "Stereo") +
                                    std::to_string(info.param.latencyMs) + "ms";
                         });

// The frame where the level changed, checked against the call's time: the
// two blocks already queued may still play unchanged, nothing later.
void ExpectChangeWithinTwoBlocks(const std::vector<int16_t>& recorded, const std::vector<int16_t>& before,
                                 const std::vector<int16_t>& after, DWORD msAfterStart, uint32_t blockSize)
{
    const Hearing unchanged = CompareRecording(recorded, before);
    const long changed = unchanged.firstWrong;
    ASSERT_GE(changed, 0) << "the change was never heard";
    const long bound = static_cast<long>(msAfterStart * 44100.0 / 1000.0) + 2 * static_cast<long>(blockSize / 4);
    EXPECT_LE(changed, bound) << "heard later than two blocks after the call";
    // From the frame after the change on (the changed frame itself may take
    // one channel's new gain before the other's), everything is the new sound.
    const size_t from = 2 * (unchanged.stoppedAt + 1);
    ExpectHeardExactly(std::vector<int16_t>(recorded.begin() + from, recorded.end()),
                       std::vector<int16_t>(after.begin() + 2 * (changed + 1), after.end()));
}

TEST_F(PlayerTest, VolumeMinus20DecibelsReachesTheSoundWithinTwoBlocks)
{
    const uint32_t blockSize = BlockBytes(50);
    std::vector<int16_t> samples = TestSignal(70000, 2, 11);
    for (int16_t& s : samples)
        if (s > -100 && s < 100) s = s < 0 ? -100 : 100;  // still sounding at a tenth
    const std::string path = WriteWave(samples, 2);

    const size_t from = RecordingFrames();
    const DWORD start = GetTickCount();
    ASSERT_EQ(PlayFile(path, blockSize), 0u);
    PumpFor(600);
    const DWORD at = GetTickCount() - start;
    ChangeVolume(-20.0, -20.0);  // through the import of "_ChangeVolume@16"
    ASSERT_TRUE(WaitForStopped(5000));

    const std::vector<int16_t> quiet = RenderOffline(samples, 2, blockSize, {}, std::pow(10.0, 0.05 * -20.0));
    const std::vector<int16_t> recorded = WaitForStream(from, samples, 5000);
    ASSERT_FALSE(recorded.empty());
    ExpectChangeWithinTwoBlocks(recorded, samples, quiet, at, blockSize);
}

TEST_F(PlayerTest, EmptyPatchPassesTheNextBlocksUnchanged)
{
    const uint32_t blockSize = BlockBytes(50);
    const std::vector<int16_t> samples = TestSignal(70000, 2, 13);
    const std::string path = WriteWave(samples, 2);
    NotifyChangesToPlayer(kAllFour.data(), 4);
    SetUpAllEffects(44100);

    const size_t from = RecordingFrames();
    const DWORD start = GetTickCount();
    ASSERT_EQ(PlayFile(path, blockSize), 0u);
    PumpFor(600);
    const DWORD at = GetTickCount() - start;
    const int16_t none[1] = {1};
    NotifyChangesToPlayer(none, 0);
    ASSERT_TRUE(WaitForStopped(5000));

    SetUpAllEffects(44100);
    const std::vector<int16_t> processed = RenderOffline(samples, 2, blockSize, kAllFour);
    const std::vector<int16_t> recorded = WaitForStream(from, processed, 5000);
    ASSERT_FALSE(recorded.empty());
    // The first two blocks are the patch's sound, frame for frame.
    const long blockFrames = static_cast<long>(blockSize / 4);
    const long changed = CompareRecording(recorded, processed).firstWrong;
    EXPECT_TRUE(changed < 0 || changed >= 2 * blockFrames) << "the patch did not run before the change";
    // Everything from two blocks after the call on is the source itself.
    const size_t bound = static_cast<size_t>(at * 44100.0 / 1000.0) + 2 * blockFrames;
    ASSERT_LT(bound, samples.size() / 2) << "the change came too late to be heard";
    ExpectEndsWith(recorded, samples, samples.size() / 2 - bound);
}

}  // namespace
