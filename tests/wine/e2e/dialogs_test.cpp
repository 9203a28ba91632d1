// The intro, the Effects Patch and the Preferences dialogs of the real
// program, read back through their windows and the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/wine/e2e/e2e_fixture.h"
#include "widgets/effect_parameters.h"

namespace {

// How many times the display's picture changed while sampled for ms.
int DisplayChanges(const QuellboxProcess& app, DWORD ms, std::set<std::vector<COLORREF>>* seen)
{
    std::vector<COLORREF> last = ControlPixels(app, kDisplay);
    seen->insert(last);
    int changes = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        Sleep(30);
        std::vector<COLORREF> now = ControlPixels(app, kDisplay);
        if (now != last) ++changes;
        seen->insert(now);
        last = now;
    }
    return changes;
}

TEST_F(QuellboxTest, TheIntroTypesItsBannerThenBlinksThePromptAndIgnoresRightClicksUntilThen)
{
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    std::set<std::vector<COLORREF>> typed;
    // Right clicks all through the typing change nothing.
    for (int i = 0; i < 4; ++i) {
        app_.RightClick();
        EXPECT_GE(DisplayChanges(app_, 250, &typed), 1) << "a letter per 100 ms";
        EXPECT_FALSE(app_.Enabled(1));
        EXPECT_FALSE(app_.Enabled(kUp));
    }
    EXPECT_GE(typed.size(), 6u) << "the banner grows letter by letter";

    // Once the banner stands, the prompt blinks every half second.
    std::set<std::vector<COLORREF>> prompt;
    ASSERT_TRUE(WaitUntil(
        [&] {
            prompt.clear();
            return DisplayChanges(app_, 1100, &prompt) >= 2 && prompt.size() == 2;
        },
        15000))
        << "two pictures, one after the other";
    EXPECT_FALSE(app_.Enabled(1)) << "still waiting for the right click";
    std::set<std::vector<COLORREF>> later;
    EXPECT_GE(DisplayChanges(app_, 1100, &later), 2);
    EXPECT_EQ(prompt, later);

    ASSERT_TRUE(app_.ActivatePanel(5000));
    // That click also opened the popup menu, which may lie over the display
    // on the screen: it is closed, and the screen left to settle, before the
    // display is watched.
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindProcessWindow(app_.Pid(), "#32768", nullptr)) != nullptr; }, 3000);
    if (menu) {
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(menu, WM_KEYUP, VK_ESCAPE, 0);
        WaitUntil([&] { return !IsWindowVisible(menu); }, 3000);
    }
    Sleep(600);
    std::set<std::vector<COLORREF>> active;
    EXPECT_EQ(0, DisplayChanges(app_, 1100, &active)) << "the blinking ends with the first right click";
}

std::vector<LRESULT> DefaultKnobPositions(int effectId)
{
    ResetEffectParameters();
    std::vector<LRESULT> positions;
    for (int knob = 1; knob <= 6; ++knob) positions.push_back(KnobPositionFor(effectId, knob));
    return positions;
}

std::vector<std::string> Entries(HWND list)
{
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        // Wide: Wine hands an ANSI list box text to another process as UTF-16.
        wchar_t text[32] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        char narrow[32] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        out.push_back(narrow);
    }
    return out;
}

// A single click on entry index of a list box.
void ClickEntry(HWND list, int index)
{
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    LeftClick(list, item.left + 5, (item.top + item.bottom) / 2);
}

bool ButtonEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

class EffectsPatchTest : public QuellboxTest {
protected:
    HWND Open()
    {
        app_.Command(104);
        dialog_ = app_.WaitForDialog("Effects Patch", 10000);
        available_ = GetDlgItem(dialog_, 1003);
        patch_ = GetDlgItem(dialog_, 1004);
        return dialog_;
    }
    // Presses a button of the dialog with the mouse; waits for its effect.
    void Press(int id)
    {
        LeftClick(GetDlgItem(dialog_, id), 5, 5);
        Sleep(150);
    }
    bool Close(int id)
    {
        Press(id);
        HWND d = dialog_;
        return WaitUntil([d] { return !IsWindow(d); }, 10000);
    }
    void Step(int id)
    {
        app_.Command(id);
        Sleep(200);
    }
    using Names = std::vector<std::string>;
    HWND dialog_ = nullptr, available_ = nullptr, patch_ = nullptr;
};

