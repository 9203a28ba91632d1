// The real qbx15.exe, started and worked from outside as a user would.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "tests/wine/e2e/e2e_fixture.h"

namespace {

// A green LED lit by the player is clearly green on the screen.
bool LooksGreen(COLORREF c) { return GetGValue(c) > 120 && GetGValue(c) > GetRValue(c) + 40; }

TEST_F(QuellboxTest, RightClicksDuringTheIntroDoNothingAndTheFirstOneAfterItEnablesThePanel)
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    const DWORD shown = GetTickCount();
    EXPECT_EQ("Quellbox", app_.Title());
    ASSERT_TRUE(app_.RightClick());
    Sleep(600);  // time for the click to act
    for (int id : kKnobIds) EXPECT_FALSE(app_.Enabled(id)) << "knob " << id;
    EXPECT_FALSE(app_.Enabled(IDC_UP));

    ASSERT_TRUE(app_.ActivatePanel(20000));
    // The banner is typed one letter per 100 ms before the prompt may be answered.
    EXPECT_GE(GetTickCount() - shown, 1200u);
    for (int id : kKnobIds) EXPECT_TRUE(app_.Enabled(id)) << "knob " << id;
    for (int id : {IDC_VOLUME_SLIDER, IDC_DISPLAY, IDC_ONOFF_LED, IDC_UP, IDC_DOWN})
        EXPECT_TRUE(app_.Enabled(id)) << "control " << id;
    for (int id : {IDC_PLAY, IDC_PAUSE, IDC_STOP}) EXPECT_FALSE(app_.Enabled(id)) << "button " << id;

    ASSERT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(10000));
}

TEST_F(QuellboxTest, ASecondCopyIsRefusedWithItsMessageAndExitCode1)
{
    StartActive();
    QuellboxProcess second;
    ASSERT_TRUE(second.Start());
    EXPECT_EQ("Quellbox is already active.", second.AnswerMessageBox(15000));
    EXPECT_EQ(nullptr, FindProcessWindow(second.Pid(), "zantil_quellbox", nullptr));
    EXPECT_EQ(1, second.WaitForExit(10000));
    // The running copy goes on untouched.
    EXPECT_TRUE(IsWindow(app_.MainWindow()));
}

TEST_F(QuellboxTest, OpeningTheDemoThroughTheOpenDialogEnablesPlayAndNamesTheWindow)
{
    StartActive();
    EXPECT_FALSE(app_.Enabled(IDC_PLAY));
    ASSERT_TRUE(app_.OpenThroughDialog(DemoWav()));
    EXPECT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 5000));
    EXPECT_EQ("demo.wav - Quellbox", app_.Title());
    EXPECT_FALSE(app_.Enabled(IDC_STOP));
}

TEST_F(QuellboxTest, ARejectedFileShowsItsMessageAndLeavesTheOpenFileInPlace)
{
    StartWithDemo();
    const std::string bad = TempFile("qbx_e2e_not_a_wave.wav");
    WriteWholeFile(bad, "This is plain text, not a RIFF file.");
    ASSERT_TRUE(app_.OpenThroughDialog(bad));
    EXPECT_EQ("This is not a WAVE file.", app_.AnswerMessageBox(10000));
    EXPECT_EQ("demo.wav - Quellbox", app_.Title());
    EXPECT_TRUE(app_.Enabled(IDC_PLAY));
    DeleteFileA(bad.c_str());
}

TEST_F(QuellboxTest, RightClicksDuringTheIntroOpenNoMenuAndLaterOnesAlwaysDo)
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    ASSERT_TRUE(app_.RightClick(185, 46));
    Sleep(500);  // time for a menu to appear
    EXPECT_EQ(nullptr, app_.PopupMenu()) << "no menu during the intro";

    ASSERT_TRUE(app_.ActivatePanel(20000));
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(app_.RightClick(185, 46));
        EXPECT_TRUE(WaitUntil([this] { return app_.PopupMenu() != nullptr; }, 5000)) << "right click " << i;
        EXPECT_TRUE(app_.CloseMenu());
    }
}

TEST_F(QuellboxTest, MixdownThroughTheSaveDialogWritesAStereoWaveAndNoTemporaryFile)
{
    StartWithDemo();
    const std::string target = TempFile("qbx_e2e_mixdown.wav");
    DeleteFileA(target.c_str());
    ASSERT_TRUE(app_.MixdownThroughDialog(target));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(target) && !app_.WaitForDialog("Progress", 0); }, 30000));
    const std::string out = ReadWholeFile(target);
    ASSERT_GE(out.size(), 44u);
    EXPECT_EQ("RIFF", out.substr(0, 4));
    EXPECT_EQ("WAVE", out.substr(8, 4));
    EXPECT_EQ(2, static_cast<unsigned char>(out[22]));  // channels
    EXPECT_NE(std::string::npos, out.find("LIST"));
    const std::string demo = ReadWholeFile(DemoWav());
    EXPECT_GE(out.size(), demo.size() - 64);  // at least as long as a stereo source
    EXPECT_FALSE(FileExists(WindowsFile("tmpqbx15.wav")));
    DeleteFileA(target.c_str());
}

