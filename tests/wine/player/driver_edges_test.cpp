// The player at the edges of what drivers and files give it: a driver that
// answers its position in another unit than bytes, or not at all, and data
// chunks that end inside a frame. The driver's answers are put between
// player.dll and the real device by redirecting the DLL's import.
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "audio/source_check.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "tests/support/file_helpers.h"
#include "tests/support/import_patch.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/mixdown/mixdown_driver.h"
#include "tests/wine/player/player_fixture.h"

namespace {

using GetPositionFunction = MMRESULT(WINAPI*)(HWAVEOUT, LPMMTIME, UINT);
using WriteFunction = MMRESULT(WINAPI*)(HWAVEOUT, LPWAVEHDR, UINT);

template <typename Function>
Function RealWinmm(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("winmm.dll"), name)));
}
GetPositionFunction RealGetPosition() { return RealWinmm<GetPositionFunction>("waveOutGetPosition"); }
WriteFunction RealWrite() { return RealWinmm<WriteFunction>("waveOutWrite"); }

// A driver that tells its position only in samples, whatever it is asked.
MMRESULT WINAPI PositionInSamples(HWAVEOUT device, LPMMTIME time, UINT size)
{
    time->wType = TIME_BYTES;
    const MMRESULT result = RealGetPosition()(device, time, size);
    if (result != MMSYSERR_NOERROR || time->wType != TIME_BYTES) return result;
    const DWORD bytes = time->u.cb;
    time->wType = TIME_SAMPLES;
    time->u.sample = bytes / 4;  // 16-bit stereo frames
    return result;
}
// A driver that cannot tell its position at all.
MMRESULT WINAPI PositionNotSupported(HWAVEOUT, LPMMTIME, UINT) { return MMSYSERR_NOTSUPPORTED; }

// Every byte the player hands to the device, in order.
CRITICAL_SECTION g_writeLock;
std::vector<unsigned char> g_written;
MMRESULT WINAPI RecordingWrite(HWAVEOUT device, LPWAVEHDR header, UINT size)
{
    EnterCriticalSection(&g_writeLock);
    const auto* bytes = reinterpret_cast<const unsigned char*>(header->lpData);
    g_written.insert(g_written.end(), bytes, bytes + header->dwBufferLength);
    LeaveCriticalSection(&g_writeLock);
    return RealWrite()(device, header, size);
}

HMODULE Player() { return GetModuleHandleA("player.dll"); }

class DriverEdgesTest : public PlayerTest {
protected:
    void TearDown() override
    {
        PlayerTest::TearDown();
        PatchImport(Player(), "winmm.dll", "waveOutGetPosition", reinterpret_cast<void*>(RealGetPosition()));
        PatchImport(Player(), "winmm.dll", "waveOutWrite", reinterpret_cast<void*>(RealWrite()));
    }

    // Plays six seconds, longer than the player's wait for a silent device,
    // and expects the playback to run to its end unasked.
    void ExpectPlayedToTheEnd()
    {
        MessageBoxCatcher boxes;
        const std::string path = WriteWave(TestSignal(6 * 44100, 2, 5), 2);
        const DWORD start = GetTickCount();
        ASSERT_EQ(PlayFile(path, BlockBytes(50)), 0u);
        EXPECT_TRUE(WaitForStopped(20000));
        const DWORD took = GetTickCount() - start;
        EXPECT_GE(took, 5800u) << "the playback was ended before its last block";
        EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text;
        ExpectStoppedLook();
    }
};

TEST_F(DriverEdgesTest, ADriverAnsweringInSamplesOrNotAtAllPlaysToTheEnd)
{
    for (GetPositionFunction position : {PositionInSamples, PositionNotSupported}) {
        SCOPED_TRACE(position == PositionInSamples ? "in samples" : "not at all");
        ASSERT_TRUE(PatchImport(Player(), "winmm.dll", "waveOutGetPosition", reinterpret_cast<void*>(position)));
        ExpectPlayedToTheEnd();
    }
}

// A WAVE file whose data chunk holds samples and then extra stray bytes.
std::string WriteRaggedWave(const std::string& path, const std::vector<int16_t>& samples, int channels, int extra)
{
    Bytes data(samples.size() * 2 + extra);
    std::memcpy(data.data(), samples.data(), samples.size() * 2);
    for (int i = 0; i < extra; ++i) data[samples.size() * 2 + i] = static_cast<unsigned char>(0x35 + i);
    FormatFields f;
    f.channels = static_cast<uint16_t>(channels);
    Bytes body;
    AppendChunk(&body, "fmt ", FormatPayload(f));
    AppendChunk(&body, "data", data);
    EXPECT_TRUE(WriteFileBytes(path, RiffFile("WAVE", body)));
    return path;
}

