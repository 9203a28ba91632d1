// The source check on real files, through the real mmio services, with the
// real message box caught as it appears.
#include "audio/source_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/error_box.h"
#include "model/settings.h"
#include "model/source_format.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"

namespace {

const char kInvalidFormat[] =
    "Invalid file format. QBX supports only 16-bit soundfile with sample rate greater (or equal) "
    "than 16000 Hz. ";
const char kInvalidChannels[] = "Invalid file format. QBX supports only mono or stereo soundfile.";

class SourceCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_sourceFormat = {32000, 1, 123456, 19200};  // a previous source, unlike every file here
        g_settings.latency = kDefaultLatency;
    }

    // Runs the check and returns the text of the one box it showed ("" when
    // it showed none); accepted tells whether it returned true.
    std::string Check(const std::string& path, bool* accepted = nullptr)
    {
        MessageBoxCatcher catcher;
        const SourceFormat before = g_sourceFormat;
        const bool ok = AcceptSourceFile(owner_, path.c_str());
        if (accepted) *accepted = ok;
        EXPECT_EQ(ok, catcher.Boxes().empty()) << "a refusal shows exactly one box, an acceptance none";
        if (!ok) {
            EXPECT_TRUE(SameFormat(g_sourceFormat, before)) << "a refusal changed the recorded source";
        }
        EXPECT_LE(catcher.Boxes().size(), 1u);
        last_ = catcher.Boxes().empty() ? CaughtBox() : catcher.Boxes()[0];
        return catcher.OnlyText();
    }

    std::string CheckBytes(const Bytes& bytes, bool* accepted = nullptr)
    {
        const std::string path = dir_.File("case" + std::to_string(++counter_) + ".wav");
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return Check(path, accepted);
    }

    static Bytes WaveWith(const FormatFields& f, uint32_t frames = 100)
    {
        return PcmWave(f, std::vector<int16_t>(static_cast<size_t>(frames) * (f.channels ? f.channels : 1), 1000));
    }

    static bool SameFormat(const SourceFormat& a, const SourceFormat& b)
    {
        return a.sampleRate == b.sampleRate && a.channels == b.channels && a.dataLength == b.dataLength &&
               a.blockSize == b.blockSize;
    }

    TempDir dir_;
    CaughtBox last_;
    HWND owner_ = nullptr;  // the main window that owns the boxes
    int counter_ = 0;
};

// A file the check accepts, at a latency, and what it records of it.
struct Accepted {
    const char* name;
    Bytes bytes;
    int16_t latency;
    SourceFormat recorded;
};

TEST_F(SourceCheckTest, AcceptsAndRecordsTheFormatAndTheBlockSize)
{
    const FormatFields f;  // tag, channels, rate, bits: 1, 2, 44100, 16
    const Bytes fmt = FormatPayload(f);
    Bytes claimsMore;
    AppendChunk(&claimsMore, "fmt ", fmt);
    AppendChunkDeclared(&claimsMore, "data", 100000, Bytes(400, 0));
    const Bytes junk(7, 1);  // odd: padded
    const Accepted files[] = {
        {"stereo", WaveWith({1, 2, 48000, 16}, 1000), 150, {48000, 2, 4000, LatencyToBytesAtRate(150, 48000)}},
        {"mono at the lowest rate", WaveWith({1, 1, 16000, 16}, 10), 150, {16000, 1, 20, 9600}},
        {"stereo at 22050", WaveWith({1, 2, 22050, 16}), 150, {22050, 2, 400, 13228}},
        {"a shorter latency", WaveWith(f), 100, {44100, 2, 400, 17640}},
        {"an 18-byte format chunk", RiffOf("WAVE", {{"fmt ", FormatPayload(f, 2)}, {"data", Bytes(400, 0)}}), 150,
         {44100, 2, 400, 26460}},
        // The claimed length: the player and the mixdown cope with the short read.
        {"a data chunk claiming more than the file holds", RiffFile("WAVE", claimsMore), 150,
         {44100, 2, 100000, 26460}},
        {"unknown chunks around fmt and data",
         RiffOf("WAVE", {{"junk", junk}, {"fmt ", fmt}, {"LIST", Bytes(12, 2)}, {"data", Bytes(8, 0)}}), 150,
         {44100, 2, 8, 26460}},
    };
    for (const Accepted& file : files) {
        g_settings.latency = file.latency;
        bool ok = false;
        EXPECT_EQ(CheckBytes(file.bytes, &ok), "") << file.name;
        EXPECT_TRUE(ok) << file.name;
        EXPECT_TRUE(SameFormat(g_sourceFormat, file.recorded)) << file.name;
    }
}