TEST_F(QuellboxTest, PlayLightsTheGreenLedAndStopPutsTheButtonsBack)
{
    StartWithDemo();
    EXPECT_FALSE(LooksGreen(ScreenPixel(app_.MainWindow(), 152, 66)));
    ASSERT_TRUE(app_.Command(IDC_PLAY));
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_STOP); }, 5000));
    EXPECT_FALSE(app_.Enabled(IDC_PLAY));
    EXPECT_TRUE(app_.Enabled(IDC_PAUSE));
    EXPECT_TRUE(WaitUntil([this] { return LooksGreen(ScreenPixel(app_.MainWindow(), 152, 66)); }, 3000));

    ASSERT_TRUE(app_.Command(IDC_STOP));
    ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 5000));
    EXPECT_FALSE(app_.Enabled(IDC_STOP));
    EXPECT_FALSE(app_.Enabled(IDC_PAUSE));
}

TEST_F(QuellboxTest, ClosingTheWindowWhilePlayingEndsTheProgramCleanly)
{
    StartWithDemo();
    Play();
    // Alt+F4, as the keyboard closes the focused window.
    ASSERT_TRUE(BringToForeground(app_.MainWindow()));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(0, app_.WaitForExit(10000));
}

TEST_F(QuellboxTest, ExitWhilePlayingEndsTheProgramCleanly)
{
    StartWithDemo();
    Play();
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(10000));
}

// Types latency into the Preferences dialog's latency box and clicks OK.
bool SetLatencyInPreferences(const QuellboxProcess& app, const char* latency)
{
    if (!app.Command(IDM_PREFERENCES)) return false;
    HWND dialog = app.WaitForDialog("Preferences", 10000);
    if (!dialog) return false;
    if (!TypeIntoBox(GetDlgItem(dialog, IDC_LATENCY_BOX), latency) || !ClickMiddle(GetDlgItem(dialog, IDOK)))
        return false;
    return WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
}

TEST_F(QuellboxTest, PreferencesStopPlaybackOnlyOnAChangeWhichExitWritesBack)
{
    StartWithDemo();
    Play();
    ASSERT_TRUE(SetLatencyInPreferences(app_, "150"));  // unchanged
    Sleep(300);  // time for a stop to show
    EXPECT_TRUE(app_.Enabled(IDC_STOP)) << "still playing";
    ASSERT_TRUE(SetLatencyInPreferences(app_, "200"));
    EXPECT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY) && !app_.Enabled(IDC_STOP); }, 5000));
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ("200", IniText("Wave Out", "Latency"));
}

TEST_F(QuellboxTest, ExitWritesThePositionTheDeviceAndTheLimitedLatency)
{
    WritePrivateProfileStringA("Wave Out", "Latency", "900", kIni);
    WritePrivateProfileStringA("Wave Out", "Device", "No Such Device", kIni);
    WritePrivateProfileStringA("Main Window", "Left", "40", kIni);
    WritePrivateProfileStringA("Main Window", "Top", "30", kIni);
    StartActive();
    RECT r = {};
    GetWindowRect(app_.MainWindow(), &r);
    EXPECT_EQ(40, r.left);
    EXPECT_EQ(30, r.top);
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));

    EXPECT_EQ("500", IniText("Wave Out", "Latency"));
    WAVEOUTCAPSA caps = {};
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetDevCapsA(0, &caps, sizeof caps));
    EXPECT_EQ(caps.szPname, IniText("Wave Out", "Device"));
    EXPECT_EQ("40", IniText("Main Window", "Left"));
    EXPECT_EQ("30", IniText("Main Window", "Top"));
}

TEST_F(QuellboxTest, WithoutSettingsTheWindowIsCentredAndItsPlaceIsWrittenAtExit)
{
    StartActive();
    RECT r = {};
    GetWindowRect(app_.MainWindow(), &r);
    RECT client = {};
    GetClientRect(app_.MainWindow(), &client);
    EXPECT_EQ(370, client.right);
    EXPECT_EQ(92, client.bottom);
    POINT origin = {0, 0};
    ClientToScreen(app_.MainWindow(), &origin);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - 185, origin.x);
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ(std::to_string(r.left), IniText("Main Window", "Left"));
    EXPECT_EQ(std::to_string(r.top), IniText("Main Window", "Top"));
    EXPECT_EQ("150", IniText("Wave Out", "Latency"));
}

TEST_F(QuellboxTest, UpAndDownStepRoundThePatchNameTheEffectAndMoveTheKnobs)
{
    StartActive();
    const std::vector<LRESULT> phaser = KnobPositions(app_);
    const Pixels phaserKnob = ControlPicture(app_, IDC_KNOB_FREQ);
    // Each click names the effect on the display and turns the knobs.
    const auto step = [this](int button, const char* name) {
        EXPECT_TRUE(app_.Command(button));
        const Pixels shown = ReferenceDisplayLine(name);
        EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) == shown; }, 5000)) << name;
    };
    step(IDC_DOWN, "C-DELAY");  // from position 1 round to 4
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_FREQ) != phaserKnob; }, 3000));
    EXPECT_NE(phaser, KnobPositions(app_));
    step(IDC_UP, "PHASER");
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_FREQ) == phaserKnob; }, 3000));
    step(IDC_UP, "FLANGER");
    step(IDC_UP, "CHORUS");
    step(IDC_UP, "C-DELAY");
    step(IDC_UP, "PHASER");  // round to the Phaser again
    EXPECT_EQ(phaser, KnobPositions(app_));
}

}  // namespace