// The data chunk of a mixdown file (its size at byte 40, its data from 44).
std::vector<unsigned char> MixdownData(const std::string& path)
{
    const std::string file = ReadWholeFile(path);
    if (file.size() < 44) return {};
    uint32_t size = 0;
    std::memcpy(&size, file.data() + 40, 4);
    if (file.size() < 44 + static_cast<size_t>(size)) return {};
    return std::vector<unsigned char>(file.begin() + 44, file.begin() + 44 + size);
}

struct RaggedCase {
    int channels;
    int frames;
    int extra;  // stray bytes after the last whole frame
};

class RaggedDataTest : public DriverEdgesTest, public ::testing::WithParamInterface<RaggedCase> {};

TEST_P(RaggedDataTest, PlaybackHandsTheDeviceExactlyWhatTheMixdownWrites)
{
    const RaggedCase c = GetParam();
    const std::vector<int16_t> samples = TestSignal(c.frames, c.channels, 9);
    const std::string source = WriteRaggedWave(dir_.File("ragged.wav"), samples, c.channels, c.extra);

    // The mixdown of the file, through no effect at -6 dB.
    ASSERT_TRUE(CheckSourceFile(source.c_str()));
    g_effectsPatch.count = 0;
    g_masterVolume = -6.0;
    const std::string rendered = dir_.File("mixdown.wav");
    ASSERT_TRUE(DriveMixdown(source, rendered).completed);
    g_masterVolume = 0.0;
    const std::vector<unsigned char> mixdown = MixdownData(rendered);
    ASSERT_FALSE(mixdown.empty());
    EXPECT_EQ(mixdown.size() % 4, 0u);

    // Its playback at the same volume, every byte handed to the device kept.
    InitializeCriticalSection(&g_writeLock);
    g_written.clear();
    ASSERT_TRUE(PatchImport(Player(), "winmm.dll", "waveOutWrite", reinterpret_cast<void*>(RecordingWrite)));
    ChangeVolume(-6.0, -6.0);
    const size_t from = RecordingFrames();
    ASSERT_EQ(PlayFile(source, BlockBytes(50)), 0u);
    ASSERT_TRUE(WaitForStopped(10000));
    PatchImport(Player(), "winmm.dll", "waveOutWrite", reinterpret_cast<void*>(RealWrite()));
    DeleteCriticalSection(&g_writeLock);

    // The device got the mixdown's bytes, then only the silence that lets
    // the sound leave the speakers.
    ASSERT_GE(g_written.size(), mixdown.size());
    EXPECT_TRUE(std::equal(mixdown.begin(), mixdown.end(), g_written.begin()));
    for (size_t i = mixdown.size(); i < g_written.size(); ++i) ASSERT_EQ(g_written[i], 0) << "byte " << i;

    // And the recording heard is the mixdown, frame for frame.
    std::vector<int16_t> expected(mixdown.size() / 2);
    std::memcpy(expected.data(), mixdown.data(), mixdown.size());
    ExpectHeardExactly(WaitForStream(from, expected, 5000), expected, BlockBytes(50));
}

TEST_F(DriverEdgesTest, DataOfLessThanOneFrameEndsAtOnceWithNothingPlayed)
{
    for (int channels : {1, 2}) {
        MessageBoxCatcher boxes;
        InitializeCriticalSection(&g_writeLock);
        g_written.clear();
        ASSERT_TRUE(PatchImport(Player(), "winmm.dll", "waveOutWrite", reinterpret_cast<void*>(RecordingWrite)));
        const std::string path = WriteRaggedWave(dir_.File("tiny" + std::to_string(channels) + ".wav"), {},
                                                 channels, channels == 1 ? 1 : 3);
        EXPECT_EQ(PlayFile(path, BlockBytes(50)), 0u) << channels;
        EXPECT_TRUE(WaitForStopped(5000)) << channels;
        PatchImport(Player(), "winmm.dll", "waveOutWrite", reinterpret_cast<void*>(RealWrite()));
        DeleteCriticalSection(&g_writeLock);
        for (unsigned char b : g_written) ASSERT_EQ(b, 0) << "only silence reaches the device";
        EXPECT_TRUE(boxes.Boxes().empty()) << channels;
        ExpectStoppedLook();
    }
}

INSTANTIATE_TEST_SUITE_P(OddDataChunks, RaggedDataTest,
                         ::testing::Values(RaggedCase{2, 2 * 2205 + 7, 1}, RaggedCase{2, 2 * 2205 + 7, 2},
                                           RaggedCase{2, 2 * 2205 + 7, 3}, RaggedCase{2, 2 * 2205, 3},
                                           RaggedCase{1, 4 * 2205 + 5, 1}, RaggedCase{1, 4 * 2205, 1}),
                         [](const ::testing::TestParamInfo<RaggedCase>& info) {
                             return std::string(info.param.channels == 1 ? "Mono" : "Stereo") +
                                    std::to_string(info.param.frames) + "FramesAnd" +
                                    std::to_string(info.param.extra) + "Bytes";
                         });

}  // namespace
