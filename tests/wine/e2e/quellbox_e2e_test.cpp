// The real qbx15.exe, started and worked from outside as a user would.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "tests/support/recording.h"
#include "tests/wine/e2e/e2e_fixture.h"

namespace {

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

// Japanese, Cyrillic and a music sign, in a folder with an umlaut: no
// Western code page holds the name, the program's UTF-8 code page does.
TEST_F(QuellboxTest, AFileOfAnyNameOpensThroughTheOpenDialogNamesTheWindowAndPlays)
{
    const std::string folder = TempFile("qbx_e2e_Ordner \xC3\xA4");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string name = "\xE3\x82\xBD\xE3\x83\xBC\xE3\x82\xB9 \xE2\x99\xAA \xD1\x82\xD0\xB5\xD1\x81\xD1\x82.wav";
    const std::string path = folder + "\\" + name;
    ASSERT_TRUE(CopyFileA(DemoWav().c_str(), path.c_str(), FALSE)) << GetLastError();
    StartActive();
    EXPECT_FALSE(app_.Enabled(IDC_PLAY));
    ASSERT_TRUE(app_.OpenThroughDialog(path));
    EXPECT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 5000));
    EXPECT_EQ(name + " - Quellbox", app_.Title());
    EXPECT_FALSE(app_.Enabled(IDC_STOP));
    // The player opens the file by that name: the demo is heard.
    const size_t from = RecordingFrames();
    Play();
    EXPECT_TRUE(WaitUntil([&] { return WithoutSilence(ReadRecording(from)).size() > 44100; }, 5000));
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(10000));
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
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
    // Sound after the dialog has closed: the playback went on.
    const size_t closedAt = RecordingFrames();
    EXPECT_TRUE(WaitUntil([&] { return WithoutSilence(ReadRecording(closedAt)).size() > 44100; }, 5000))
        << "still playing";
    EXPECT_TRUE(GreenLit(app_));
    ASSERT_TRUE(SetLatencyInPreferences(app_, "200"));
    EXPECT_TRUE(WaitForPlaybackEnd(5000));
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

// The test bed's silent sink is "Lautsprecher (Realtek® Audio)".
TEST_F(QuellboxTest, ADeviceNameOutsideAsciiIsFoundAgainAndOneStoredInTheOldCodePageGivesTheDefault)
{
    const std::string name = "Lautsprecher (Realtek\xC2\xAE Audio)";
    // Stored by this version: found, so Exit writes it back as it is.
    WritePrivateProfileStringA("Wave Out", "Device", name.c_str(), kIni);
    StartActive();
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ(name, IniText("Wave Out", "Device"));

    // Stored by an earlier version in code page 1252, where the sign is one
    // byte: no device has that name, and the first device takes its place.
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_TRUE(WriteWholeFile(std::string(windows) + "\\" + kIni, "[Wave Out]\r\nDevice=Lautsprecher (Realtek\xAE Audio)\r\n"));
    StartActive();
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    WAVEOUTCAPSW caps = {};
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutGetDevCapsW(0, &caps, sizeof caps));
    char first[128] = "";
    WideCharToMultiByte(CP_UTF8, 0, caps.szPname, -1, first, sizeof first, nullptr, nullptr);
    EXPECT_EQ(std::string(first), IniText("Wave Out", "Device"));
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
    StepTo(IDC_DOWN, "C-DELAY");  // from position 1 round to 4
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_FREQ) != phaserKnob; }, 3000));
    EXPECT_NE(phaser, KnobPositions(app_));
    StepTo(IDC_UP, "PHASER");
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_FREQ) == phaserKnob; }, 3000));
    StepTo(IDC_UP, "FLANGER");
    StepTo(IDC_UP, "CHORUS");
    StepTo(IDC_UP, "C-DELAY");
    StepTo(IDC_UP, "PHASER");  // round to the Phaser again
    EXPECT_EQ(phaser, KnobPositions(app_));
}

}  // namespace
