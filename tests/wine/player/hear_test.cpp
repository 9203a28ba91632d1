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
    ExpectHeardExactly(WaitForStream(from, expected, 5000), expected, blockSize);
}

INSTANTIATE_TEST_SUITE_P(MonoAndStereo, HearTest,
                         ::testing::Values(HearCase{2, 50}, HearCase{2, 150}, HearCase{1, 50}, HearCase{1, 150},
                                           HearCase{2, 10}, HearCase{1, 20}),
                         [](const ::testing::TestParamInfo<HearCase>& info) {
                             return std::string(info.param.channels == 1 ? "Mono" : "Stereo") +
                                    std::to_string(info.param.latencyMs) + "ms";
                         });

// The judgement on what a sink would record of stream with a silent run of
// each dropout's length before its frame, played in blocks of latencyMs.
std::string DropoutsOfOursIn(const std::vector<int16_t>& stream, const std::vector<Dropout>& dropouts, int latencyMs)
{
    std::vector<int16_t> heard(stream);
    for (auto d = dropouts.rbegin(); d != dropouts.rend(); ++d)
        heard.insert(heard.begin() + 2 * d->beforeFrame, 2 * d->frames, 0);
    const Hearing h = CompareRecording(heard, stream);
    EXPECT_TRUE(h.firstWrong == -1 && h.dropouts.size() == dropouts.size());
    return DropoutsOfOurs(h, static_cast<size_t>(LatencyToBytesAtRate(latencyMs, 44100)) / 4);
}

// The comparison itself: a player that lets the device run dry at every
// refill fails, for runs as short as the platform's own and for a stream of
// three blocks; the worst second the bare sound path made (measured, on its
// own 10 ms periods) passes, whatever the block.
TEST(RecordingComparisonTest, SilenceAtEveryRefillIsOursTheBarePathsOwnDropoutsAreNot)
{
    constexpr size_t kTenMs = 441, kFiveMs = 220, kBlock150Ms = 15 * kTenMs;  // in frames
    const std::vector<int16_t> stream = TestSignal(44100, 2, 5);
    std::vector<Dropout> atRefills;
    for (size_t f = kTenMs; f < 44100; f += kTenMs) atRefills.push_back({f, kFiveMs});
    EXPECT_NE(DropoutsOfOursIn(stream, atRefills, 10), "");
    const std::vector<int16_t> threeBlocks(stream.begin(), stream.begin() + 2 * 3 * kBlock150Ms);
    EXPECT_NE(DropoutsOfOursIn(threeBlocks, {{kBlock150Ms, kFiveMs}, {2 * kBlock150Ms, kFiveMs}}, 150), "");
    const std::vector<Dropout> bare = {
        {1543, 882},   {1764, 441},   {2205, 1764},  {2646, 882},   {3528, 1102},  {8379, 220},
        {8820, 882},   {9702, 1102},  {10143, 220},  {11025, 1102}, {13671, 662},  {14994, 1544},
        {17860, 220},  {20066, 662},  {21169, 1323}, {23814, 441},  {26460, 1544}, {29106, 882},
        {33515, 1544}, {36161, 662},  {36603, 220},  {37044, 662},  {38808, 1102}, {43879, 220}};
    for (int latencyMs : {10, 20, 50, 150}) EXPECT_EQ(DropoutsOfOursIn(stream, bare, latencyMs), "") << latencyMs;
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
    ExpectChangeWithinTwoBlocks(recorded, processed, samples, at, blockSize);
}

}  // namespace
