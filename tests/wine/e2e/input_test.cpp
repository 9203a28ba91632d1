// The real program under a real hand: the pointer moved with SendInput,
// buttons and keys pressed through the system's input, and the outcome
// judged by what the screen shows (against the pictures this process draws
// of the expected state) and by what the sink heard.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/wine/e2e/e2e_fixture.h"
#include "tests/wine/player/player_harness.h"

namespace {

constexpr DWORD kScreenSettles = 5000;  // generous: a loaded machine repaints late

bool DisplayShows(const QuellboxProcess& app, const Pixels& expected)
{
    return ControlPicture(app, IDC_DISPLAY) == expected;
}

Pixels VolumeOnDisplay(int position)
{
    return ReferenceKnobOnDisplay("MASTER", "Volume", TwoDecimals(FaderVolumeDb(position)));
}

TEST_F(QuellboxTest, TheFirstRightClickOnTheDisplayOpensTheMenuAndLeavesPhaserOnTheDisplayOnceItCloses)
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    const Pixels phaser = ReferenceDisplayLine("PHASER");
    // Right clicks on the middle of the display until the intro is over:
    // the click that enables the panel opens the menu over the display.
    const int x = 135 + 49, y = 18 + 19;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (app_.Enabled(IDC_KNOB_FREQ)) return true;
            app_.RightClick(x, y);
            return WaitUntil([this] { return app_.Enabled(IDC_KNOB_FREQ); }, 400);
        },
        20000));
    ASSERT_TRUE(WaitUntil([this] { return app_.PopupMenu() != nullptr; }, 5000)) << "the same click opens the menu";
    EXPECT_TRUE(WaitUntil([&] { return !DisplayShows(app_, phaser); }, kScreenSettles))
        << "the menu comes over part of the display";
    ASSERT_TRUE(app_.CloseMenu());
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, phaser); }, kScreenSettles))
        << "the whole display names the Phaser, with nothing of the prompt beside it";

    // Later menus over the display leave it as it was.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(app_.RightClick(x - 30 + 40 * i, y - 10));
        ASSERT_TRUE(WaitUntil([this] { return app_.PopupMenu() != nullptr; }, 5000));
        ASSERT_TRUE(app_.CloseMenu());
        EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, phaser); }, kScreenSettles)) << "menu " << i;
    }
}

TEST_F(QuellboxTest, AKnobDraggedByTheMouseTurnsToWhereThePointerPointsAndShowsItsValue)
{
    StartActive();
    HWND freq = app_.Control(IDC_KNOB_FREQ);
    const LRESULT start = SendMessageA(freq, kMsgGetPosition, 0, 0);
    EXPECT_EQ(ControlPicture(app_, IDC_KNOB_FREQ), ReferenceKnob(kFreqKnob, 0, 100, static_cast<int>(start)));
    // Pressed just right of the centre, swept over the top to straight
    // above, far outside the knob: the angle is still taken about its centre.
    ASSERT_TRUE(DragThrough(freq, {{25, 15}, {25, 2}, {15, -40}}));
    const Pixels turned = ReferenceKnob(kFreqKnob, 0, 100, 49);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_KNOB_FREQ) == turned; }, kScreenSettles))
        << "the pointer stands straight up (position 49)";
    // The Phaser's frequency at position 49, in whole hertz.
    const Pixels shown = ReferenceKnobOnDisplay("PHASER", "Freq", std::to_string(int(100 * std::exp(0.0368888 * 49))));
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, shown); }, kScreenSettles));
    // Once released, a hover no longer turns it.
    ASSERT_TRUE(MovePointerTo(freq, 28, 15));
    ASSERT_TRUE(MovePointerTo(freq, 26, 18));
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, shown); }, kScreenSettles));
    EXPECT_EQ(ControlPicture(app_, IDC_KNOB_FREQ), turned);
    // The Phaser's degree, in whole degrees with the degree sign, which the
    // program's UTF-8 code page must not spoil.
    HWND degree = app_.Control(IDC_KNOB_DEGREE);
    ASSERT_TRUE(DragThrough(degree, {{25, 15}, {25, 2}, {15, -40}}));
    const LRESULT at = SendMessageA(degree, kMsgGetPosition, 0, 0);
    const Pixels degrees = ReferenceKnobOnDisplay("PHASER", "Degree", std::to_string(at) + "\xC2\xB0");
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, degrees); }, kScreenSettles)) << at << " degrees";
}

