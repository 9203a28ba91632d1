// The real program's main window under what a desktop does to it: its
// modes cancelled in the middle of a drag (a switch to another program, a
// dialog over it), closed while minimised or maximised, and started from a
// position that no longer lies on the screen.
#include "fault_fixture.h"

#include "widgets/panel_messages.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Closes the program as the taskbar's Close does; the intro may still be
// running, when no menu would open yet.
void CloseFromTaskbar(const QuellboxProcess& app) { PostMessageA(app.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND CaptureOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

class WindowTest : public QuellboxFaultTest {};

TEST_F(WindowTest, CancellingTheMainWindowsModesEndsAKnobOrSliderDrag)
{
    StartActive();
    const HWND main = app_.MainWindow();
    struct Drag {
        int id;
        LPARAM press;
        LPARAM hover;
    };
    // Knob: pressed right of its centre, hovered left of it. Slider: pressed
    // at the top of the track, hovered at its bottom.
    for (const Drag& d :
         {Drag{IDC_KNOB_FREQ, At(25, 15), At(-20, 15)}, Drag{IDC_VOLUME_SLIDER, At(11, 14), At(11, 70)}}) {
        SCOPED_TRACE(d.id);
        const HWND control = app_.Control(d.id);
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, d.press);
        ASSERT_EQ(CaptureOf(main), control);
        const LRESULT position = SendMessageA(control, kMsgGetPosition, 0, 0);

        SendMessageA(main, WM_CANCELMODE, 0, 0);
        EXPECT_EQ(CaptureOf(main), nullptr);
        SendMessageA(control, WM_MOUSEMOVE, 0, d.hover);
        EXPECT_EQ(SendMessageA(control, kMsgGetPosition, 0, 0), position) << "a hover after the drag moved it";
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
        ASSERT_TRUE(WaitUntil([&] { return (show == SW_MINIMIZE ? IsIconic(main) : IsZoomed(main)) != FALSE; }, 5000));
        CloseFromTaskbar(app);
        ASSERT_EQ(app.WaitForExit(10000), 0);
        EXPECT_EQ(StoredSetting("Main Window", "Left"), "123");
        EXPECT_EQ(StoredSetting("Main Window", "Top"), "77");
    }
}

TEST_F(WindowTest, APositionWhollyOffTheScreenStartsTheWindowWhereItCanBeSeen)
{
    StoreSetting("Main Window", "Left", "-5000");
    StoreSetting("Main Window", "Top", "9000");
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForMainWindow());
    RECT frame, work, shared;
    GetWindowRect(app_.MainWindow(), &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(IntersectRect(&shared, &frame, &work));
    // Wholly on it, as the centred window of a first start is.
    EXPECT_TRUE(EqualRect(&shared, &frame));
    CloseFromTaskbar(app_);
    EXPECT_EQ(app_.WaitForExit(10000), 0);
}

}  // namespace
