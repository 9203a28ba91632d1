// The mixdown on real files through the real mmio and memory services and
// the real effect modules (all switched off, so the output does not depend
// on their processing), driven from a window's message loop.
#include "audio/mixdown.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "audio/source_check.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/mixdown/mixdown_driver.h"

namespace {

const char kUser[] = "qbx-tester";  // 10 characters: N = 12

// Full-range samples, different in every position, so that any swap, shift
// or rounding shows.
std::vector<int16_t> Pattern(size_t count, uint32_t seed = 1)
{
    std::vector<int16_t> out(count);
    uint32_t x = seed;
    for (size_t i = 0; i < count; ++i) {
        x = x * 1664525u + 1013904223u;
        out[i] = static_cast<int16_t>(x >> 16);
    }
    out[0] = -32768;
    if (count > 1) out[1] = 32767;
    return out;
}

Bytes SampleBytes(const std::vector<int16_t>& samples)
{
    Bytes b;
    for (int16_t s : samples) AppendU16(&b, static_cast<uint16_t>(s));
    return b;
}

std::string DateToday()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[16];
    snprintf(text, sizeof text, "%02u/%02u/%02u", t.wMonth, t.wDay, t.wYear % 100);
    return std::string(text) + std::string(4, '\0');
}

// text in a field of size bytes, filled up with NULs.
Bytes Field(const std::string& text, size_t size)
{
    Bytes b(text.begin(), text.end());
    b.resize(size, 0);
    return b;
}

// The file a render of these output samples must give: a 16-byte stereo
// format, the data, and a LIST INFO of the software, the date (12 bytes) and
// the user name with its NUL, padded to an even size.
Bytes ExpectedFile(uint32_t rate, const std::vector<int16_t>& output, const std::string& user,
                   const std::string& date)
{
    Bytes info;
    AppendFourCC(&info, "INFO");
    AppendChunk(&info, "ISFT", Field("Quellbox v. 1.5", 32));
    AppendChunk(&info, "ICRD", Field(date, 12));
    AppendChunk(&info, "IENG", Field(user, user.size() + (user.size() % 2 ? 1 : 2)));
    const FormatFields f = {1, 2, rate, 16};
    return RiffOf("WAVE", {{"fmt ", FormatPayload(f)}, {"data", SampleBytes(output)}, {"LIST", info}});
}

// A source file: fmt, then a data chunk declaring declaredSize bytes and
// holding payload, then whatever follows.
Bytes SourceFile(uint16_t channels, uint32_t rate, uint32_t declaredSize, const Bytes& payload, const Bytes& after = {})
{
    const FormatFields f = {1, channels, rate, 16};
    Bytes body;
    AppendChunk(&body, "fmt ", FormatPayload(f));
    AppendChunkDeclared(&body, "data", declaredSize, payload);
    if (payload.size() % 2) body.push_back(0);
    body.insert(body.end(), after.begin(), after.end());
    return RiffFile("WAVE", body);
}

class MixdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserName(kUser);
        ResetEffectsPatch();
        ResetEffectParameters();
        g_masterVolume = 0.0;
        g_sourceFormat = {44100, 0, 0, 0};
        temp_ = dir_.File("tmpqbx15.wav");
    }
    void TearDown() override
    {
        FinishMixdown();  // whatever a failed test left open
        ResetEffectsPatch();
        g_masterVolume = 0.0;
    }

    static void SetUserName(const char* name) { SetEnvironmentVariableA("WINEUSERNAME", name); }

    // Writes the source and runs the real source check over it.
    std::string Source(const std::string& name, const Bytes& bytes)
    {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        MessageBoxCatcher catcher;
        EXPECT_TRUE(CheckSourceFile(path.c_str()));
        EXPECT_TRUE(catcher.Boxes().empty()) << catcher.OnlyText();
        return path;
    }

    MixdownRun Render(const std::string& source, int cancelAfterBlocks = -1)
    {
        MessageBoxCatcher catcher;
        date_ = DateToday();
        const MixdownRun run = DriveMixdown(source, temp_, cancelAfterBlocks);
        EXPECT_TRUE(catcher.Boxes().empty()) << "the renderer shows no message: " << catcher.OnlyText();
        return run;
    }

    Bytes Output() const
    {
        Bytes b;
        EXPECT_TRUE(ReadFileBytes(temp_, &b));
        return b;
    }

    // The render's file, optionally kept for the independent readers.
    void ExpectOutput(const Bytes& expected, const char* keepAs)
    {
        const Bytes out = Output();
        EXPECT_EQ(out.size(), expected.size());
        EXPECT_TRUE(out == expected) << "output differs from the expected layout";
        Keep(keepAs);
    }

    // With QBX_MIXDOWN_READER_DIR set, copies the output there so that the
    // reader check can open it with Python's wave module and sox.
    void Keep(const char* name) const
    {
        const char* dir = std::getenv("QBX_MIXDOWN_READER_DIR");
        if (dir && *dir && name) CopyFileA(temp_.c_str(), (std::string(dir) + "\\" + name).c_str(), FALSE);
    }

    TempDir dir_;
    std::string temp_;
    std::string date_;
};

