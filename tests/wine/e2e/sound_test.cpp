// The real program heard: what the recording sink took from its playback,
// and the files its mixdown wrote, against the peer render of the same file
// through the effect modules with the same settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "tests/support/wav_builder.h"
#include "tests/wine/e2e/e2e_fixture.h"
#include "tests/wine/player/player_harness.h"

namespace {

const uint32_t kBlockBytes = kDefaultBlockBytes;
const std::vector<int16_t> kAllFour = {1, 2, 3, 4};
const size_t kPauseFrames = 44100 / 2;

// Seconds of sound the sink has recorded since frame from.
double HeardSeconds(size_t from) { return WithoutSilence(ReadRecording(from)).size() / 2 / 44100.0; }

class SoundTest : public QuellboxTest {
protected:
    // A 44100 Hz stereo test signal written as a WAV file in the temporary folder.
    std::string Signal(const char* name, int frames, unsigned seed)
    {
        samples_ = TestSignal(frames, 2, seed);
        const std::string path = TempFile(name);
        EXPECT_TRUE(WriteTestWave(path, samples_, 2));
        files_.push_back(path);
        return path;
    }
    void TearDown() override
    {
        for (const std::string& f : files_) {
            SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f.c_str());
        }
    }

    std::vector<int16_t> samples_;
    std::vector<std::string> files_;
};

// The Effects Patch dialog, once it is open.
HWND OpenEffectsPatch(const QuellboxProcess& app)
{
    if (!app.Command(IDM_EFFECTS_PATCH)) return nullptr;
    return app.WaitForDialog("Effects Patch", 10000);
}

// A double-click on entry index of a list box.
void DoubleClickEntry(HWND list, int index)
{
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    ASSERT_TRUE(DoubleClickAt(list, item.left + 5, (item.top + item.bottom) / 2));
}

// A click on the middle of a button of the dialog.
void PressButton(HWND dialog, int id) { ASSERT_TRUE(ClickMiddle(GetDlgItem(dialog, id))); }

bool Closed(HWND dialog) { return WaitUntil([dialog] { return !IsWindow(dialog); }, 10000); }

TEST_F(SoundTest, ThePlayerPlaysThePatchTheEffectsPatchDialogSets)
{
    const std::string path = Signal("qbx_e2e_patch.wav", 20000 + 77, 21);
    StartWith(path);
    SwitchOn("PHASER");
    StepTo(IDC_UP, "FLANGER");
    StepTo(IDC_UP, "CHORUS");
    SwitchOn("CHORUS");

    StartEffectsAsTheProgramDoes(44100, {kPeerPhaser, kPeerChorus});
    const std::vector<int16_t> allFour = RenderOffline(samples_, 2, kBlockBytes, kAllFour);
    ASSERT_NE(allFour, samples_) << "the effects must change the sound";
    ExpectPlayedToTheEnd(allFour);

    // Clear and OK: the sound passes through no effect, bit for bit.
    HWND dialog = OpenEffectsPatch(app_);
    ASSERT_NE(nullptr, dialog);
    PressButton(dialog, IDC_CLEAR);
    PressButton(dialog, IDOK);
    ASSERT_TRUE(Closed(dialog));
    ExpectPlayedToTheEnd(samples_);

    // Chorus, then Phaser, by double-clicks in the available list.
    dialog = OpenEffectsPatch(app_);
    ASSERT_NE(nullptr, dialog);
    HWND available = GetDlgItem(dialog, IDC_AVAILABLE_LIST);
    ASSERT_EQ(4, SendMessageA(available, LB_GETCOUNT, 0, 0));
    DoubleClickEntry(available, 2);  // Phaser, Flanger, [Chorus], C-Delay
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(available, LB_GETCOUNT, 0, 0) == 3; }, 3000));
    DoubleClickEntry(available, 0);  // [Phaser], Flanger, C-Delay
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(available, LB_GETCOUNT, 0, 0) == 2; }, 3000));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(Closed(dialog));
    StartEffectsAsTheProgramDoes(44100, {kPeerPhaser, kPeerChorus});
    const std::vector<int16_t> chorusPhaser = RenderOffline(samples_, 2, kBlockBytes, {3, 1});
    ExpectPlayedToTheEnd(chorusPhaser);

    // Cancel after moves: the player keeps Chorus, Phaser.
    dialog = OpenEffectsPatch(app_);
    ASSERT_NE(nullptr, dialog);
    PressButton(dialog, IDC_CLEAR);
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(Closed(dialog));
    StartEffectsAsTheProgramDoes(44100, {kPeerPhaser, kPeerChorus});
    ExpectPlayedToTheEnd(chorusPhaser);
}

