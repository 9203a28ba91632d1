// The display panel: where its four text places lie, and the intro.
#include "pixels.h"
#include "panel_test_window.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
#include "tests/support/import_patch.h"
#include "tests/support/real_input.h"
#include "tests/wine/e2e/reference_panel.h"
#include "widgets/display_panel.h"
#include "widgets/panel_messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectsPatch();
        display_ = panel_.AddDisplay();
    }
    void ShowWithoutIntro()
    {
        ShowWindow(display_, SW_SHOWNORMAL);
        KillTimer(display_, IDT_DISPLAY_INTRO);
    }
    Pixels Showing(const char* t1, unsigned f1, const char* t2, unsigned f2, const char* t3, unsigned f3,
                   const char* t4, unsigned f4)
    {
        DrawDisplayText(display_, t1, f1, t2, f2, t3, f3, t4, f4);
        return PrintClient(display_);
    }
    Pixels Empty() { return Showing("", 0, "", 0, "", 0, "", 0); }
    // The intro's notices to the parent: started, and ended when ended.
    std::string IntroToldAs(bool ended)
    {
        const LPARAM self = reinterpret_cast<LPARAM>(display_);
        const ExpectedMessage told[] = {{kNotifyIntroStarted, kWParam | kLParam, IDC_DISPLAY, self},
                                        {kNotifyIntroEnded, kWParam | kLParam, IDC_DISPLAY, self}};
        return SequenceMismatch(panel_.Notifications(), told, ended ? 2 : 1);
    }
    // The intro brought to its end by hand: fifteen ticks.
    void RunIntro()
    {
        for (int tick = 1; tick <= 15; ++tick) Tick(IDT_DISPLAY_INTRO);
    }
    Pixels Tick(UINT_PTR timer)
    {
        SendMessageA(display_, WM_TIMER, timer, 0);
        return PrintClient(display_);
    }

    PanelTestWindow panel_;
    HWND display_ = nullptr;
};

TEST_F(DisplayTest, TheEmptyDisplayIsThePanelUnderIt)
{
    ShowWithoutIntro();
    EXPECT_EQ(Empty(), DecodeBitmapResource(IDB_PANEL_BACKGROUND).Crop(135, 18, 98, 38));
    EXPECT_EQ(Empty(), ReferenceDisplay("", 0));
}

// Each place, the lettering and four texts at once, against the display
// drawn from its own figures (font, colour, inset) in the test.
TEST_F(DisplayTest, EachTextIsDrawnInItsPlaceInTheDisplaysLettering)
{
    ShowWithoutIntro();
    EXPECT_EQ(Showing("MIX", kTopLeft, "", 0, "", 0, "", 0), ReferenceDisplay("MIX", kTopLeft));
    EXPECT_EQ(Showing("", 0, "MIX", kTopRight, "", 0, "", 0), ReferenceDisplay("", 0, "MIX", kTopRight));
    EXPECT_EQ(Showing("AB", kTopLeft, "CD", kTopRight, "EF", kBottomLeft, "GH", kBottomRight),
              ReferenceDisplay("AB", kTopLeft, "CD", kTopRight, "EF", kBottomLeft, "GH", kBottomRight));
    // Too long for the rectangle: cut at its edge, no ellipsis.
    EXPECT_EQ(Showing("FREQUENCY OF THE SWEEP", kBottomLeft, "", 0, "", 0, "", 0),
              ReferenceDisplay("FREQUENCY OF THE SWEEP", kBottomLeft));
}

TEST_F(DisplayTest, NothingIsDrawnBeforeTheDisplayIsFirstShown)
{
    const Pixels before = PrintClient(display_, RGB(7, 7, 7));
    DrawDisplayText(display_, "PHASER", kTopLeft, "", 0, "", 0, "", 0);
    const Pixels after = PrintClient(display_, RGB(7, 7, 7));
    EXPECT_EQ(before, after);
    EXPECT_EQ(after.At(40, 20), RGB(7, 7, 7));
}

TEST_F(DisplayTest, TheIntroTypesTheBannerThenPromptsAndTellsItsEndOnTheFifteenthTick)
{
    ShowWindow(display_, SW_SHOWNORMAL);
    KillTimer(display_, IDT_DISPLAY_INTRO);  // the ticks are sent by hand below
    const Pixels empty = Empty();
    EXPECT_EQ(Tick(IDT_DISPLAY_INTRO), empty);  // the first tick shows nothing yet
    EXPECT_EQ(Tick(IDT_DISPLAY_INTRO), ReferenceDisplay("", 0, "Q", kTopRight, " ", kBottomLeft));
    for (int tick = 3; tick <= 14; ++tick) Tick(IDT_DISPLAY_INTRO);
    EXPECT_EQ(IntroToldAs(false), "");
    const Pixels last = Tick(IDT_DISPLAY_INTRO);
    EXPECT_EQ(IntroToldAs(true), "");
    EXPECT_EQ(last, ReferenceDisplay("", 0, "QBX  v.1.5    ", kTopRight, "  ZANTIL Soft", kBottomLeft));
    EXPECT_FALSE(KillTimer(display_, IDT_DISPLAY_INTRO));  // the intro timer is gone ...
    EXPECT_TRUE(KillTimer(display_, IDT_DISPLAY_PROMPT));  // ... and the prompt's runs

    const Pixels prompt = Tick(IDT_DISPLAY_PROMPT);
    EXPECT_EQ(prompt, ReferenceDisplay("click on me right", kTopLeft, "", 0, "  mouse button", kBottomLeft));
    EXPECT_EQ(Tick(IDT_DISPLAY_PROMPT), empty);
    EXPECT_EQ(Tick(IDT_DISPLAY_PROMPT), prompt);
}

