// The faults the WAV fuzzer found, kept as regression cases on real files.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include "audio/source_check.h"
#include "dialogs/error_box.h"
#include "player/player.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/player/player_harness.h"

namespace {

// A chunk whose size, with its pad byte, is 0xFFFFFFF8: the system's chunk
// search adds it in 32 bits, lands on the same chunk again and never ends.
// It stands as a LIST inside the RIFF WAVE before the format, or as a JUNK
// chunk before the RIFF WAVE itself.
Bytes WrappingChunkBefore(bool insideRiff)
{
    Bytes file;
    if (insideRiff) AppendChunkDeclared(&file, "LIST", 0xFFFFFFF7, Bytes{'I', 'N', 'F', 'O'});
    else AppendChunkDeclared(&file, "JUNK", 0xFFFFFFF8, Bytes());
    const Bytes wave = RiffOf("WAVE", {{"fmt ", FormatPayload(FormatFields())}, {"data", Bytes(400, 0x21)}});
    file.insert(file.end(), wave.begin() + (insideRiff ? 12 : 0), wave.end());
    return insideRiff ? RiffFile("WAVE", file) : file;
}

std::string CheckText(const std::string& path)
{
    MessageBoxCatcher catcher;
    EXPECT_FALSE(AcceptSourceFile(nullptr, path.c_str()));
    return catcher.OnlyText();
}

// Plays path on a transport panel of its own; the boxes it showed.
std::vector<CaughtBox> PlayBoxes(const std::string& path, bool expectStart)
{
    TransportPanel panel = CreateTransportPanel();
    MessageBoxCatcher catcher;
    EXPECT_EQ(Play(panel.play, panel.stop, panel.pause, panel.greenLed, panel.redLed, 0, path.c_str(), 0, 26460) == 0,
              expectStart);
    Stop();
    DestroyTransportPanel(&panel);
    return catcher.Boxes();
}

std::string PlayText(const std::string& path)
{
    const std::vector<CaughtBox> boxes = PlayBoxes(path, false);
    return boxes.size() == 1 ? boxes[0].text : std::string();
}

TEST(WavFuzzFindings, ChunkSizeThatWrapsTheSearchEndsInAMessage)
{
    TempDir dir;
    const std::string list = dir.File("wrapping-list.wav");
    ASSERT_TRUE(WriteFileBytes(list, WrappingChunkBefore(true)));
    EXPECT_EQ(CheckText(list), "WAVE file is corrupted.");
    EXPECT_EQ(PlayText(list), "WAV file is corrupted.");
    EXPECT_TRUE(DeleteFileA(list.c_str()));

    const std::string junk = dir.File("wrapping-junk.wav");
    ASSERT_TRUE(WriteFileBytes(junk, WrappingChunkBefore(false)));
    EXPECT_EQ(CheckText(junk), "This is not a WAVE file.");
    EXPECT_EQ(PlayText(junk), "This is not a WAV file.");
    EXPECT_TRUE(DeleteFileA(junk.c_str()));
}

// An 8-bit file at 4294967295 Hz aborted the whole process inside the sound
// service, and so did 16777215 Hz. Rates above 384000 Hz are now refused
// with the device's own text, and the device is always told 16 bits, which is what
// the player writes: an 8-bit file at a real rate plays.
TEST(WavFuzzFindings, BitsPerSampleOfTheFileNeverReachTheDevice)
{
    TempDir dir;
    FormatFields f;
    f.bits = 8;
    for (uint32_t rate : {0xFFFFFFFFu, 0x80000000u, 0x40000000u, 0x00FFFFFFu, 384001u}) {
        f.rate = rate;
        const std::string absurd = dir.File("absurd-rate.wav");
        ASSERT_TRUE(WriteFileBytes(absurd, PcmWave(f, std::vector<int16_t>(200, 300))));
        const std::string text = PlayText(absurd);
        char known[256] = {};
        bool isDeviceText = false;
        for (UINT code = 1; code < 1024 && !isDeviceText; ++code)
            isDeviceText = waveOutGetErrorTextA(code, known, sizeof known) == MMSYSERR_NOERROR && text == known;
        EXPECT_TRUE(isDeviceText) << rate << ": " << text;
        EXPECT_TRUE(DeleteFileA(absurd.c_str()));
    }

    f.rate = 44100;
    const std::string eightBit = dir.File("eight-bit.wav");
    ASSERT_TRUE(WriteFileBytes(eightBit, PcmWave(f, std::vector<int16_t>(200, 300))));
    EXPECT_TRUE(PlayBoxes(eightBit, true).empty());
}

}  // namespace