// A file the check refuses, and the text of its one box.
struct Refused {
    const char* name;
    Bytes bytes;
    const char* text;
};

// The sample format is judged before the channel count, a compressed
// format before the data chunk is looked for.
TEST_F(SourceCheckTest, EveryRefusalShowsItsOwnText)
{
    const Bytes fmt = FormatPayload(FormatFields());
    const Bytes data(40, 0);
    Bytes truncatedFmt;  // claims more bytes than the file holds
    AppendChunkDeclared(&truncatedFmt, "fmt ", 64, fmt);
    const char kNotWave[] = "This is not a WAVE file.";
    const char kNotPcm[] = "The file is not a PCM file.";
    std::vector<Refused> files = {
        {"15999 Hz", WaveWith({1, 2, 15999, 16}), kInvalidFormat},
        {"8 bits", WaveWith({1, 2, 44100, 8}), kInvalidFormat},
        {"24 bits", WaveWith({1, 2, 44100, 24}), kInvalidFormat},
        {"24 bits at 8000 Hz", WaveWith({1, 2, 8000, 24}), kInvalidFormat},
        {"3 channels of 8 bits", WaveWith({1, 3, 44100, 8}, 4), kInvalidFormat},
        {"RIFF AVI", RiffFile("AVI ", Bytes(64, 0)), kNotWave},
        {"not RIFF", Bytes{'n', 'o', 't', ' ', 'r', 'i', 'f', 'f', ' ', 'a', 't', ' ', 'a', 'l', 'l'}, kNotWave},
        {"empty file", Bytes(), kNotWave},
        {"no format chunk", RiffOf("WAVE", {{"data", data}}), "WAVE file is corrupted."},
        {"no data chunk", RiffOf("WAVE", {{"fmt ", fmt}}), "WAVE file has no data chunk."},
        {"data before format", RiffOf("WAVE", {{"data", data}, {"fmt ", fmt}}), "WAVE file has no data chunk."},
        {"empty data chunk", RiffOf("WAVE", {{"fmt ", fmt}, {"data", Bytes()}}), "The data chunk has no data."},
        {"format chunk past the end", RiffFile("WAVE", truncatedFmt), "Failed to read format chunk."},
        {"ADPCM, no data", RiffOf("WAVE", {{"fmt ", FormatPayload({2, 2, 44100, 16})}}), kNotPcm},
        {"IEEE float", WaveWith({3, 2, 44100, 16}), kNotPcm},
    };
    for (uint16_t channels : {0, 3, 6, 65535})
        files.push_back({"channels", WaveWith({1, channels, 44100, 16}, 4), kInvalidChannels});
    for (size_t size = 0; size < 16; ++size)
        files.push_back({"fmt shorter than 16 bytes",
                         RiffOf("WAVE", {{"fmt ", Bytes(fmt.begin(), fmt.begin() + size)}, {"data", data}}),
                         "WAVE file is corrupted."});
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(CheckBytes(files[i].bytes), files[i].text) << "case " << i << ": " << files[i].name;
    EXPECT_EQ(Check(dir_.File("missing.wav")), "Open file error.");
    EXPECT_EQ(Check(std::string(300, 'a')), "Open file error.");
}

TEST_F(SourceCheckTest, TheBoxIsAQuellboxErrorWithOneOkOwnedByTheMainWindow)
{
    CheckBytes(RiffFile("AVI ", Bytes(8, 0)));
    EXPECT_EQ(last_.caption, "Quellbox");
    EXPECT_TRUE(last_.errorIcon);
    EXPECT_EQ(last_.buttonCount, 1);
    EXPECT_TRUE(last_.hasOk);
    EXPECT_EQ(last_.owner, nullptr);

    HWND owner = CreateWindowA("STATIC", "main", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    owner_ = owner;
    CheckBytes(RiffFile("AVI ", Bytes(8, 0)));
    EXPECT_EQ(last_.owner, owner);
    owner_ = nullptr;
    DestroyWindow(owner);
}

}  // namespace
