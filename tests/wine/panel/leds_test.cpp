// The transport lamps and the on/off LED.
#include "pixels.h"
#include "panel_test_window.h"
#include "audio/effect_modules.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/display_panel.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

#include <gtest/gtest.h>

namespace {

class LedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectParameters();
        ResetEffectsPatch();
        LoadPanelBitmaps(GetModuleHandleA(nullptr));
        display_ = panel_.AddDisplay();
        ShowWindow(display_, SW_SHOWNORMAL);
        KillTimer(display_, IDT_DISPLAY_INTRO);
        onOff_ = panel_.Add("ONOFFLED", "ON/OFF", IDC_ONOFF_LED, 272, 43, 18, 18, WS_VISIBLE | BS_OWNERDRAW);
    }
    void TearDown() override
    {
        DeletePanelBitmaps();
        ResetEffectParameters();
        ResetEffectsPatch();
        ResetDisplayIntro();
    }
    Pixels DisplayShowing(const char* t1, unsigned f1, const char* t2, unsigned f2)
    {
        DrawDisplayText(display_, t1, f1, t2, f2, "", 0, "", 0);
        return PrintClient(display_);
    }

    PanelTestWindow panel_;
    HWND display_ = nullptr;
    HWND onOff_ = nullptr;
};

Pixels LampPicture(const char* colour)
{
    DibCanvas canvas(7, 3);
    Led(canvas.Dc(), 0, 0, 7, 3, 0, colour);
    return canvas.Read();
}

TEST_F(LedTest, TheGreenLampIsTheOneWithTheGreenIdAndBothPaintDark)
{
    HWND green = panel_.Add("LED", "", IDC_GREEN_LED, 149, 65, 7, 3, WS_VISIBLE);
    HWND red = panel_.Add("LED", "", IDC_RED_LED, 181, 65, 7, 3, WS_VISIBLE);
    EXPECT_EQ(PrintClient(green), LampPicture("GREEN"));
    EXPECT_EQ(PrintClient(red), LampPicture("RED"));
    EXPECT_NE(LampPicture("GREEN"), LampPicture("RED"));
    // A real repaint reaches the screen as well.
    InvalidateRect(green, nullptr, TRUE);
    UpdateWindow(green);
    HDC dc = GetDC(green);
    DibCanvas screen(7, 3);
    BitBlt(screen.Dc(), 0, 0, 7, 3, dc, 0, 0, SRCCOPY);
    ReleaseDC(green, dc);
    EXPECT_EQ(screen.Read(), LampPicture("GREEN"));
}

TEST_F(LedTest, TwoClicksSwitchTheEffectOnAndOffAgain)
{
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    const double storedMix = g_effectParameters[0].mix;
    ASSERT_GT(storedMix, 0.0);

    SendMessageA(onOff_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
    EXPECT_NE(g_effectParameters[0].on, 0);
    EXPECT_EQ(EffectMixLevel(kPhaserId), storedMix);  // what the Change call was sent
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_ON));
    const Pixels on = PrintClient(display_);
    EXPECT_EQ(on, DisplayShowing("PHASER", kTopLeft, "ON", kTopRight));

    SendMessageA(onOff_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
    EXPECT_EQ(g_effectParameters[0].on, 0);
    EXPECT_EQ(EffectMixLevel(kPhaserId), 0.0);
    EXPECT_EQ(g_effectParameters[0].mix, storedMix);  // the stored mix survives switching off
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    EXPECT_EQ(PrintClient(display_), DisplayShowing("PHASER", kTopLeft, "OFF", kTopRight));
    // The other effects were not touched.
    for (int i = 1; i < kEffectCount; ++i) EXPECT_EQ(g_effectParameters[i].on, 0) << i;
}

TEST_F(LedTest, TheLedFollowsTheCurrentEffect)
{
    SendMessageA(onOff_, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // Phaser on
    g_effectsPatch.position = 2;                          // Flanger, still off
    SendMessageA(onOff_, WM_PAINT, 0, 0);
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    SendMessageA(onOff_, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(PrintClient(display_), DisplayShowing("FLANGER", kTopLeft, "OFF", kTopRight));
    g_effectsPatch.position = 1;
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_ON));
}

TEST_F(LedTest, WithAnEmptyPatchAClickChangesNothingAndSaysNoEffects)
{
    g_effectsPatch.count = 0;
    SendMessageA(onOff_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    for (int i = 0; i < kEffectCount; ++i) EXPECT_EQ(g_effectParameters[i].on, 0) << i;
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    EXPECT_EQ(PrintClient(display_), DisplayShowing("NO EFFECTS", kTopLeft, "", 0));
}

}  // namespace
