// The intro, the Effects Patch and the Preferences dialogs of the real
// program, read back through their windows and the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/e2e/e2e_fixture.h"

namespace {

// The display at each step of the intro, which types a letter of each
// banner line per step; the last picture is the whole banner.
std::vector<Pixels> BannerSteps()
{
    const std::string top = "QBX  v.1.5    ", bottom = "  ZANTIL Soft";
    std::vector<Pixels> steps;
    for (size_t n = 0; n <= top.size(); ++n)
        steps.push_back(ReferenceDisplay("", kNoPlace, top.substr(0, n).c_str(), kTopRight,
                                         bottom.substr(0, n).c_str(), kBottomLeft));
    return steps;
}

// Which step of the banner the display shows, or -1 when none.
int BannerStep(const QuellboxProcess& app, const std::vector<Pixels>& steps)
{
    const auto at = std::find(steps.begin(), steps.end(), ControlPicture(app, IDC_DISPLAY));
    return at == steps.end() ? -1 : static_cast<int>(at - steps.begin());
}

TEST_F(QuellboxTest, TheIntroTypesItsBannerThenBlinksThePromptAndIgnoresRightClicksUntilThen)
{
    const std::vector<Pixels> banner = BannerSteps();
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    // Each right click is queued while the window thread is held at a step
    // of the banner well short of its end (the screen may lag the thread by
    // a step). Input is served before the next step's timer: once the banner
    // has grown again, the click has been handled, during the intro.
    int shown = -1;
    const auto heldAtBanner = [&] {
        const bool held = app_.HoldWindowThread(true) && (shown = BannerStep(app_, banner)) >= 0;
        if (!held) app_.HoldWindowThread(false);
        return held;
    };
    for (int click = 1; click <= 3; ++click) {
        ASSERT_TRUE(WaitUntil(heldAtBanner, 10000)) << "no step of the banner on the display";
        const bool clicked = shown + 3 < static_cast<int>(banner.size()) && app_.RightClick();
        ASSERT_TRUE(app_.HoldWindowThread(false));
        ASSERT_TRUE(clicked) << "click " << click << " at step " << shown << " of " << banner.size() - 1;
        ASSERT_TRUE(WaitUntil([&] { return BannerStep(app_, banner) > shown; }, 5000)) << "the banner stopped";
        EXPECT_FALSE(app_.Enabled(IDC_KNOB_FREQ));
        EXPECT_FALSE(app_.Enabled(IDC_UP));
        EXPECT_EQ(nullptr, app_.PopupMenu()) << "no menu during the intro";
    }

    // Once the banner stands, the prompt and the blank (step 0) take turns.
    const Pixels prompt = ReferenceDisplay("click on me right", kTopLeft, "", kNoPlace, "  mouse button", kBottomLeft);
    DWORD turns[4] = {};
    for (int turn = 0; turn < 4; ++turn) {
        ASSERT_TRUE(WaitForDisplay(turn % 2 ? banner[0] : prompt)) << "turn " << turn;
        turns[turn] = GetTickCount();
    }
    EXPECT_FALSE(app_.Enabled(IDC_KNOB_FREQ)) << "still waiting for the right click";

    // The click that ends the wait also opens the menu, which is closed
    // again: the display names the effect, and stays so for as long as two
    // turns of the blinking took.
    ASSERT_TRUE(app_.ActivatePanel(5000));
    const Pixels phaser = ReferenceDisplayLine("PHASER");
    EXPECT_TRUE(WaitForDisplay(phaser));
    EXPECT_FALSE(WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) != phaser; }, turns[3] - turns[1]))
        << "the blinking ends with the first right click";
}

