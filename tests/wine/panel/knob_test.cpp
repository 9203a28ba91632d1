// The rotary knob on a panel: its face, its messages and a drag made of
// real mouse messages.
#include "pixels.h"
#include "panel_test_window.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/display_panel.h"
#include "widgets/knob_geometry.h"
#include "widgets/panel_messages.h"
#include "widgets/rotary_control.h"

#include <gtest/gtest.h>

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The Phaser's freq that the parameter model maps a Freq knob position to.
double PhaserFreqAt(uint16_t position)
{
    const EffectParameters saved = g_effectParameters[0];
    SetParameterFromKnob(kPhaserId, kKnobFreq, position);
    const double freq = g_effectParameters[0].freq;
    g_effectParameters[0] = saved;
    return freq;
}

class KnobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectParameters();
        ResetEffectsPatch();
        ResetDisplayIntro();
        display_ = panel_.AddDisplay();
        ShowWindow(display_, SW_SHOWNORMAL);
        KillTimer(display_, IDT_DISPLAY_INTRO);  // the intro would write over the display
        freq_ = panel_.AddKnob(kKnobFreq);
        ShowWindow(freq_, SW_SHOWNORMAL);
        SendMessageA(freq_, kMsgSetText, 0, reinterpret_cast<LPARAM>("Hz"));
        SendMessageA(freq_, kMsgSetMinimum, 0, 0);
        SendMessageA(freq_, kMsgSetMaximum, 100, 0);
        SendMessageA(freq_, kMsgSetPosition, KnobPositionFor(kPhaserId, kKnobFreq), 0);
        panel_.ClearNotifications();
    }
    void TearDown() override { ResetEffectsPatch(); }

    Pixels ExpectedFace() const
    {
        Pixels face = DecodeBitmapResource(IDB_PANEL_BACKGROUND).Crop(8, 5, 30, 30);
        const Pixels knob = DecodeBitmapResource(IDB_KNOB);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const COLORREF c = knob.At(x + 10, y + 10);
                if (c != RGB(0, 0, 255)) face.At(x, y) = c;
            }
        return face;
    }

    PanelTestWindow panel_;
    HWND display_ = nullptr;
    HWND freq_ = nullptr;
};

TEST_F(KnobTest, TheFaceIsTheBackgroundUnderTheKnobWithTheKnobPictureOverIt)
{
    HBITMAP face = MakeKnobFace(freq_);
    ASSERT_NE(face, nullptr);
    const Pixels made = ReadBitmap(face);
    DeleteObject(face);
    const Pixels expected = ExpectedFace();
    EXPECT_EQ(made, expected);
    // Its corners are still the panel: the blue ground of the picture left no trace.
    EXPECT_EQ(made.At(0, 0), DecodeBitmapResource(IDB_PANEL_BACKGROUND).At(8, 5));
}

TEST_F(KnobTest, ThePaintedKnobIsTheFacePlusItsPointer)
{
    SendMessageA(freq_, kMsgSetPosition, 50, 0);
    const Pixels painted = PrintClient(freq_);
    const Pixels face = ExpectedFace();
    const PointerPoint end = PointerEnd(0, 100, 50, 15, 15, 11);
    EXPECT_EQ(painted.At(15, 15), RGB(255, 255, 255));
    EXPECT_EQ(painted.At(end.x, end.y + 1), RGB(255, 255, 255));  // the line, one short of its end
    EXPECT_EQ(painted.At(16, 16), RGB(0, 0, 0));                   // its shadow
    const RECT changed = DifferenceBox(painted, face);
    EXPECT_GE(changed.left, 14);
    EXPECT_LE(changed.right, 18);
    EXPECT_GE(changed.top, end.y);
    EXPECT_LE(changed.bottom, 17);
}

TEST_F(KnobTest, RangeMessagesClampThePositionWhichTheSetMessageDoesNot)
{
    SendMessageA(freq_, kMsgSetPosition, 30, 0);
    SendMessageA(freq_, kMsgSetMinimum, 40, 0);
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 40);
    SendMessageA(freq_, kMsgSetMaximum, 35, 0);
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 35);
    SendMessageA(freq_, kMsgSetPosition, 500, 0);
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 500);
}