TEST_F(QuellboxTest, TheOnOffLedTakesEveryClickThatFollowsThePointerStraightFromAKnob)
{
    StartActive();
    HWND mix = app_.Control(IDC_KNOB_MIX);
    HWND led = app_.Control(IDC_ONOFF_LED);
    const Pixels off = ControlPicture(app_, IDC_ONOFF_LED);
    const Pixels shownOff = ReferenceDisplay("PHASER", kTopLeft, "OFF", kTopRight);
    const Pixels shownOn = ReferenceDisplay("PHASER", kTopLeft, "ON", kTopRight);
    Pixels on;
    for (int click = 1; click <= 8; ++click) {
        // Over a knob (which writes its value on the display), then at once
        // onto the LED and clicked, with no pause between.
        ASSERT_TRUE(MovePointerTo(mix, 15, 10));
        ASSERT_TRUE(MovePointerTo(led, 9, 9));
        PressButton(MouseButton::kLeft);
        ReleaseButton(MouseButton::kLeft);
        const bool nowOn = click % 2 == 1;
        // The lamp shows the effect's state: every click must turn it.
        if (nowOn && on.data.empty()) {
            ASSERT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_ONOFF_LED) != off; }, kScreenSettles))
                << "click " << click << " was lost";
            on = ControlPicture(app_, IDC_ONOFF_LED);
        }
        ASSERT_TRUE(
            WaitUntil([&] { return ControlPicture(app_, IDC_ONOFF_LED) == (nowOn ? on : off); }, kScreenSettles))
            << "click " << click << " was lost";
        // The display names the state while the pointer rests on the LED
        // (a late move over the knob may have written the knob's value).
        ASSERT_TRUE(MovePointerTo(led, 10, 10));
        EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, nowOn ? shownOn : shownOff); }, kScreenSettles))
            << "click " << click;
    }
}

TEST_F(QuellboxTest, TheFaderDraggedByTheMouseShowsItsCapAndVolumeAndTheSoundFollows)
{
    const std::vector<int16_t> samples = TestSignal(30000, 2, 31);
    const std::string path = TempFile("qbx_e2e_fader.wav");
    ASSERT_TRUE(WriteTestWave(path, samples, 2));
    StartWith(path);
    HWND slider = app_.Control(IDC_VOLUME_SLIDER);
    EXPECT_EQ(ControlPicture(app_, IDC_VOLUME_SLIDER), ReferenceSlider(kFaderZeroDb));
    // The cap (at y 20 for 0 dB) taken and pulled down to y 26.
    ASSERT_TRUE(DragThrough(slider, {{11, 20}, {11, 26}}, 3));
    const int position = FaderPositionAt(26);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_VOLUME_SLIDER) == ReferenceSlider(position); },
                          kScreenSettles));
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, VolumeOnDisplay(position)); }, kScreenSettles));

    // Heard at the fader's volume, through the patch of effects all off.
    StartEffectsAsTheProgramDoes(44100, {});
    ExpectPlayedToTheEnd(
        RenderOffline(samples, 2, kDefaultBlockBytes, {1, 2, 3, 4}, std::pow(10.0, FaderVolumeDb(position) / 20.0)));
    DeleteFileA(path.c_str());
}

TEST_F(QuellboxTest, TheTransportButtonsShowTheirPressedLookWhileHeldAndActOnRelease)
{
    const std::vector<int16_t> samples = TestSignal(44100 * 20, 2, 32);
    const std::string path = TempFile("qbx_e2e_transport.wav");
    ASSERT_TRUE(WriteTestWave(path, samples, 2));
    StartWith(path);
    const Pixels playUp = ControlPicture(app_, IDC_PLAY);
    const Pixels stopUp = ControlPicture(app_, IDC_STOP);
    HWND play = app_.Control(IDC_PLAY);
    ASSERT_TRUE(MovePointerTo(play, 16, 5));
    PressButton(MouseButton::kLeft);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_PLAY) != playUp; }, kScreenSettles))
        << "PLAY held down shows its pressed look";
    EXPECT_FALSE(GreenLit(app_)) << "nothing plays before the release";
    const size_t from = RecordingFrames();
    ReleaseButton(MouseButton::kLeft);
    ASSERT_TRUE(WaitUntil([this] { return GreenLit(app_); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_PLAY) == playUp; }, kScreenSettles));
    EXPECT_TRUE(WaitUntil([&] { return WithoutSilence(ReadRecording(from)).size() > 44100 / 2; }, 10000))
        << "the sound is heard";

    HWND stop = app_.Control(IDC_STOP);
    ASSERT_TRUE(MovePointerTo(stop, 16, 5));
    PressButton(MouseButton::kLeft);
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_STOP) != stopUp; }, kScreenSettles));
    ReleaseButton(MouseButton::kLeft);
    ASSERT_TRUE(WaitForPlaybackEnd(5000)) << "STOP ends the playback";
    EXPECT_TRUE(WaitUntil([&] { return ControlPicture(app_, IDC_STOP) == stopUp; }, kScreenSettles));
    // Played again: the next sound after STOP is the file's first frame.
    const size_t stoppedAt = RecordingFrames();
    Play();
    ASSERT_TRUE(WaitUntil([&] { return FindStreamStart(ReadRecording(stoppedAt), samples) >= 0; }, 5000));
    const std::vector<int16_t> recorded = ReadRecording(stoppedAt);
    const long restart = FindStreamStart(recorded, samples);
    EXPECT_TRUE(WithoutSilence(std::vector<int16_t>(recorded.begin(), recorded.begin() + 2 * restart)).empty())
        << "something sounded after STOP";
    DeleteFileA(path.c_str());
}