// Where the knobs stand, Freq to Feed, for each effect at its start values.
const std::vector<LRESULT> kFlangerKnobs = {33, 22, 20, 200, 45, 50};
const std::vector<LRESULT> kChorusKnobs = {83, 22, 13, 200, 180, 10};
const std::vector<LRESULT> kChDelayKnobs = {64, 100, 15, 200, 180, 50};

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
    using Names = std::vector<std::string>;
    HWND Open()
    {
        EXPECT_TRUE(app_.Command(IDM_EFFECTS_PATCH));
        dialog_ = app_.WaitForDialog("Effects Patch", 10000);
        available_ = GetDlgItem(dialog_, IDC_AVAILABLE_LIST);
        patch_ = GetDlgItem(dialog_, IDC_PATCH_LIST);
        return dialog_;
    }
    // Clicks a button of the dialog and waits until the lists show the move.
    void Press(int id)
    {
        const Names before = Entries(patch_);
        EXPECT_TRUE(ClickMiddle(GetDlgItem(dialog_, id)));
        EXPECT_TRUE(WaitUntil([&] { return Entries(patch_) != before; }, 5000)) << "button " << id;
    }
    // Closes the dialog with a key: Enter for OK (the focus being in a
    // list, where Enter is the dialog's), Escape for Cancel.
    bool Close(WORD key)
    {
        PressKey(key);
        return Closed();
    }
    // Closes the dialog with a click on OK or Cancel.
    bool CloseByClick(int id)
    {
        return ClickMiddle(GetDlgItem(dialog_, id)) && Closed();
    }
    bool Closed() const
    {
        HWND d = dialog_;
        return WaitUntil([d] { return !IsWindow(d); }, 10000);
    }
    HWND dialog_ = nullptr, available_ = nullptr, patch_ = nullptr;
};

TEST_F(EffectsPatchTest, TheListsTheButtonsAndTheCurrentEffectFollowEveryMove)
{
    StartActive();
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ(Names{}, Entries(available_));
    EXPECT_EQ((Names{"Phaser", "Flanger", "Chorus", "C-Delay"}), Entries(patch_));
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_ADD));
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_REMOVE));
    EXPECT_TRUE(ButtonEnabled(dialog_, IDC_CLEAR));

    // Removing the current effect makes the first of the new patch current.
    ClickEntry(patch_, 0);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, IDC_REMOVE); }, 3000)) << "a selection enables Remove";
    Press(IDC_REMOVE);
    EXPECT_EQ((Names{"Flanger", "Chorus", "C-Delay"}), Entries(patch_));
    EXPECT_EQ(Names{"Phaser"}, Entries(available_));
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_REMOVE));
    ASSERT_TRUE(CloseByClick(IDOK));
    EXPECT_TRUE(WaitUntil([&] { return KnobPositions(app_) == kFlangerKnobs; }, 3000));
    EXPECT_TRUE(WaitForDisplay(ReferenceDisplayLine("FLANGER"))) << "OK names the first effect of the new patch";
    StepTo(IDC_DOWN, "C-DELAY");  // round to the C-Delay, and back
    StepTo(IDC_UP, "FLANGER");

    // Moving the patch round the current effect only renumbers it.
    StepTo(IDC_UP, "CHORUS");  // position 2
    ASSERT_NE(nullptr, Open());
    ClickEntry(patch_, 0);
    Press(IDC_REMOVE);  // Flanger out
    ClickEntry(available_, 1);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, IDC_ADD); }, 3000)) << "a selection enables Add";
    Press(IDC_ADD);  // and in again, at the end
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_ADD));
    EXPECT_EQ((Names{"Chorus", "C-Delay", "Flanger"}), Entries(patch_));
    ClickEntry(patch_, 2);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, IDC_REMOVE); }, 3000));
    ASSERT_TRUE(Close(VK_RETURN));
    // The display is redrawn whole once the dialog has gone off the screen.
    EXPECT_TRUE(WaitForDisplay(ReferenceDisplayLine("CHORUS")));
    EXPECT_EQ(kChorusKnobs, KnobPositions(app_));
    StepTo(IDC_UP, "C-DELAY");  // from position 1 now
    EXPECT_EQ(kChDelayKnobs, KnobPositions(app_));

    // Cancel after moves keeps the patch as it was.
    ASSERT_NE(nullptr, Open());
    Press(IDC_CLEAR);
    EXPECT_EQ(Names{}, Entries(patch_));
    ASSERT_TRUE(Close(VK_ESCAPE));
    ASSERT_NE(nullptr, Open());
    EXPECT_EQ((Names{"Chorus", "C-Delay", "Flanger"}), Entries(patch_));
    EXPECT_EQ(Names{"Phaser"}, Entries(available_));

    // Clear and OK: no effects; UP then only says so.
    Press(IDC_CLEAR);
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_CLEAR));
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_REMOVE));
    EXPECT_EQ((Names{"Phaser", "Chorus", "C-Delay", "Flanger"}), Entries(available_));
    const std::vector<LRESULT> knobs = KnobPositions(app_);
    ClickEntry(available_, 0);
    ASSERT_TRUE(WaitUntil([&] { return ButtonEnabled(dialog_, IDC_ADD); }, 3000));
    ASSERT_TRUE(Close(VK_RETURN));
    EXPECT_TRUE(WaitForDisplay(ReferenceDisplayLine("NO EFFECTS"))) << "an empty patch says so";
    StepTo(IDC_UP, "NO EFFECTS");
    EXPECT_EQ(knobs, KnobPositions(app_));

    ASSERT_NE(nullptr, Open());
    EXPECT_FALSE(ButtonEnabled(dialog_, IDC_CLEAR)) << "nothing to clear";
    ASSERT_TRUE(CloseByClick(IDCANCEL));
}