// A source whose whole frames come back unchanged (a mono one as two equal
// channels): how much of its declared data chunk the file holds, and the
// blocks that takes.
struct WrittenBack {
    const char* keepAs;
    uint16_t channels;
    uint32_t rate;
    size_t samples;  // a stereo source's odd last sample is a half frame
    uint32_t declared;
    int blocks;
    bool strayByte;     // one more byte at the end of the data: never sounds
    bool trailingList;  // after the data: never read
};

TEST_F(MixdownTest, WholeFramesAreWrittenBackByteForByteThroughFourEffectsSwitchedOff)
{
    const WrittenBack cases[] = {
        {"stereo3blocks.wav", 2, 44100, 98304 / 2, 98304, 3, false, false},
        {"trailingList.wav", 2, 44100, 49152 / 2, 49152, 2, false, true},  // 32768 + 16384
        {"shortSource.wav", 2, 44100, 25000, 98304, 2, false, false},      // the short second read ends the render
        {"shortAtBoundary.wav", 2, 44100, 32768, 98304, 3, false, false},  // the third read is empty
        {"mono20000.wav", 1, 22050, 10000, 20000, 2, false, false},        // 16384 + 3616 bytes read
        {"fourOff48k.wav", 2, 48000, 40000, 80000, 3, false, false},
        {"stereoHalfFrame.wav", 2, 44100, 16385, 32770, 2, false, false},  // 32768 + a half frame
        {"stereoOddLength.wav", 2, 44100, 16385, 32771, 2, true, false},   // 32768 + 3 bytes
        {"monoOddLength.wav", 1, 44100, 10000, 20001, 2, true, false},     // 16384 + 3617 bytes
    };
    ASSERT_EQ(g_effectsPatch.count, 4) << "all four effects in the patch, all switched off";
    uint32_t seed = 1;
    for (const WrittenBack& c : cases) {
        const std::vector<int16_t> samples = Pattern(c.samples, seed += 2);
        std::vector<int16_t> expected;
        for (size_t i = 0; i < c.samples - c.samples % c.channels; ++i)
            expected.insert(expected.end(), c.channels == 1 ? 2 : 1, samples[i]);
        Bytes data = SampleBytes(samples), trailer;
        if (c.strayByte) data.push_back(0x55);
        if (c.trailingList) AppendChunk(&trailer, "LIST", Bytes(4096, 0x7F));
        const Bytes source = SourceFile(c.channels, c.rate, c.declared, data, trailer);
        const MixdownRun run = Render(Source("in.wav", source));
        EXPECT_TRUE(run.completed) << c.keepAs;
        EXPECT_EQ(run.blocksRendered, c.blocks) << c.keepAs;
        EXPECT_EQ(run.stepsHandled, c.blocks + 1) << c.keepAs;  // the blocks and the closing step
        EXPECT_TRUE(g_mixdown.completed) << c.keepAs;
        ExpectOutput(ExpectedFile(c.rate, expected, kUser, date_), c.keepAs);
    }
}

TEST_F(MixdownTest, ChunksBeforeTheDataAreSkipped)
{
    const std::vector<int16_t> samples = Pattern(1000, 29);
    FormatFields f;
    // An 18-byte format chunk, then an odd (padded) LIST.
    const Bytes wave = RiffOf("WAVE", {{"fmt ", FormatPayload(f, 2)},
                                       {"fact", Bytes(4, 9)},
                                       {"LIST", Bytes(33, 0x41)},
                                       {"data", SampleBytes(samples)}});
    EXPECT_TRUE(Render(Source("chunks.wav", wave)).completed);
    ExpectOutput(ExpectedFile(44100, samples, kUser, date_), "chunksBeforeData.wav");
}

TEST_F(MixdownTest, MasterVolumeGainClipsAndRounds)
{
    g_masterVolume = 6.0;  // gain 1.9953
    const std::vector<int16_t> samples = {20000, -20000, 1000, -1000, 16422, -16422, 16423, -16424, 0, 1};
    const std::vector<int16_t> expected = {32767, -32768, 1995, -1995, 32766, -32766, 32767, -32768, 0, 2};
    const MixdownRun run = Render(Source("in.wav", SourceFile(2, 44100, 20, SampleBytes(samples))));
    EXPECT_TRUE(run.completed);
    ExpectOutput(ExpectedFile(44100, expected, kUser, date_), "gain6dB.wav");
}