TEST_F(SoundTest, PauseLightsTheRedLedAndTheSoundGoesOnFromWhereItStopped)
{
    const std::string path = Signal("qbx_e2e_pause.wav", 100000, 22);
    StartWith(path);
    const size_t from = RecordingFrames();
    Play();
    ASSERT_TRUE(WaitUntil([&] { return HeardSeconds(from) > 0.5; }, 5000)) << "some of it played";
    EXPECT_FALSE(RedLit(app_));
    ASSERT_TRUE(app_.Command(IDC_PAUSE));
    EXPECT_TRUE(WaitUntil([this] { return RedLit(app_); }, 3000));
    EXPECT_TRUE(GreenLit(app_));
    // Paused for half a second of the sink's own recording.
    const size_t pausedAt = RecordingFrames();
    ASSERT_TRUE(WaitUntil([&] { return RecordingFrames() > pausedAt + kPauseFrames; }, 5000));
    ASSERT_TRUE(app_.Command(IDC_PAUSE));
    EXPECT_TRUE(WaitUntil([this] { return !RedLit(app_); }, 3000));
    EXPECT_TRUE(GreenLit(app_));
    ASSERT_TRUE(WaitForPlaybackEnd(15000));
    // Every frame once and in order, the pause a silence inside the stream:
    // nothing sounded while paused, nothing was lost or repeated.
    ExpectHeardExactly(WaitForStream(from, samples_, 5000), samples_, kBlockBytes, kPauseFrames);
}

// Plays the signal with the Phaser switched on, runs change while it plays
// and checks that the sound becomes the source itself within two blocks
// of the moment change returned.
template <typename Change>
void ExpectSourceWithinTwoBlocksAfter(QuellboxProcess& app, const std::vector<int16_t>& samples,
                                      Change change)
{
    StartEffectsAsTheProgramDoes(44100, {kPeerPhaser});
    const std::vector<int16_t> processed = RenderOffline(samples, 2, kBlockBytes, kAllFour);
    const size_t from = RecordingFrames();
    ASSERT_TRUE(app.Command(IDC_PLAY));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return GreenLit(app); }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return HeardSeconds(from) > 0.5; }, 5000)) << "the processed sound was never heard";
    change();
    const DWORD at = GetTickCount() - start;
    ASSERT_TRUE(WaitUntil([&] { return !GreenLit(app); }, 15000)) << "playback never ended";
    const std::vector<int16_t> recorded = WaitForStream(from, processed, 5000);
    // After the effect's glide of at most a block, the source itself.
    ExpectChangeWithinTwoBlocks(recorded, processed, samples, at, kBlockBytes, kBlockBytes / 4);
}

TEST_F(SoundTest, TheMixKnobDraggedToItsMinimumWhilePlayingLeavesTheSourceWithinTwoBlocks)
{
    const std::string path = Signal("qbx_e2e_knob.wav", 110000, 23);
    StartWith(path);
    SwitchOn("PHASER");
    HWND mix = app_.Control(IDC_KNOB_MIX);
    ExpectSourceWithinTwoBlocksAfter(app_, samples_, [&] {
        // Pressed at the centre (the maximum, the Phaser's own mix), dragged
        // down to the lower left (the minimum: no effect sound), released.
        ASSERT_TRUE(DragThrough(mix, {{15, 15}, {12, 22}, {8, 28}}, 3));
    });
    const Pixels atMinimum = ReferenceKnob(kMixKnob, 1, 200, 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_MIX) == atMinimum; }, 5000))
        << "the knob at its minimum";
    EXPECT_TRUE(WaitForDisplay(ReferenceKnobOnDisplay("PHASER", "Mix", "0%"))) << "the knob's value: mix 0 of 0.5";
}

TEST_F(SoundTest, TheOnOffLedSwitchesTheEffectOutWhilePlaying)
{
    const std::string path = Signal("qbx_e2e_onoff.wav", 110000, 24);
    StartWith(path);
    const std::vector<COLORREF> off = ControlPixels(app_, IDC_ONOFF_LED);
    SwitchOn("PHASER");
    ASSERT_TRUE(WaitUntil([&] { return ControlPixels(app_, IDC_ONOFF_LED) != off; }, 3000)) << "the LED shows ON";
    ExpectSourceWithinTwoBlocksAfter(app_, samples_, [&] { LeftClick(app_.Control(IDC_ONOFF_LED), 9, 9); });
    EXPECT_TRUE(WaitUntil([&] { return ControlPixels(app_, IDC_ONOFF_LED) == off; }, 5000))
        << "the LED shows OFF again";
}

// The mixdown of samples (channels of them) as the peer renders it with
// the effects switched on, as a WAV file's bytes.
std::string PeerMixdown(const std::vector<int16_t>& samples, int channels, std::initializer_list<int> switchedOn)
{
    StartEffectsAsTheProgramDoes(44100, switchedOn);
    const Bytes wave = PcmWave(FormatFields(), RenderOffline(samples, channels, kMixdownBlockBytes, kAllFour));
    return std::string(wave.begin(), wave.end());
}

// The written file holds expected from the form type on, then the closing
// information, under a RIFF size that is the file's.
void ExpectMixdownFile(const std::string& expected, const std::string& written)
{
    ASSERT_GE(written.size(), expected.size() + 8);
    // From the form type on: the format, the data chunk and every sample.
    const auto differs = std::mismatch(expected.begin() + 8, expected.end(), written.begin() + 8);
    EXPECT_TRUE(differs.first == expected.end())
        << "the mixdown differs from the peer render at byte " << (differs.first - expected.begin());
    EXPECT_EQ("LIST", written.substr(expected.size(), 4)) << "the closing information follows the sound";
    uint32_t riffSize = 0;
    std::memcpy(&riffSize, written.data() + 4, 4);
    EXPECT_EQ(riffSize, written.size() - 8) << "the RIFF size is the file's";
}