TEST_F(EffectsPatchTest, TheListsTheButtonsAndTheCurrentEffectFollowEveryMove)
{
    StartActive();
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(Names{}, Entries(available_));
    EXPECT_EQ((Names{"Phaser", "Flanger", "Chorus", "C-Delay"}), Entries(patch_));
    EXPECT_FALSE(ButtonEnabled(dialog_, 3));
    EXPECT_FALSE(ButtonEnabled(dialog_, 4));
    EXPECT_TRUE(ButtonEnabled(dialog_, 5));

    // Removing the current effect makes the first of the new patch current.
    ClickEntry(patch_, 0);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, 4); }, 3000)) << "a selection enables Remove";
    Press(4);
    EXPECT_EQ((Names{"Flanger", "Chorus", "C-Delay"}), Entries(patch_));
    EXPECT_EQ(Names{"Phaser"}, Entries(available_));
    EXPECT_FALSE(ButtonEnabled(dialog_, 4));
    const std::vector<COLORREF> phaserShown = ControlPixels(app_, kDisplay);
    ASSERT_TRUE(Close(IDOK));
    EXPECT_TRUE(WaitUntil([&] { return KnobPositions(app_) == DefaultKnobPositions(kFlangerId); }, 3000));
    const std::vector<COLORREF> flangerShown = ControlPixels(app_, kDisplay);
    EXPECT_NE(phaserShown, flangerShown);
    Step(kDown);  // round to the C-Delay, and back
    Step(kUp);
    EXPECT_EQ(flangerShown, ControlPixels(app_, kDisplay)) << "OK drew the name as UP draws it";

    // Moving the patch round the current effect only renumbers it.
    Step(kUp);  // Chorus, position 2
    const std::vector<COLORREF> chorusShown = ControlPixels(app_, kDisplay);
    ASSERT_NE(nullptr, Open());
    ClickEntry(patch_, 0);
    Press(4);  // Flanger out
    ClickEntry(available_, 1);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, 3); }, 3000)) << "a selection enables Add";
    Press(3);  // and in again, at the end
    EXPECT_FALSE(ButtonEnabled(dialog_, 3));
    EXPECT_EQ((Names{"Chorus", "C-Delay", "Flanger"}), Entries(patch_));
    ASSERT_TRUE(Close(IDOK));
    // The display is redrawn once the dialog has gone off the screen.
    EXPECT_TRUE(WaitUntil([&] { return chorusShown == ControlPixels(app_, kDisplay); }, 3000));
    EXPECT_EQ(DefaultKnobPositions(kChorusId), KnobPositions(app_));
    Step(kUp);  // from position 1 now: the C-Delay
    EXPECT_EQ(DefaultKnobPositions(kChDelayId), KnobPositions(app_));

    // Cancel after moves keeps the patch as it was.
    ASSERT_NE(nullptr, Open());
    Press(5);
    EXPECT_EQ(Names{}, Entries(patch_));
    ASSERT_TRUE(Close(IDCANCEL));
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ((Names{"Chorus", "C-Delay", "Flanger"}), Entries(patch_));
    EXPECT_EQ(Names{"Phaser"}, Entries(available_));

    // Clear and OK: no effects; UP then only says so.
    Press(5);
    EXPECT_FALSE(ButtonEnabled(dialog_, 5));
    EXPECT_FALSE(ButtonEnabled(dialog_, 4));
    EXPECT_EQ((Names{"Phaser", "Chorus", "C-Delay", "Flanger"}), Entries(available_));
    const std::vector<COLORREF> before = ControlPixels(app_, kDisplay);
    const std::vector<LRESULT> knobs = KnobPositions(app_);
    ASSERT_TRUE(Close(IDOK));
    EXPECT_TRUE(WaitUntil([&] { return ControlPixels(app_, kDisplay) != before; }, 3000))
        << "an empty patch changes the display";
    Sleep(300);  // the screen settles after the dialog has gone
    const std::vector<COLORREF> noEffects = ControlPixels(app_, kDisplay);
    Step(kUp);
    EXPECT_EQ(noEffects, ControlPixels(app_, kDisplay));
    EXPECT_EQ(knobs, KnobPositions(app_));

    ASSERT_NE(nullptr, Open());
    EXPECT_FALSE(ButtonEnabled(dialog_, 5)) << "nothing to clear";
    ASSERT_TRUE(Close(IDCANCEL));
}

// Puts text into the latency box's edit field one more letter at a time,
// each time with the box's edit-change notice; the bytes label after each.
std::vector<std::string> TypeLatency(HWND dialog, const char* text)
{
    HWND box = GetDlgItem(dialog, 1039);
    std::vector<std::string> labels;
    for (size_t n = 1; n <= strlen(text); ++n) {
        const std::string typed(text, n);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1039, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
        char label[32] = "";
        GetDlgItemTextA(dialog, 1040, label, sizeof label);
        labels.push_back(label);
    }
    return labels;
}

std::string ItemText(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

TEST_F(QuellboxTest, PreferencesShowTheBytesOfTheLatencyAndLimitWhatOkStores)
{
    WritePrivateProfileStringA("Wave Out", "Latency", "5", kIni);  // limited to 10 at start-up
    StartWithDemo();
    app_.Command(111);
    HWND dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("10", ItemText(dialog, 1039));
    EXPECT_EQ("1764", ItemText(dialog, 1040));
    EXPECT_EQ(8, SendMessageA(GetDlgItem(dialog, 1039), CB_GETCOUNT, 0, 0));

    // Out of range the label keeps its last value.
    EXPECT_EQ((std::vector<std::string>{"1764", "1764", "17640", "17640"}), TypeLatency(dialog, "1000"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 10000));

    app_.Command(111);
    dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("500", ItemText(dialog, 1039)) << "1000 stored as 500";
    EXPECT_EQ("88200", ItemText(dialog, 1040));
    EXPECT_EQ((std::vector<std::string>{"88200", "88200"}), TypeLatency(dialog, "x7"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 10000));
    app_.Command(118);
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ("10", IniText("Wave Out", "Latency")) << "no number is taken as 0 and raised to 10";
}

}  // namespace