TEST_F(KnobTest, ADragTurnsTheKnobChangesTheEffectAndShowsTheValue)
{
    const double freqBefore = g_effectParameters[0].freq;
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));  // right of the centre: 83
    EXPECT_EQ(GetCapture(), freq_);
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 83);
    EXPECT_EQ(g_effectParameters[0].freq, PhaserFreqAt(83));
    EXPECT_NE(g_effectParameters[0].freq, freqBefore);
    EXPECT_NE(PhaserFreqAt(83), PhaserFreqAt(49));

    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(15, -40));  // above the knob, outside it: 49
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 49);
    EXPECT_EQ(g_effectParameters[0].freq, PhaserFreqAt(49));
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(-20, 15));  // left: 16
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 16);
    EXPECT_EQ(g_effectParameters[0].freq, PhaserFreqAt(16));
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(-20, 15));
    EXPECT_EQ(GetCapture(), nullptr);

    // Every change notified the parent with the position in the high word; the release once more.
    const ExpectedMessage drag[] = {
        ControlNotification(kNotifyChanging, freq_, 83),
        ControlNotification(kNotifyChanging, freq_, 49),
        ControlNotification(kNotifyChanging, freq_, 16),
        ControlNotification(kNotifyReleased, freq_, 16),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), drag), "");

    // The pointer stands at 16 and the display shows the Phaser's Freq value.
    const PointerPoint end = PointerEnd(0, 100, 16, 15, 15, 11);
    EXPECT_EQ(PrintClient(freq_).At((15 + end.x) / 2, (15 + end.y) / 2), RGB(255, 255, 255));
    const Pixels shown = PrintClient(display_);
    KnobValue value;
    ASSERT_TRUE(KnobValueText(kPhaserId, kKnobFreq, 16, &value));
    DrawDisplayText(display_, "PHASER", kTopLeft, "", 0, value.label ? value.label : "Freq", kBottomLeft, value.text,
                    kBottomRight);
    EXPECT_EQ(shown, PrintClient(display_));
    DrawDisplayText(display_, "", 0, "", 0, "", 0, "", 0);
    EXPECT_NE(shown, PrintClient(display_));
}

TEST_F(KnobTest, MovingWithoutTheButtonOnlyShowsTheValue)
{
    const double freq = g_effectParameters[0].freq;
    const LRESULT position = SendMessageA(freq_, kMsgGetPosition, 0, 0);
    SendMessageA(freq_, WM_MOUSEMOVE, 0, At(25, 15));
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), position);
    EXPECT_EQ(g_effectParameters[0].freq, freq);
    EXPECT_TRUE(panel_.Notifications().empty());
    const Pixels shown = PrintClient(display_);
    DrawDisplayText(display_, "", 0, "", 0, "", 0, "", 0);
    EXPECT_NE(shown, PrintClient(display_));
}

TEST_F(KnobTest, WithAnEmptyPatchTheKnobShowsNoEffectsAndDoesNotTurn)
{
    g_effectsPatch.count = 0;
    const LRESULT position = SendMessageA(freq_, kMsgGetPosition, 0, 0);
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(5, 15));
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(5, 15));
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), position);
    const Pixels shown = PrintClient(display_);
    DrawDisplayText(display_, "NO EFFECTS", kTopLeft, "", 0, "", 0, "", 0);
    EXPECT_EQ(shown, PrintClient(display_));
}

class KnobCaptureLossTest : public KnobTest, public ::testing::WithParamInterface<CaptureLoss> {};

TEST_P(KnobCaptureLossTest, ALostCaptureEndsTheDragAsAReleaseAndALaterHoverTurnsNothing)
{
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 15));  // right of the centre: 83
    ASSERT_EQ(GetCapture(), freq_);
    const double freq = g_effectParameters[0].freq;
    ASSERT_TRUE(TakeCaptureAway(freq_, panel_.Handle(), GetParam()));

    // Ended as a release ends it: one release with the position the drag left.
    const ExpectedMessage pressThenLoss[] = {
        ControlNotification(kNotifyChanging, freq_, 83),
        ControlNotification(kNotifyReleased, freq_, 83),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), pressThenLoss), "");

    // The pointer passing over the knob afterwards, and a stray button-up,
    // change nothing: no turn, no Change call, no notification.
    SendMessageA(freq_, WM_MOUSEMOVE, 0, At(-20, 15));
    SendMessageA(freq_, WM_MOUSEMOVE, MK_LBUTTON, At(15, 40));
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(15, 40));
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 83);
    EXPECT_EQ(g_effectParameters[0].freq, freq);
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), pressThenLoss), "");

    // The next press starts a drag of its own.
    SendMessageA(freq_, WM_LBUTTONDOWN, MK_LBUTTON, At(-20, 15));  // left: 16
    EXPECT_EQ(GetCapture(), freq_);
    EXPECT_EQ(SendMessageA(freq_, kMsgGetPosition, 0, 0), 16);
    SendMessageA(freq_, WM_LBUTTONUP, 0, At(-20, 15));
    EXPECT_EQ(GetCapture(), nullptr);
    const ExpectedMessage thenADragOfItsOwn[] = {
        ControlNotification(kNotifyChanging, freq_, 83),
        ControlNotification(kNotifyReleased, freq_, 83),
        ControlNotification(kNotifyChanging, freq_, 16),
        ControlNotification(kNotifyReleased, freq_, 16),
    };
    EXPECT_EQ(SequenceMismatch(panel_.Notifications(), thenADragOfItsOwn), "");
}

INSTANTIATE_TEST_SUITE_P(EveryWay, KnobCaptureLossTest, ::testing::ValuesIn(kEveryCaptureLoss),
                         [](const ::testing::TestParamInfo<CaptureLoss>& p) { return CaptureLossName(p.param); });

}  // namespace
