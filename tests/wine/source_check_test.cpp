// The source check on real files, through the real mmio services, with the
// real message box caught as it appears.
#include "audio/source_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/main_window.h"
#include "dialogs/error_box.h"
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
        g_sourceFormat = {44100, 0, 0, 0};
        g_latency = kDefaultLatency;
        g_shell.mainWindow = nullptr;
    }

    std::string Write(const std::string& name, const Bytes& bytes)
    {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // Runs the check and returns the text of the one box it showed ("" when
    // it showed none); accepted tells whether it returned true.
    std::string Check(const std::string& path, bool* accepted = nullptr)
    {
        MessageBoxCatcher catcher;
        const bool ok = AcceptSourceFile(g_shell.mainWindow, path.c_str());
        if (accepted) *accepted = ok;
        EXPECT_EQ(ok, catcher.Boxes().empty()) << "a refusal shows exactly one box, an acceptance none";
        EXPECT_LE(catcher.Boxes().size(), 1u);
        last_ = catcher.Boxes().empty() ? CaughtBox() : catcher.Boxes()[0];
        return catcher.OnlyText();
    }

    std::string CheckBytes(const Bytes& bytes, bool* accepted = nullptr)
    {
        return Check(Write("case" + std::to_string(++counter_) + ".wav", bytes), accepted);
    }

    static Bytes WaveWith(const FormatFields& f, uint32_t frames = 100)
    {
        return PcmWave(f, std::vector<int16_t>(static_cast<size_t>(frames) * (f.channels ? f.channels : 1), 1000));
    }

    TempDir dir_;
    CaughtBox last_;
    int counter_ = 0;
};