TEST_F(QuellboxTest, PreferencesTakeEnterAsOkAndEscapeAsCancel)
{
    StartActive();
    ASSERT_TRUE(app_.Command(IDM_PREFERENCES));
    HWND dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    HWND latency = GetDlgItem(dialog, IDC_LATENCY_BOX);
    ASSERT_TRUE(TypeIntoBox(latency, "300"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 10000));

    ASSERT_TRUE(app_.Command(IDM_PREFERENCES));
    dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    latency = GetDlgItem(dialog, IDC_LATENCY_BOX);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(latency) == "150"; },
                          5000))
        << "Escape kept the latency";
    ASSERT_TRUE(TypeIntoBox(latency, "250"));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 10000));
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ("250", IniText("Wave Out", "Latency")) << "Enter took the typed latency";
}

TEST_F(QuellboxTest, TheAboutPictureIgnoresKeysAndAReleaseDraggedInAndClosesOnOneClick)
{
    // The panel placed with its DOWN button under the middle of the screen,
    // where the picture comes: a click there closes the picture or, were
    // the picture already gone, steps the panel on to the C-Delay.
    const POINT kDownMiddle = {271, 21};
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - kDownMiddle.x;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - kDownMiddle.y;
    WritePrivateProfileStringA("Main Window", "Left", std::to_string(left).c_str(), kIni);
    WritePrivateProfileStringA("Main Window", "Top", std::to_string(top).c_str(), kIni);
    StartActive();
    ASSERT_TRUE(app_.Command(IDM_ABOUT));
    HWND about = app_.WaitForDialog("", 10000);
    ASSERT_NE(nullptr, about);
    RECT client = {};
    GetClientRect(about, &client);
    EXPECT_EQ(150, client.right);
    EXPECT_EQ(200, client.bottom);
    POINT origin = {0, 0};
    ClientToScreen(about, &origin);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - 75, origin.x);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - 100, origin.y);

    // Enter and Escape do not close the picture; neither does a press made
    // outside it and released inside.
    BringToForeground(about);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(MovePointerToScreen({origin.x - 40, origin.y - 40}));
    PressButton(MouseButton::kLeft);
    ASSERT_TRUE(MovePointerTo(about, 20, 20));
    ReleaseButton(MouseButton::kLeft);
    POINT down = kDownMiddle;
    ClientToScreen(app_.MainWindow(), &down);
    RECT picture = {};
    GetWindowRect(about, &picture);
    ASSERT_TRUE(PtInRect(&picture, down)) << "the DOWN button does not lie under the picture";
    ASSERT_TRUE(MovePointerToScreen(down));
    PressButton(MouseButton::kLeft);
    ReleaseButton(MouseButton::kLeft);
    EXPECT_TRUE(WaitUntil([about] { return !IsWindow(about); }, 5000));
    // The click closed the picture and did not reach DOWN: the panel still
    // shows the Phaser.
    ASSERT_TRUE(MovePointerTo(app_.Control(IDC_ONOFF_LED), 9, 9));
    const Pixels phaser = ReferenceDisplay("PHASER", kTopLeft, "OFF", kTopRight);
    EXPECT_TRUE(WaitUntil([&] { return DisplayShows(app_, phaser); }, kScreenSettles));
}

}  // namespace