// Types text into the latency box one letter at a time, as keys; the bytes
// label once each letter stands in the box.
std::vector<std::string> TypeLatency(HWND dialog, const char* text)
{
    HWND box = GetDlgItem(dialog, IDC_LATENCY_BOX);
    std::vector<std::string> labels;
    if (!SelectBoxText(box)) return labels;
    PressKey(VK_DELETE);
    for (size_t n = 1; n <= strlen(text); ++n) {
        const std::string typed(text, n);
        TypeText(typed.substr(n - 1).c_str());
        EXPECT_TRUE(WaitUntil([&] { return ControlText(box) == typed; }, 5000));
        char label[32] = "";
        GetDlgItemTextA(dialog, IDC_BYTES_VALUE, label, sizeof label);
        labels.push_back(label);
    }
    return labels;
}

// OK clicked; true once the dialog has closed.
bool ClickOk(HWND dialog)
{
    return ClickMiddle(GetDlgItem(dialog, IDOK)) && WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
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
    ASSERT_TRUE(app_.Command(IDM_PREFERENCES));
    HWND dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("10", ItemText(dialog, IDC_LATENCY_BOX));
    EXPECT_EQ("1764", ItemText(dialog, IDC_BYTES_VALUE));
    EXPECT_EQ(8, SendMessageA(GetDlgItem(dialog, IDC_LATENCY_BOX), CB_GETCOUNT, 0, 0));

    // Out of range the label keeps its last value.
    EXPECT_EQ((std::vector<std::string>{"1764", "1764", "17640", "17640"}), TypeLatency(dialog, "1000"));
    ASSERT_TRUE(ClickOk(dialog));

    ASSERT_TRUE(app_.Command(IDM_PREFERENCES));
    dialog = app_.WaitForDialog("Preferences", 10000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("500", ItemText(dialog, IDC_LATENCY_BOX)) << "1000 stored as 500";
    EXPECT_EQ("88200", ItemText(dialog, IDC_BYTES_VALUE));
    EXPECT_EQ((std::vector<std::string>{"88200", "88200"}), TypeLatency(dialog, "x7"));
    ASSERT_TRUE(ClickOk(dialog));
    ASSERT_TRUE(app_.Command(IDM_EXIT));
    ASSERT_EQ(0, app_.WaitForExit(10000));
    EXPECT_EQ("10", IniText("Wave Out", "Latency")) << "no number is taken as 0 and raised to 10";
}

}  // namespace
