// The real program heard: what the recording sink took from its playback,
// and the files its mixdown wrote, against the offline render of the same
// file through the same effects with the same settings.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "audio/effect_modules.h"
#include "audio/source_check.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "tests/wine/e2e/e2e_fixture.h"
#include "tests/wine/mixdown/mixdown_driver.h"
#include "tests/wine/player/player_harness.h"

namespace {

const uint32_t kBlockBytes = static_cast<uint32_t>(LatencyToBytesAtRate(150, 44100));  // the default latency
const std::vector<int16_t> kAllFour = {1, 2, 3, 4};

bool Looks(COLORREF c, int channel)
{
    const int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    return v[channel] > 120 && v[channel] > v[(channel + 1) % 3] + 40 && v[channel] > v[(channel + 2) % 3] + 40;
}
bool GreenLit(const QuellboxProcess& app) { return Looks(ScreenPixel(app.MainWindow(), 152, 66), 1); }
bool RedLit(const QuellboxProcess& app) { return Looks(ScreenPixel(app.MainWindow(), 184, 66), 0); }

// The effect states the program holds after start-up with the given effects
// switched on, set up in this process's own copy of the effect modules.
void SetUpEffects(std::initializer_list<int> switchedOn)
{
    ResetEffectParameters();
    for (int id : switchedOn) EffectParametersFor(id)->on = 1;
    InitPhaser(44100);
    InitFlanger(44100);
    InitChorus(44100);
    InitChDelay(44100);
    for (int id = kPhaserId; id <= kChDelayId; ++id) SendEffectParameters(id);
}

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
    // The on/off LED of the current effect clicked; waits until it shows
    // the other state.
    void ToggleCurrentEffect()
    {
        const std::vector<COLORREF> before = ControlPixels(app_, IDC_ONOFF_LED);
        LeftClick(app_.Control(IDC_ONOFF_LED), 9, 9);
        ASSERT_TRUE(WaitUntil([&] { return ControlPixels(app_, IDC_ONOFF_LED) != before; }, 5000))
            << "the LED did not change";
    }

    // UP or DOWN clicked; waits until the display names the effect.
    void StepTo(int button, const char* name)
    {
        ASSERT_TRUE(app_.Command(button));
        const Pixels shown = ReferenceDisplayLine(name);
        ASSERT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) == shown; }, 5000)) << name;
    }

    // PLAY to the end; the sounding frames heard, given what must be heard.
    std::vector<int16_t> PlayAndHear(const std::vector<int16_t>& expected)
    {
        const size_t from = RecordingFrames();
        Play();
        EXPECT_TRUE(WaitForPlaybackEnd(15000));
        return WaitForStream(from, expected, 5000);
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
    ToggleCurrentEffect();  // Phaser on
    StepTo(IDC_UP, "FLANGER");
    StepTo(IDC_UP, "CHORUS");
    ToggleCurrentEffect();  // Chorus on
    const Pixels chorusOn = ReferenceDisplay("CHORUS", kTopLeft, "ON", kTopRight);
    ASSERT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) == chorusOn; }, 5000));

    SetUpEffects({kPhaserId, kChorusId});
    const std::vector<int16_t> allFour = WithoutSilence(RenderOffline(samples_, 2, kBlockBytes, kAllFour));
    ASSERT_NE(FirstMismatch(allFour, samples_), -1) << "the effects must change the sound";
    ExpectHeardExactly(PlayAndHear(allFour), allFour);

    // Clear and OK: the sound passes through no effect, bit for bit.
    HWND dialog = OpenEffectsPatch(app_);
    ASSERT_NE(nullptr, dialog);
    PressButton(dialog, IDC_CLEAR);
    PressButton(dialog, IDOK);
    ASSERT_TRUE(Closed(dialog));
    ExpectHeardExactly(PlayAndHear(samples_), samples_);

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
    SetUpEffects({kPhaserId, kChorusId});
    const std::vector<int16_t> chorusPhaser = WithoutSilence(RenderOffline(samples_, 2, kBlockBytes, {3, 1}));
    ExpectHeardExactly(PlayAndHear(chorusPhaser), chorusPhaser);

    // Cancel after moves: the player keeps Chorus, Phaser.
    dialog = OpenEffectsPatch(app_);
    ASSERT_NE(nullptr, dialog);
    PressButton(dialog, IDC_CLEAR);
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(Closed(dialog));
    SetUpEffects({kPhaserId, kChorusId});
    ExpectHeardExactly(PlayAndHear(chorusPhaser), chorusPhaser);
}