TEST_F(MixdownTest, UserNameLengthSetsThePaddedIengSize)
{
    const std::vector<int16_t> samples = Pattern(64, 9);
    const std::string source = Source("in.wav", SourceFile(2, 44100, 128, SampleBytes(samples)));

    SetUserName("abcdefghijkl");  // 12 characters: NUL and pad, N = 14
    EXPECT_TRUE(Render(source).completed);
    ExpectOutput(ExpectedFile(44100, samples, "abcdefghijkl", date_), "user12.wav");
    EXPECT_EQ(Output().size(), 8 + 116 + 128 + 14u);

    SetUserName("abcdefghijk");  // 11 characters: NUL only, N = 12
    EXPECT_TRUE(Render(source).completed);
    ExpectOutput(ExpectedFile(44100, samples, "abcdefghijk", date_), "user11.wav");
    EXPECT_EQ(Output().size(), 8 + 116 + 128 + 12u);

    SetUserName(std::string(40, 'w').c_str());  // at most 31 characters are kept
    EXPECT_TRUE(Render(source).completed);
    ExpectOutput(ExpectedFile(44100, samples, std::string(31, 'w'), date_), "user31.wav");
}

TEST_F(MixdownTest, CancelAfterTheFirstBlockLeavesAClosedReadableFile)
{
    const std::vector<int16_t> samples = Pattern(98304 / 2, 23);
    const std::string source = Source("in.wav", SourceFile(2, 44100, 98304, SampleBytes(samples)));
    const MixdownRun run = Render(source, 1);
    EXPECT_TRUE(run.cancelled);
    EXPECT_FALSE(run.completed);
    EXPECT_TRUE(run.stepQueuedAtCancel);
    EXPECT_TRUE(run.finishResult);
    EXPECT_EQ(run.blocksRendered, 1);  // the queued step was never served
    EXPECT_FALSE(g_mixdown.completed);
    const std::vector<int16_t> first(samples.begin(), samples.begin() + 16384);
    ExpectOutput(ExpectedFile(44100, first, kUser, date_), "cancelled.wav");
    EXPECT_TRUE(DeleteFileA(temp_.c_str())) << "the temporary file is still open";
    EXPECT_TRUE(DeleteFileA(source.c_str())) << "the source is still open";
    EXPECT_TRUE(FinishMixdown());  // a second finish releases nothing
    EXPECT_EQ(GetFileAttributesA(temp_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MixdownTest, CancelBeforeTheFirstBlockWritesAnEmptyFile)
{
    const std::string source = Source("in.wav", SourceFile(2, 44100, 4096, SampleBytes(Pattern(2048))));
    const MixdownRun run = Render(source, 0);
    EXPECT_TRUE(run.cancelled);
    EXPECT_EQ(run.blocksRendered, 0);
    ExpectOutput(ExpectedFile(44100, {}, kUser, date_), nullptr);
    EXPECT_TRUE(DeleteFileA(temp_.c_str()));
}

TEST_F(MixdownTest, FinishWithNothingOpenReleasesNothing)
{
    PrepareMixdown(dir_.File("none.wav").c_str(), temp_.c_str(), kMixdownBlockBytes);
    EXPECT_TRUE(FinishMixdown());
    EXPECT_TRUE(FinishMixdown());
    EXPECT_EQ(GetFileAttributesA(temp_.c_str()), INVALID_FILE_ATTRIBUTES);

    // Nor does a finish after a completed render touch the finished file.
    const std::string source = Source("in.wav", SourceFile(2, 44100, 64, SampleBytes(Pattern(32))));
    ASSERT_TRUE(Render(source).completed);
    const Bytes before = Output();
    EXPECT_TRUE(FinishMixdown());
    EXPECT_TRUE(Output() == before);
}

// Each way a start fails: no step is posted, no temporary file is left
// (nor made, where the source cannot be opened), and neither file is held.
TEST_F(MixdownTest, AFailedStartLeavesNothingOpenOrBehind)
{
    const std::string normalTemp = temp_;
    const Bytes withoutData = RiffOf("WAVE", {{"fmt ", FormatPayload(FormatFields())}, {"junk", Bytes(64, 1)}});
    const struct {
        const char* name;
        uint16_t channels;
        std::function<void(const std::string& source)> spoil;
    } cases[] = {
        {"no folder for the temporary file", 2, [&](const std::string&) { temp_ = dir_.File("no-such-folder\\t.wav"); }},
        {"the source is gone", 2, [](const std::string& source) { ASSERT_TRUE(DeleteFileA(source.c_str())); }},
        // A mono data chunk near 4 GiB would double past the 32-bit sizes.
        {"output too large", 1, [](const std::string&) { g_sourceFormat.dataLength = 0xFFFFFF00u; }},
        // Made after the temporary file: the start removes that again.
        {"the source lost its data chunk since it was checked", 2,
         [&](const std::string& source) { ASSERT_TRUE(WriteFileBytes(source, withoutData)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        temp_ = normalTemp;
        const std::string source = Source("in.wav", SourceFile(c.channels, 44100, 4096, SampleBytes(Pattern(2048))));
        c.spoil(source);
        const MixdownRun run = Render(source);
        EXPECT_FALSE(run.started);
        EXPECT_TRUE(run.failed);
        EXPECT_EQ(run.stepsHandled, 0);
        EXPECT_EQ(g_mixdown.currentBlockBytes, 0);
        EXPECT_EQ(GetFileAttributesA(temp_.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(DeleteFileA(source.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) << "the source is held";
        EXPECT_TRUE(FinishMixdown());
    }
}

}  // namespace
