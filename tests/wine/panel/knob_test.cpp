// The rotary knob on a panel: its picture, its messages, and a drag made of
// real mouse messages, told to its parent.
#include "pixels.h"
#include "panel_test_window.h"
#include "model/effects_patch.h"
#include "tests/wine/e2e/reference_panel.h"
#include "widgets/panel_messages.h"

#include <gtest/gtest.h>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class KnobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectsPatch();
        freq_ = panel_.AddKnob(kFreqKnob);
        ShowWindow(freq_, SW_SHOWNORMAL);
        SendMessageA(freq_, kMsgSetText, 0, reinterpret_cast<LPARAM>("Hz"));
        SendMessageA(freq_, kMsgSetMinimum, 0, 0);
        SendMessageA(freq_, kMsgSetMaximum, 100, 0);
        SendMessageA(freq_, kMsgSetPosition, 27, 0);
        panel_.ClearNotifications();
    }
    void TearDown() override { ResetEffectsPatch(); }
    LRESULT Position() { return SendMessageA(freq_, kMsgGetPosition, 0, 0); }
    ExpectedMessage Told(UINT notification, WORD position) { return ControlNotification(notification, freq_, position); }

    PanelTestWindow panel_;
    HWND freq_ = nullptr;
};

TEST_F(KnobTest, ThePaintedKnobIsThePanelUnderItWithTheKnobAndItsPointer)
{
    for (int position : {0, 27, 50, 83, 100}) {
        SendMessageA(freq_, kMsgSetPosition, position, 0);
        EXPECT_EQ(PrintClient(freq_), ReferenceKnob(kFreqKnob, 0, 100, position)) << position;
    }
}

TEST_F(KnobTest, RangeMessagesClampThePositionWhichTheSetMessageDoesNot)
{
    SendMessageA(freq_, kMsgSetPosition, 30, 0);
    SendMessageA(freq_, kMsgSetMinimum, 40, 0);
    EXPECT_EQ(Position(), 40);
    SendMessageA(freq_, kMsgSetMaximum, 35, 0);
    EXPECT_EQ(Position(), 35);
    SendMessageA(freq_, kMsgSetPosition, 500, 0);
    EXPECT_EQ(Position(), 500);
}

// Each step of the drag is told as a change and then as the pointer's place,
// so that the parent changes the effect before it shows the value.
TEST_F(KnobTest, ADragTurnsTheKnobToThePointerAndTellsTheParentEachStep)
{
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));  // right of the centre: 83
    EXPECT_EQ(GetCapture(), freq_);
    EXPECT_EQ(Position(), 83);
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(15, -40));  // above the knob, outside it: 49
    EXPECT_EQ(Position(), 49);
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(-20, 15));  // left: 16
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(-20, 15));
    EXPECT_EQ(GetCapture(), nullptr);
    const ExpectedMessage drag[] = {
        Told(kNotifyChanging, 83), Told(kNotifyPointerOn, 83), Told(kNotifyChanging, 49), Told(kNotifyPointerOn, 49),
        Told(kNotifyChanging, 16), Told(kNotifyPointerOn, 16), Told(kNotifyReleased, 16),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), drag), "");
    EXPECT_EQ(PrintClient(freq_), ReferenceKnob(kFreqKnob, 0, 100, 16));
}

TEST_F(KnobTest, MovingWithoutTheButtonOnlyTellsWhereThePointerIs)
{
    SendMessageA(freq_, WM_MOUSEMOVE, 0, At(25, 15));
    EXPECT_EQ(Position(), 27);
    const ExpectedMessage hover[] = {Told(kNotifyPointerOn, 27)};
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), hover), "");
}

TEST_F(KnobTest, WithAnEmptyPatchTheKnobDoesNotTurn)
{
    g_effectsPatch.count = 0;
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(5, 15));
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(5, 15));
    EXPECT_EQ(Position(), 27);
    const ExpectedMessage noTurn[] = {Told(kNotifyPointerOn, 27), Told(kNotifyPointerOn, 27),
                                      Told(kNotifyReleased, 27)};
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), noTurn), "");
    EXPECT_EQ(PrintClient(freq_), ReferenceKnob(kFreqKnob, 0, 100, 27));
}

class KnobCaptureLossTest : public KnobTest, public ::testing::WithParamInterface<CaptureLoss> {};

TEST_P(KnobCaptureLossTest, ALostCaptureEndsTheDragAsAReleaseAndALaterHoverTurnsNothing)
{
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));  // right of the centre: 83
    ASSERT_EQ(GetCapture(), freq_);
    ASSERT_TRUE(TakeCaptureAway(freq_, panel_.Handle(), GetParam()));

    // Ended as a release ends it, with the position the drag left. The
    // pointer passing over the knob afterwards, and a stray button-up, turn
    // nothing.
    SendMessageA(freq_, WM_MOUSEMOVE, 0, At(-20, 15));
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(15, 40));
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(15, 40));
    EXPECT_EQ(Position(), 83);
    // The next press starts a drag of its own.
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(-20, 15));  // left: 16
    EXPECT_EQ(GetCapture(), freq_);
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(-20, 15));
    EXPECT_EQ(GetCapture(), nullptr);
    const ExpectedMessage expected[] = {
        Told(kNotifyChanging, 83),  Told(kNotifyPointerOn, 83), Told(kNotifyReleased, 83),
        Told(kNotifyPointerOn, 83), Told(kNotifyPointerOn, 83), Told(kNotifyChanging, 16),
        Told(kNotifyPointerOn, 16), Told(kNotifyReleased, 16),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), expected), "");
}

INSTANTIATE_TEST_SUITE_P(EveryWay, KnobCaptureLossTest, ::testing::ValuesIn(kEveryCaptureLoss),
                         [](const ::testing::TestParamInfo<CaptureLoss>& p) { return CaptureLossName(p.param); });

}  // namespace