TEST_F(SoundTest, PauseLightsTheRedLedAndTheSoundGoesOnFromWhereItStopped)
{
    const std::string path = Signal("qbx_e2e_pause.wav", 100000, 22);
    StartWith(path);
    const size_t from = RecordingFrames();
    Play();
    Sleep(700);  // some of it played
    EXPECT_FALSE(RedLit(app_));
    ASSERT_TRUE(app_.Command(IDC_PAUSE));
    EXPECT_TRUE(WaitUntil([this] { return RedLit(app_); }, 3000));
    EXPECT_TRUE(GreenLit(app_));
    EXPECT_TRUE(app_.Enabled(IDC_STOP));
    Sleep(400);
    const size_t pausedAt = RecordingFrames();
    Sleep(600);
    const std::vector<int16_t> duringPause = ReadRecording(pausedAt);
    EXPECT_GT(duringPause.size(), 44100u / 4) << "the sink goes on recording silence";
    EXPECT_TRUE(WithoutSilence(duringPause).empty()) << "nothing sounds while paused";

    ASSERT_TRUE(app_.Command(IDC_PAUSE));
    EXPECT_TRUE(WaitUntil([this] { return !RedLit(app_); }, 3000));
    EXPECT_TRUE(GreenLit(app_));
    ASSERT_TRUE(WaitForPlaybackEnd(15000));
    // The player enables the buttons, then draws the LEDs dark.
    EXPECT_TRUE(WaitUntil([this] { return !GreenLit(app_); }, 3000));
    // Every frame once and in order: nothing lost or repeated at the pause.
    ExpectHeardExactly(WaitForStream(from, samples_, 5000), samples_);
}

// Plays the signal with the Phaser switched on, runs change while it plays
// and checks that the sound becomes the source itself within two blocks
// of the moment change returned.
template <typename Change>
void ExpectSourceWithinTwoBlocksAfter(QuellboxProcess& app, const std::vector<int16_t>& samples,
                                      Change change)
{
    SetUpEffects({kPhaserId});
    const std::vector<int16_t> processed = WithoutSilence(RenderOffline(samples, 2, kBlockBytes, kAllFour));
    const size_t from = RecordingFrames();
    ASSERT_TRUE(app.Command(IDC_PLAY));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return app.Enabled(IDC_STOP); }, 5000));
    Sleep(800);
    change();
    const DWORD at = GetTickCount() - start;
    ASSERT_TRUE(WaitUntil([&] { return app.Enabled(IDC_PLAY) && !app.Enabled(IDC_STOP); }, 15000));
    const std::vector<int16_t> recorded = WaitForStream(from, processed, 5000);
    ASSERT_FALSE(recorded.empty()) << "the processed sound was never heard";
    const size_t blockFrames = kBlockBytes / 4;
    const long changed = FirstMismatch(recorded, processed);
    ASSERT_GE(changed, 0) << "the change was never heard";
    EXPECT_GE(changed, static_cast<long>(blockFrames)) << "the effect ran before the change";
    const size_t bound = static_cast<size_t>(at * 44.1) + 2 * blockFrames;
    EXPECT_LE(static_cast<size_t>(changed), bound) << "heard later than two blocks after the change";
    // From two blocks (and the effect's short glide) after the change on,
    // the source itself: compared from the end back.
    const size_t settled = bound + blockFrames;
    ASSERT_LT(settled, samples.size() / 2);
    const size_t tail = samples.size() / 2 - settled;
    ASSERT_GE(recorded.size() / 2, tail);
    EXPECT_EQ(FirstMismatch(std::vector<int16_t>(recorded.end() - 2 * tail, recorded.end()),
                            std::vector<int16_t>(samples.end() - 2 * tail, samples.end())),
              -1)
        << "the sound after the change is not the source";
}

TEST_F(SoundTest, TheMixKnobDraggedToItsMinimumWhilePlayingLeavesTheSourceWithinTwoBlocks)
{
    const std::string path = Signal("qbx_e2e_knob.wav", 110000, 23);
    StartWith(path);
    ToggleCurrentEffect();  // Phaser on
    HWND mix = app_.Control(IDC_KNOB_MIX);
    ExpectSourceWithinTwoBlocksAfter(app_, samples_, [&] {
        // Pressed at the centre (the maximum, the Phaser's own mix), dragged
        // down to the lower left (the minimum: no effect sound), released.
        ASSERT_TRUE(DragThrough(mix, {{15, 15}, {12, 22}, {8, 28}}, 3));
    });
    const Pixels atMinimum = ReferenceKnob(kKnobMix, 1, 200, 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_MIX) == atMinimum; }, 5000))
        << "the knob at its minimum";
    const Pixels shown = ReferenceKnobOnDisplay(kPhaserId, kKnobMix, "Mix", 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) == shown; }, 5000))
        << "the display shows the knob's value";
}

TEST_F(SoundTest, TheOnOffLedSwitchesTheEffectOutWhilePlaying)
{
    const std::string path = Signal("qbx_e2e_onoff.wav", 110000, 24);
    StartWith(path);
    const std::vector<COLORREF> off = ControlPixels(app_, IDC_ONOFF_LED);
    ToggleCurrentEffect();  // Phaser on
    ASSERT_TRUE(WaitUntil([&] { return ControlPixels(app_, IDC_ONOFF_LED) != off; }, 3000)) << "the LED shows ON";
    ExpectSourceWithinTwoBlocksAfter(app_, samples_, [&] { LeftClick(app_.Control(IDC_ONOFF_LED), 9, 9); });
    EXPECT_TRUE(WaitUntil([&] { return ControlPixels(app_, IDC_ONOFF_LED) == off; }, 5000))
        << "the LED shows OFF again";
}

