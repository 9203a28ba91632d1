// The master slider dragged with real mouse messages, told to its parent.
#include "pixels.h"
#include "panel_test_window.h"
#include "tests/wine/e2e/reference_panel.h"
#include "widgets/panel_messages.h"

#include <gtest/gtest.h>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        slider_ = panel_.AddSlider();
        ShowWindow(slider_, SW_SHOWNORMAL);
        SendMessageA(slider_, kMsgSetText, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(slider_, kMsgSetMinimum, 0, 0);
        SendMessageA(slider_, kMsgSetMaximum, kFaderMaximum, 0);
        SendMessageA(slider_, kMsgSetPosition, kFaderZeroDb, 0);
        panel_.ClearNotifications();
    }
    LRESULT Position() { return SendMessageA(slider_, kMsgGetPosition, 0, 0); }
    ExpectedMessage Told(UINT notification, int position)
    {
        return ControlNotification(notification, slider_, static_cast<WORD>(position));
    }

    PanelTestWindow panel_;
    HWND slider_ = nullptr;
};

TEST_F(SliderTest, ThePaintedSliderIsThePanelUnderItWithTheCapAtItsPosition)
{
    for (int position : {0, kFaderZeroDb, 150, kFaderMaximum}) {
        SendMessageA(slider_, kMsgSetPosition, position, 0);
        EXPECT_EQ(PrintClient(slider_), ReferenceSlider(position)) << position;
    }
    EXPECT_TRUE(panel_.Notifications().empty()) << "setting the position is no drag";
}

// Each step on the track is told as a change and then as the pointer's
// place; a move off the track changes nothing but is still told.
TEST_F(SliderTest, ADragAlongTheTrackMovesTheCapAndTellsTheParentEachStep)
{
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 20));
    EXPECT_EQ(GetCapture(), slider_);
    EXPECT_EQ(Position(), FaderPositionAt(20));
    SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(11, 14));
    EXPECT_EQ(Position(), 0);
    SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(11, 70));
    EXPECT_EQ(Position(), kFaderMaximum);
    EXPECT_EQ(PrintClient(slider_), ReferenceSlider(kFaderMaximum));
    // Off the track: right of it, below it, above it, left of it.
    for (LPARAM off : {At(30, 40), At(11, 75), At(11, -5), At(-3, 40)}) {
        SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, off);
        EXPECT_EQ(Position(), kFaderMaximum);
    }
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 75));
    EXPECT_EQ(GetCapture(), nullptr);
    const int zero = FaderPositionAt(20), bottom = kFaderMaximum;
    const ExpectedMessage drag[] = {
        Told(kNotifyChanging, zero),   Told(kNotifyPointerOn, zero), Told(kNotifyChanging, 0),
        Told(kNotifyPointerOn, 0),     Told(kNotifyChanging, bottom), Told(kNotifyPointerOn, bottom),
        Told(kNotifyPointerOn, bottom), Told(kNotifyPointerOn, bottom), Told(kNotifyPointerOn, bottom),
        Told(kNotifyPointerOn, bottom), Told(kNotifyReleased, bottom),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), drag), "");
}

TEST_F(SliderTest, HoveringOnlyTellsWhereThePointerIs)
{
    SendMessageA(slider_, WM_MOUSEMOVE, 0, At(11, 50));
    EXPECT_EQ(Position(), kFaderZeroDb);
    const ExpectedMessage hover[] = {Told(kNotifyPointerOn, kFaderZeroDb)};
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), hover), "");
}

class SliderCaptureLossTest : public SliderTest, public ::testing::WithParamInterface<CaptureLoss> {};

TEST_P(SliderCaptureLossTest, ALostCaptureEndsTheDragAsAReleaseAndALaterHoverMovesNothing)
{
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 14));  // the top
    ASSERT_EQ(GetCapture(), slider_);
    ASSERT_TRUE(TakeCaptureAway(slider_, panel_.Handle(), GetParam()));
    // Moves afterwards, with the button down or not, and a stray button-up
    // move nothing; the next press starts a drag of its own.
    SendMessageA(slider_, WM_MOUSEMOVE, 0, At(11, 70));
    SendMessageA(slider_, WM_MOUSEMOVE, MK_LBUTTON, At(11, 50));
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 50));
    EXPECT_EQ(Position(), 0);
    SendMessageA(slider_, WM_LBUTTONDOWN, MK_LBUTTON, At(11, 20));
    EXPECT_EQ(GetCapture(), slider_);
    SendMessageA(slider_, WM_LBUTTONUP, 0, At(11, 20));
    EXPECT_EQ(GetCapture(), nullptr);
    const int zero = FaderPositionAt(20);
    const ExpectedMessage expected[] = {
        Told(kNotifyChanging, 0),  Told(kNotifyPointerOn, 0),    Told(kNotifyReleased, 0),
        Told(kNotifyPointerOn, 0), Told(kNotifyPointerOn, 0),    Told(kNotifyChanging, zero),
        Told(kNotifyPointerOn, zero), Told(kNotifyReleased, zero),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), expected), "");
}

INSTANTIATE_TEST_SUITE_P(EveryWay, SliderCaptureLossTest, ::testing::ValuesIn(kEveryCaptureLoss),
                         [](const ::testing::TestParamInfo<CaptureLoss>& p) { return CaptureLossName(p.param); });

}  // namespace