TEST_F(SourceCheckTest, AcceptsStereoAndRecordsItsFormat)
{
    FormatFields f;
    f.rate = 48000;
    bool ok = false;
    EXPECT_EQ(CheckBytes(WaveWith(f, 1000), &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.sampleRate, 48000u);
    EXPECT_EQ(g_sourceFormat.channels, 2);
    EXPECT_EQ(g_sourceFormat.dataLength, 4000u);
    EXPECT_EQ(g_sourceFormat.blockSize, LatencyToBytesAtRate(150, 48000));
}

TEST_F(SourceCheckTest, AcceptsMonoAndTheLowestRate)
{
    FormatFields f;
    f.channels = 1;
    f.rate = 16000;
    bool ok = false;
    CheckBytes(WaveWith(f, 10), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.channels, 1);
    EXPECT_EQ(g_sourceFormat.dataLength, 20u);
    EXPECT_EQ(g_sourceFormat.blockSize, 9600);
}

TEST_F(SourceCheckTest, AcceptsAnEighteenByteFormatChunk)
{
    bool ok = false;
    CheckBytes(RiffOf("WAVE", {{"fmt ", FormatPayload(FormatFields(), 2)}, {"data", Bytes(400, 0)}}), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.dataLength, 400u);
}

TEST_F(SourceCheckTest, DataLengthIsWhatTheChunkHeaderStates)
{
    // A data chunk that claims more than the file holds is accepted with the
    // claimed length; the player and the mixdown cope with the short read.
    Bytes body;
    AppendChunk(&body, "fmt ", FormatPayload(FormatFields()));
    AppendChunkDeclared(&body, "data", 100000, Bytes(400, 0));
    bool ok = false;
    CheckBytes(RiffFile("WAVE", body), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.dataLength, 100000u);
}

TEST_F(SourceCheckTest, SkipsUnknownChunksAroundFmtAndData)
{
    const Bytes fmt = FormatPayload(FormatFields());
    const Bytes junk(7, 1);  // odd: padded
    bool ok = false;
    CheckBytes(RiffOf("WAVE", {{"junk", junk}, {"fmt ", fmt}, {"LIST", Bytes(12, 2)}, {"data", Bytes(8, 0)}}), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.dataLength, 8u);
}

TEST_F(SourceCheckTest, RateBoundaryAndSampleWidths)
{
    FormatFields f;
    f.rate = 15999;
    EXPECT_EQ(CheckBytes(WaveWith(f)), kInvalidFormat);
    f.rate = 44100;
    f.bits = 8;
    EXPECT_EQ(CheckBytes(WaveWith(f)), kInvalidFormat);
    f.bits = 24;
    EXPECT_EQ(CheckBytes(WaveWith(f)), kInvalidFormat);
    f.bits = 24;
    f.rate = 8000;
    EXPECT_EQ(CheckBytes(WaveWith(f)), kInvalidFormat);
}

TEST_F(SourceCheckTest, RefusesChannelCountsOtherThanMonoOrStereo)
{
    FormatFields f;
    for (uint16_t channels : {0, 3, 6, 65535}) {
        f.channels = channels;
        EXPECT_EQ(CheckBytes(WaveWith(f, 4)), kInvalidChannels) << channels << " channels";
    }
    // The sample format is judged first.
    f.channels = 3;
    f.bits = 8;
    EXPECT_EQ(CheckBytes(WaveWith(f, 4)), kInvalidFormat);
}

TEST_F(SourceCheckTest, RefusesWhatIsNotAWaveFile)
{
    EXPECT_EQ(Check(dir_.File("missing.wav")), "Open file error.");
    EXPECT_EQ(Check(std::string(300, 'a')), "Open file error.");
    EXPECT_EQ(CheckBytes(RiffFile("AVI ", Bytes(64, 0))), "This is not a WAVE file.");
    EXPECT_EQ(CheckBytes(Bytes{'n', 'o', 't', ' ', 'r', 'i', 'f', 'f', ' ', 'a', 't', ' ', 'a', 'l', 'l'}),
              "This is not a WAVE file.");
    EXPECT_EQ(CheckBytes(Bytes()), "This is not a WAVE file.");
}

TEST_F(SourceCheckTest, RefusesBrokenStructure)
{
    const Bytes fmt = FormatPayload(FormatFields());
    const Bytes data(40, 0);
    EXPECT_EQ(CheckBytes(RiffOf("WAVE", {{"data", data}})), "WAVE file is corrupted.");
    EXPECT_EQ(CheckBytes(RiffOf("WAVE", {{"fmt ", fmt}})), "WAVE file has no data chunk.");
    EXPECT_EQ(CheckBytes(RiffOf("WAVE", {{"data", data}, {"fmt ", fmt}})), "WAVE file has no data chunk.");
    EXPECT_EQ(CheckBytes(RiffOf("WAVE", {{"fmt ", fmt}, {"data", Bytes()}})), "The data chunk has no data.");

    // The format chunk claims more bytes than the file holds.
    Bytes truncatedFmt;
    AppendChunkDeclared(&truncatedFmt, "fmt ", 64, FormatPayload(FormatFields()));
    EXPECT_EQ(CheckBytes(RiffFile("WAVE", truncatedFmt)), "Failed to read format chunk.");
}

TEST_F(SourceCheckTest, RefusesFormatChunksShorterThanThePcmHeader)
{
    const Bytes full = FormatPayload(FormatFields());
    for (size_t size = 0; size < 16; ++size) {
        const Bytes wave = RiffOf("WAVE", {{"fmt ", Bytes(full.begin(), full.begin() + size)}, {"data", Bytes(40, 0)}});
        EXPECT_EQ(CheckBytes(wave), "WAVE file is corrupted.") << "fmt of " << size << " bytes";
    }
}

TEST_F(SourceCheckTest, CompressedFilesAreRefusedBeforeTheirDataIsLookedFor)
{
    FormatFields f;
    f.tag = 2;  // ADPCM
    EXPECT_EQ(CheckBytes(RiffOf("WAVE", {{"fmt ", FormatPayload(f)}})), "The file is not a PCM file.");
    f.tag = 3;  // IEEE float, with data
    EXPECT_EQ(CheckBytes(WaveWith(f)), "The file is not a PCM file.");
}

TEST_F(SourceCheckTest, ARefusedFileLeavesThePreviousSource)
{
    FormatFields good;
    good.rate = 44100;
    bool ok = false;
    CheckBytes(WaveWith(good, 500), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(g_sourceFormat.blockSize, 26460);
    const SourceFormat before = g_sourceFormat;

    FormatFields bad = good;
    bad.rate = 15999;
    CheckBytes(WaveWith(bad), &ok);
    EXPECT_FALSE(ok);
    CheckBytes(RiffOf("WAVE", {{"fmt ", FormatPayload(FormatFields())}}), &ok);
    EXPECT_FALSE(ok);
    Check(dir_.File("missing.wav"), &ok);
    EXPECT_FALSE(ok);

    EXPECT_EQ(g_sourceFormat.sampleRate, before.sampleRate);
    EXPECT_EQ(g_sourceFormat.channels, before.channels);
    EXPECT_EQ(g_sourceFormat.dataLength, before.dataLength);
    EXPECT_EQ(g_sourceFormat.blockSize, before.blockSize);
}

TEST_F(SourceCheckTest, BlockSizeFollowsTheNewRate)
{
    FormatFields f;
    bool ok = false;
    CheckBytes(WaveWith(f), &ok);
    EXPECT_EQ(g_sourceFormat.blockSize, 26460);
    f.rate = 22050;
    CheckBytes(WaveWith(f), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.blockSize, 13228);
    g_latency = 100;
    f.rate = 44100;
    CheckBytes(WaveWith(f), &ok);
    EXPECT_EQ(g_sourceFormat.blockSize, 17640);
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
    g_shell.mainWindow = owner;
    CheckBytes(RiffFile("AVI ", Bytes(8, 0)));
    EXPECT_EQ(last_.owner, owner);
    g_shell.mainWindow = nullptr;
    DestroyWindow(owner);
}

TEST_F(SourceCheckTest, TheDemoBesideTheProgramIsAccepted)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string demo = exe;
    demo = demo.substr(0, demo.find_last_of('\\') + 1) + "demo.wav";
    bool ok = false;
    EXPECT_EQ(Check(demo, &ok), "");
    EXPECT_TRUE(ok);
    EXPECT_EQ(g_sourceFormat.sampleRate, 44100u);
    EXPECT_EQ(g_sourceFormat.channels, 2);
    EXPECT_EQ(g_sourceFormat.dataLength, 8u * 44100 * 4);
}

TEST_F(SourceCheckTest, LeavesNoFileOpen)
{
    // Every outcome closes the file: it can then be deleted at once.
    FormatFields f;
    const std::string good = Write("good.wav", WaveWith(f));
    Check(good);
    EXPECT_TRUE(DeleteFileA(good.c_str()));
    f.bits = 8;
    const std::string bad = Write("bad.wav", WaveWith(f));
    Check(bad);
    EXPECT_TRUE(DeleteFileA(bad.c_str()));
}

}  // namespace