// The mixdown this process's renderer writes for source with the program's
// start-up settings and the given effects switched on.
std::string OfflineMixdown(const std::string& source, std::initializer_list<int> switchedOn)
{
    EXPECT_TRUE(CheckSourceFile(source.c_str()));
    ResetEffectParameters();
    for (int id : switchedOn) EffectParametersFor(id)->on = 1;
    ResetEffectsPatch();
    g_masterVolume = 0.0;
    const std::string out = TempFile("qbx_e2e_offline_mixdown.wav");
    const MixdownRun run = DriveMixdown(source, out);
    EXPECT_TRUE(run.completed);
    const std::string bytes = ReadWholeFile(out);
    DeleteFileA(out.c_str());
    return bytes;
}

TEST_F(SoundTest, TheMixdownFileIsByteForByteWhatTheRendererWrites)
{
    const std::string path = Signal("qbx_e2e_mixsource.wav", 50000 + 31, 25);
    const std::string target = TempFile("qbx_e2e_mixdown_exact.wav");
    files_.push_back(target);
    StartWith(path);
    ToggleCurrentEffect();  // Phaser on
    StepTo(IDC_DOWN, "C-DELAY");
    ToggleCurrentEffect();
    ASSERT_TRUE(app_.MixdownThroughDialog(target));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(target) && !app_.WaitForDialog("Progress", 0); }, 30000));
    Sleep(200);
    const std::string written = ReadWholeFile(target);
    const std::string expected = OfflineMixdown(path, {kPhaserId, kChDelayId});
    ASSERT_GT(expected.size(), 44u + 200000u);
    EXPECT_EQ(expected.size(), written.size());
    EXPECT_TRUE(expected == written) << "the program's mixdown differs from the renderer's";
    EXPECT_FALSE(FileExists(WindowsFile("tmpqbx15.wav")));
}

TEST_F(SoundTest, CancelInTheProgressDialogLeavesTheExistingTargetAndNoTemporaryFile)
{
    // Ten minutes: long enough that the render is still running at the click.
    constexpr int kFrames = 44100 * 600;
    const std::string path = Signal("qbx_e2e_long.wav", kFrames, 26);
    const std::string target = TempFile("qbx_e2e_kept.wav");
    files_.push_back(target);
    DeleteFileA(target.c_str());
    StartWith(path);
    ToggleCurrentEffect();  // Phaser on: a slower render
    ASSERT_TRUE(app_.MixdownThroughDialog(target));
    // The file of the target name appears while the render runs, so the
    // save dialog has nothing to ask about.
    WriteWholeFile(target, "the previous mixdown");
    HWND progress = app_.WaitForDialog("Progress", 10000);
    ASSERT_NE(nullptr, progress);
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    EXPECT_EQ(0, SendMessageA(bar, PBM_GETRANGE, TRUE, 0));
    EXPECT_EQ(static_cast<int>(kFrames * 4LL / 32768), SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    // The bar and the Cancel button are drawn while the render runs, and
    // the bar moves.
    HWND cancel = GetDlgItem(progress, IDC_PROGRESS_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { const std::vector<COLORREF> p = WindowPixels(cancel);
        return std::set<COLORREF>(p.begin(), p.end()).size() >= 3; }, 3000))
        << "the Cancel button is painted";
    const std::vector<COLORREF> barBefore = WindowPixels(bar);
    EXPECT_TRUE(WaitUntil([&] { return WindowPixels(bar) != barBefore; }, 3000)) << "the bar is painted as it steps";
    // Escape does nothing; a click on Cancel ends it between two blocks.
    ASSERT_TRUE(BringToForeground(progress));
    PressKey(VK_ESCAPE);
    Sleep(300);
    EXPECT_TRUE(IsWindow(progress));
    ASSERT_TRUE(ClickAt(cancel, 10, 5));
    ASSERT_TRUE(Closed(progress));
    EXPECT_EQ("", app_.AnswerMessageBox(500));
    EXPECT_TRUE(ReadWholeFile(target) == "the previous mixdown") << "the existing target was replaced";
    EXPECT_FALSE(FileExists(WindowsFile("tmpqbx15.wav")));
    EXPECT_TRUE(IsWindowEnabled(app_.MainWindow()));
}

TEST_F(SoundTest, ATargetThatCannotBeReplacedShowsTheWriteErrorAndLeavesNoTemporaryFile)
{
    const std::string path = Signal("qbx_e2e_long.wav", 44100 * 120, 27);
    const std::string target = TempFile("qbx_e2e_read_only.wav");
    files_.push_back(target);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(target.c_str());
    StartWith(path);
    ToggleCurrentEffect();  // Phaser on: a slower render
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
    EXPECT_FALSE(FileExists(WindowsFile("tmpqbx15.wav")));
    EXPECT_TRUE(IsWindow(app_.MainWindow()));
}

}  // namespace