HLOCAL WINAPI RefuseLocalAlloc(UINT, SIZE_T) { return nullptr; }

// A display whose record could not be allocated draws nothing and keeps no
// value, but its timers still bring the intro to the prompt, so that the
// panel can be switched on.
TEST_F(DisplayTest, WithoutItsRecordTheDisplayStillReachesThePrompt)
{
    DestroyWindow(display_);
    HMODULE self = GetModuleHandleA(nullptr);
    void* realLocalAlloc = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LocalAlloc"));
    ASSERT_TRUE(PatchImport(self, "kernel32.dll", "LocalAlloc", reinterpret_cast<void*>(RefuseLocalAlloc)));
    display_ = panel_.AddDisplay();
    ASSERT_TRUE(PatchImport(self, "kernel32.dll", "LocalAlloc", realLocalAlloc));
    ASSERT_NE(display_, nullptr);

    const Pixels before = PrintClient(display_);
    SendMessageA(display_, kMsgSetMinimum, 7, 0);
    EXPECT_EQ(SendMessageA(display_, kMsgSetMaximum, 0, 0), 0);
    SendMessageA(display_, kMsgSetPosition, 0, reinterpret_cast<LPARAM>("PHASER"));
    panel_.ClearNotifications();
    ShowWindow(display_, SW_SHOWNORMAL);
    for (int i = 0; i < 100 && panel_.Notifications().size() < 2; ++i) PumpMessages(50);
    EXPECT_EQ(IntroToldAs(true), "");
    EXPECT_TRUE(KillTimer(display_, IDT_DISPLAY_PROMPT)) << "the prompt does not blink";
    EXPECT_EQ(PrintClient(display_), before) << "a display without its record drew";
}

TEST_F(DisplayTest, ARepaintShowsTheBareBackgroundWhileThePromptBlinksAndTheEffectAfterItsEnd)
{
    ShowWithoutIntro();
    const Pixels empty = Empty();
    UpdateWindow(display_);  // the first paint: bare
    RunIntro();
    Tick(IDT_DISPLAY_PROMPT);  // the prompt is up
    InvalidateRect(display_, nullptr, FALSE);
    UpdateWindow(display_);
    EXPECT_EQ(PrintClient(display_), empty);
    // The first right click: the effect's name at once, and on every repaint.
    EXPECT_NE(SendMessageA(display_, kMsgEndPrompt, 0, 0), 0);
    EXPECT_FALSE(KillTimer(display_, IDT_DISPLAY_PROMPT));
    const Pixels named = PrintClient(display_);
    EXPECT_EQ(named, ReferenceDisplayLine("PHASER"));
    InvalidateRect(display_, nullptr, FALSE);
    UpdateWindow(display_);
    EXPECT_EQ(PrintClient(display_), named);
    EXPECT_EQ(SendMessageA(display_, kMsgEndPrompt, 0, 0), 0) << "the prompt ends once";
    g_effectsPatch.count = 0;
    InvalidateRect(display_, nullptr, FALSE);
    UpdateWindow(display_);
    EXPECT_EQ(PrintClient(display_), ReferenceDisplayLine("NO EFFECTS"));
}

// Whether the screen shows picture in the window; this thread's windows
// reach the screen as it handles its messages.
bool ScreenShows(HWND window, const Pixels& picture)
{
    PumpMessages(0);
    return ScreenPixels(window) == picture;
}

TEST_F(DisplayTest, ARepaintOfAStripRedrawsTheWholeDisplaySoNoOldTextStaysBesideTheNew)
{
    ShowWithoutIntro();
    UpdateWindow(display_);  // the first paint
    SetForegroundWindow(panel_.Handle());
    const Pixels named = Showing("PHASER", kTopLeft, "", 0, "", 0, "", 0);
    // The prompt is on the display; then something that covered only its
    // lower half goes away.
    const Pixels prompt = Showing("click on me right", kTopLeft, "", 0, "  mouse button", kBottomLeft, "", 0);
    ASSERT_TRUE(WaitForOutcome([&] { return ScreenShows(display_, prompt); }, 3000));
    RECT lowerHalf = {0, 19, 98, 38};
    InvalidateRect(display_, &lowerHalf, FALSE);
    UpdateWindow(display_);
    EXPECT_EQ(PrintClient(display_), named);
    EXPECT_TRUE(WaitForOutcome([&] { return ScreenShows(display_, named); }, 3000))
        << "the screen shows the name alone, not the prompt's upper half beside it";
}

TEST_F(DisplayTest, TheNormalUseTextIsTheCurrentEffectOrNoEffects)
{
    ShowWithoutIntro();
    ShowNormalUseText(display_);
    EXPECT_EQ(PrintClient(display_), ReferenceDisplayLine("PHASER"));
    g_effectsPatch.position = 3;
    ShowNormalUseText(display_);
    EXPECT_EQ(PrintClient(display_), ReferenceDisplayLine("CHORUS"));
    g_effectsPatch.count = 0;
    ShowNormalUseText(display_);
    EXPECT_EQ(PrintClient(display_), ReferenceDisplayLine("NO EFFECTS"));
}

TEST_F(DisplayTest, KeepsItsValueAndText)
{
    EXPECT_EQ(SendMessageA(display_, kMsgSetMaximum, 0, 0), 1);
    SendMessageA(display_, kMsgSetMinimum, 0xFFFF, 0);
    EXPECT_EQ(SendMessageA(display_, kMsgSetMaximum, 0, 0), 0xFFFF);
    SendMessageA(display_, kMsgSetPosition, 0, reinterpret_cast<LPARAM>("PHASER"));
    EXPECT_EQ(SendMessageA(display_, kMsgSetMaximum, 0, 0), 0xFFFF);
}

}  // namespace
