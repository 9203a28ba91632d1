// The master slider dragged with real mouse messages.
#include "pixels.h"
#include "panel_test_window.h"
#include "model/display_number.h"
#include "model/master_volume.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/display_panel.h"
#include "widgets/master_slider.h"
#include "widgets/panel_messages.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_masterVolume = 0.0;
        VolumesHanded().clear();
        display_ = panel_.AddDisplay();
        ShowWindow(display_, SW_SHOWNORMAL);
        KillTimer(display_, IDT_DISPLAY_INTRO);
        slider_ = panel_.AddSlider();
        ShowWindow(slider_, SW_SHOWNORMAL);
        SendMessageA(slider_, kMsgSetText, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(slider_, kMsgSetMinimum, 0, 0);
        SendMessageA(slider_, kMsgSetMaximum, 300, 0);
        SendMessageA(slider_, kMsgSetPosition, 32, 0);
        panel_.ClearNotifications();
    }
    void TearDown() override
    {
        ResetDisplayIntro();
        g_masterVolume = 0.0;
    }
    LRESULT Position() { return SendMessageA(slider_, kMsgGetPosition, 0, 0); }
    Pixels DisplayShowing(const char* value)
    {
        DrawDisplayText(display_, "MASTER", kTopLeft, "", 0, "Volume", kBottomLeft, value, kBottomRight);
        return PrintClient(display_);
    }
    // The row of the cap's index line, found by the cap picture's own centre row.
    int CapIndexRow()
    {
        const Pixels painted = PrintClient(slider_);
        const COLORREF line = DecodeBitmapResource(IDB_SLIDER_CAP).At(35, 35);
        for (int y = 0; y < painted.height; ++y)
            if (painted.At(5, y) == line && painted.At(16, y) == line) return y;
        return -1;
    }

    PanelTestWindow panel_;
    HWND display_ = nullptr;
    HWND slider_ = nullptr;
};

TEST_F(SliderTest, PressingAtTwentyIsExactlyZeroDecibels)
{
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 20));
    EXPECT_EQ(GetCapture(), slider_);
    EXPECT_EQ(Position(), 32);
    EXPECT_EQ(g_masterVolume, 0.0);
    ASSERT_EQ(VolumesHanded().size(), 1u);
    EXPECT_EQ(VolumesHanded()[0].first, 0.0);
    EXPECT_EQ(VolumesHanded()[0].second, 0.0);
    EXPECT_EQ(DecibelsToGain(g_masterVolume), 1.0);
    const Pixels shown = PrintClient(display_);
    EXPECT_EQ(shown, DisplayShowing("0.00"));
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 20));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderTest, ADragFromTopToBottomSetsTheVolumeMovesTheCapAndNotifies)
{
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 14));
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(g_masterVolume, 3.0);
    EXPECT_EQ(PrintClient(display_), DisplayShowing("3.00"));
    EXPECT_EQ(CapIndexRow(), 14);

    SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(11, 70));
    EXPECT_EQ(Position(), 300);
    EXPECT_NEAR(g_masterVolume, -90.0, 0.01);
    EXPECT_EQ(PrintClient(display_), DisplayShowing("-89.99"));
    EXPECT_EQ(CapIndexRow(), 70);

    // Off the track (right of it, below it, above it while captured): nothing changes.
    for (LPARAM off : {At(30, 40), At(11, 75), At(11, -5), At(-3, 40)}) {
        SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, off);
        EXPECT_EQ(Position(), 300);
    }
    EXPECT_EQ(VolumesHanded().size(), 2u);
    EXPECT_EQ(PrintClient(display_), DisplayShowing("-89.99"));
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 75));

    const ExpectedMessage drag[] = {
        ControlNotification(kNotifyChanging, slider_, 0),
        ControlNotification(kNotifyChanging, slider_, 300),
        ControlNotification(kNotifyReleased, slider_, 300),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), drag), "");
    EXPECT_EQ(VolumesHanded()[1].first, VolumesHanded()[1].second);
}

TEST_F(SliderTest, HoveringOnlyShowsTheVolume)
{
    g_masterVolume = -6.5;
    SendMessageA(slider_, WM_MOUSEMOVE, 0, At(11, 50));
    EXPECT_EQ(Position(), 32);
    EXPECT_TRUE(VolumesHanded().empty());
    EXPECT_EQ(PrintClient(display_), DisplayShowing("-6.50"));
}

TEST_F(SliderTest, SettingThePositionMovesTheCapButNotTheVolume)
{
    EXPECT_EQ(CapIndexRow(), 20);  // cap top truncated from -15.03 to -15, its centre row 35 below
    SendMessageA(slider_, kMsgSetPosition, 150, 0);
    EXPECT_EQ(CapIndexRow(), 42);
    EXPECT_EQ(g_masterVolume, 0.0);
    EXPECT_TRUE(VolumesHanded().empty());
    // Outside the cap the slider shows the panel under it.
    const Pixels painted = PrintClient(slider_);
    EXPECT_EQ(painted.Crop(0, 0, 22, 20), DecodeBitmapResource(IDB_PANEL_BACKGROUND).Crop(328, 4, 22, 20));
}

class SliderCaptureLossTest : public SliderTest, public ::testing::WithParamInterface<CaptureLoss> {};

TEST_P(SliderCaptureLossTest, ALostCaptureEndsTheDragAsAReleaseAndALaterHoverMovesNothing)
{
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 14));  // the top: +3 dB
    ASSERT_EQ(GetCapture(), slider_);
    ASSERT_TRUE(TakeCaptureAway(slider_, panel_.Handle(), GetParam()));

    const ExpectedMessage pressThenLoss[] = {
        ControlNotification(kNotifyChanging, slider_, 0),
        ControlNotification(kNotifyReleased, slider_, 0),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), pressThenLoss), "");

    // Hovering afterwards only shows the volume the drag left.
    SendMessageA(slider_, WM_MOUSEMOVE, 0, At(11, 70));
    SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(11, 50));
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 50));
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(g_masterVolume, 3.0);
    EXPECT_EQ(VolumesHanded().size(), 1u);
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), pressThenLoss), "");
    EXPECT_EQ(PrintClient(display_), DisplayShowing("3.00"));

    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 20));
    EXPECT_EQ(GetCapture(), slider_);
    EXPECT_EQ(Position(), 32);
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 20));
    EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryWay, SliderCaptureLossTest, ::testing::ValuesIn(kEveryCaptureLoss),
                         [](const ::testing::TestParamInfo<CaptureLoss>& p) { return CaptureLossName(p.param); });

}  // namespace