// Names the Western code pages cannot hold, for the source and the target.
TEST_F(SoundTest, TheMixdownFileHoldsThePeerRenderAtTheProgramsSettings)
{
    const std::string sourceName = "qbx_e2e_\xE3\x82\xBD\xE3\x83\xBC\xE3\x82\xB9 \xE2\x99\xAA.wav";
    const std::string path = Signal(sourceName.c_str(), 50000 + 31, 25);
    const std::string target = TempFile("qbx_e2e_\xD0\xBC\xD0\xB8\xD0\xBA\xD1\x81 \xE2\x99\xAA.wav");
    files_.push_back(target);
    StartWith(path);
    SwitchOn("PHASER");
    StepTo(IDC_DOWN, "C-DELAY");
    SwitchOn("C-DELAY");
    std::string proposed;
    ASSERT_TRUE(app_.MixdownThroughDialog(target, &proposed));
    EXPECT_EQ(sourceName, proposed) << "the Save dialog offers the source's own name";
    ASSERT_TRUE(WaitUntil([&] { return FileExists(target) && !app_.WaitForDialog("Progress", 0); }, 30000));
    ExpectMixdownFile(PeerMixdown(samples_, 2, {kPeerPhaser, kPeerChDelay}), ReadWholeFile(target));
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
}

// A mono source replaced by its own (stereo) mixdown is taken as Open takes
// a file: the next mixdown renders what is now on the disk.
TEST_F(SoundTest, ASourceReplacedByItsOwnMixdownIsTheSourceThatTheNextMixdownReads)
{
    const std::vector<int16_t> mono = TestSignal(30000 + 17, 1, 29);
    const std::string path = TempFile("qbx_e2e_own_source.wav");
    const std::string again = TempFile("qbx_e2e_own_source_again.wav");
    files_ = {path, again};
    ASSERT_TRUE(WriteTestWave(path, mono, 1));
    const std::string first = PeerMixdown(mono, 1, {kPeerPhaser});
    StartWith(path);
    SwitchOn("PHASER");
    ASSERT_TRUE(app_.MixdownThroughDialog(path));  // Yes, replace it
    // Watched by its size alone: a file held open here could not be replaced.
    ASSERT_TRUE(WaitUntil([&] { return FileSize(path) > static_cast<long long>(first.size()); }, 30000))
        << "never replaced";
    // Once replaced it is read as the program opens it anew, which may hold
    // it for a moment.
    std::string written;
    WaitUntil([&] { return (written = ReadWholeFile(path)).size() > first.size(); }, 5000);
    ExpectMixdownFile(first, written);
    EXPECT_EQ("qbx_e2e_own_source.wav - Quellbox", app_.Title());
    EXPECT_TRUE(app_.Enabled(IDC_PLAY));

    ASSERT_TRUE(app_.MixdownThroughDialog(again));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(again) && !app_.WaitForDialog("Progress", 0); }, 30000));
    constexpr size_t kCanonicalHeaderBytes = 44;  // RIFF, fmt and the data chunk's header
    std::vector<int16_t> firstSound((first.size() - kCanonicalHeaderBytes) / 2);
    std::memcpy(firstSound.data(), first.data() + kCanonicalHeaderBytes, firstSound.size() * 2);
    ExpectMixdownFile(PeerMixdown(firstSound, 2, {kPeerPhaser}), ReadWholeFile(again));
}

TEST_F(SoundTest, ATargetThatCannotBeReplacedShowsTheWriteErrorAndLeavesNoTemporaryFile)
{
    const std::string path = Signal("qbx_e2e_long.wav", 44100 * 120, 27);
    const std::string target = TempFile("qbx_e2e_read_only.wav");
    files_.push_back(target);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
    StartWith(path);
    SwitchOn("PHASER");  // a slower render
    ASSERT_TRUE(app_.MixdownThroughDialog(target));
    // A read-only file of the target name, made while the render runs (held
    // still meanwhile, so a busy machine cannot let it finish first): it can
    // be neither deleted nor replaced when the render is done.
    ASSERT_NE(nullptr, app_.WaitForDialog("Progress", 10000)) << "the render ended before it was seen";
    ASSERT_TRUE(app_.HoldWindowThread(true));
    const bool made = WriteWholeFile(target, "read-only mixdown") &&
                      SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool stillRendering = app_.WaitForDialog("Progress", 0) != nullptr;
    ASSERT_TRUE(app_.HoldWindowThread(false));
    ASSERT_TRUE(made);
    ASSERT_TRUE(stillRendering) << "the render ended before the file was made";
    EXPECT_EQ("Write Error. Mixdown file will be deleted.", app_.AnswerMessageBox(30000));
    EXPECT_TRUE(ReadWholeFile(target) == "read-only mixdown") << "the read-only target was changed";
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    EXPECT_TRUE(IsWindow(app_.MainWindow()));
}

}  // namespace
