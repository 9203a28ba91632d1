// The transport lamps and the on/off LED.
#include "pixels.h"
#include "panel_test_window.h"
#include "audio/effect_modules.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
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
        onOff_ = panel_.Add("ONOFFLED", "ON/OFF", IDC_ONOFF_LED, 272, 43, 18, 18, WS_VISIBLE | BS_OWNERDRAW);
    }
    void TearDown() override
    {
        DeletePanelBitmaps();
        ResetEffectParameters();
        ResetEffectsPatch();
    }

    PanelTestWindow panel_;
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

// The LED only tells: the parent switches the effect and has it repainted.
TEST_F(LedTest, AClickIsACommandToTheParentThenTheHoverNotice)
{
    SendMessageA(onOff_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
    SendMessageA(onOff_, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    const ExpectedMessage told[] = {
        {WM_COMMAND, kWParam | kLParam, MAKEWPARAM(IDC_ONOFF_LED, BN_CLICKED), reinterpret_cast<LPARAM>(onOff_)},
        ControlNotification(kNotifyPointerOn, onOff_, 0),
        ControlNotification(kNotifyPointerOn, onOff_, 0),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), told), "");
    for (int i = 0; i < kEffectCount; ++i) EXPECT_EQ(g_effectParameters[i].on, 0) << i;
}

TEST_F(LedTest, TheLedPaintsTheCurrentEffectsState)
{
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    g_effectParameters[0].on = 1;  // Phaser on
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_ON));
    g_effectsPatch.position = 2;  // Flanger, still off
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
    g_effectsPatch.position = 1;
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_ON));
    g_effectsPatch.count = 0;  // no current effect: off
    EXPECT_EQ(PrintClient(onOff_), DecodeBitmapResource(IDB_ONOFF_OFF));
}

}  // namespace
