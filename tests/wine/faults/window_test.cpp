// The real program's main window under what a desktop does to it: the
// pointer taken from a drag by a menu, closed while minimised or maximised,
// and started from a position that no longer lies on the screen.
#include "fault_fixture.h"

#include "widgets/panel_messages.h"

namespace {

HWND CaptureOf(HWND window) { return GuiThreadOf(window).hwndCapture; }

class WindowTest : public QuellboxFaultTest {};

TEST_F(WindowTest, AMenuThatTakesThePointerEndsAKnobOrSliderDrag)
{
    StartActive();
    const HWND main = app_.MainWindow();
    struct Drag {
        int id;
        POINT press, move;
    };
    // Knob: pressed right of its centre, moved to its left edge. Slider:
    // pressed at the top of the track, moved to its bottom.
    for (const Drag& d : {Drag{IDC_KNOB_FREQ, {25, 15}, {4, 15}}, Drag{IDC_VOLUME_SLIDER, {11, 14}, {11, 70}}}) {
        SCOPED_TRACE(d.id);
        const HWND control = app_.Control(d.id);
        ASSERT_TRUE(UncoverAt(control, d.press.x, d.press.y) && MovePointerTo(control, d.press.x, d.press.y));
        PressButton(MouseButton::kLeft);
        // Expectations from here, so that the held button is always let go.
        EXPECT_TRUE(WaitUntil([&] { return CaptureOf(main) == control; }, 5000));
        const LRESULT position = SendMessageA(control, kMsgGetPosition, 0, 0);

        // A right click with the left button held opens the panel's menu,
        // which takes the pointer from the control.
        PressButton(MouseButton::kRight);
        ReleaseButton(MouseButton::kRight);
        EXPECT_TRUE(WaitUntil([this] { return app_.PopupMenu() != nullptr; }, 5000));
        // The menu window shows before its tracking takes the capture.
        EXPECT_TRUE(WaitUntil([&] { return CaptureOf(main) != control; }, 5000));
        EXPECT_TRUE(app_.CloseMenu());
        EXPECT_TRUE(MovePointerTo(control, d.move.x, d.move.y));
        ReleaseButton(MouseButton::kLeft);
        EXPECT_TRUE(app_.OpensItsMenuNext());
        EXPECT_EQ(SendMessageA(control, kMsgGetPosition, 0, 0), position) << "a move after the drag moved it";
    }
    app_.Command(IDM_EXIT);
    EXPECT_EQ(app_.WaitForExit(10000), 0);
}

TEST_F(WindowTest, ClosedMinimisedOrMaximisedItKeepsItsNormalPosition)
{
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        SCOPED_TRACE(show);
        QuellboxProcess app;
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.WaitForMainWindow());
        const HWND main = app.MainWindow();
        SetWindowPos(main, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(main, show);
        // Alt+F4 closes it; the intro may still be running, when no menu
        // would open yet.
        ASSERT_TRUE(BringToForeground(main));
        ASSERT_TRUE(WaitUntil([&] { return (show == SW_MINIMIZE ? IsIconic(main) : IsZoomed(main)) != FALSE; }, 5000));
        PressKeys({VK_MENU, VK_F4});
        ASSERT_EQ(app.WaitForExit(10000), 0);
        EXPECT_EQ(IniText("Main Window", "Left"), "123");
        EXPECT_EQ(IniText("Main Window", "Top"), "77");
    }
}

TEST_F(WindowTest, APositionWhollyOffTheScreenStartsTheWindowWhereItCanBeSeen)
{
    WritePrivateProfileStringA("Main Window", "Left", "-5000", kIni);
    WritePrivateProfileStringA("Main Window", "Top", "9000", kIni);
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    RECT frame, work, shared;
    GetWindowRect(app_.MainWindow(), &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(IntersectRect(&shared, &frame, &work));
    // Wholly on it, as the centred window of a first start is.
    EXPECT_TRUE(EqualRect(&shared, &frame));
    ASSERT_TRUE(BringToForeground(app_.MainWindow()));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(app_.WaitForExit(10000), 0);
}

}  // namespace
