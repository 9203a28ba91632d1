#include "panel_test_window.h"

#include "resources/panel_bitmap_ids.h"
#include "tests/support/message_box_catcher.h"
#include "widgets/dib_resources.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_classes.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

namespace {

const char kParentClass[] = "qbx_panel_test_parent";
std::vector<MessageRecord> g_notifications;

struct KnobPlace {
    const char* text;
    int x, y;
};
// By knob number, from IDC_KNOB_FREQ on: Freq, Depth, Rate, Mix, Degree, Feed.
const KnobPlace kKnobPlaces[6] = {
    {"Freq", 8, 5}, {"Depth", 48, 5}, {"Rate", 8, 50}, {"Mix", 88, 50}, {"Degree", 88, 5}, {"Feed", 48, 50},
};

}  // namespace

LRESULT CALLBACK PanelParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        PaintDibResource(window, IDB_PANEL_BACKGROUND);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintDibResourceOn(reinterpret_cast<HDC>(wParam), PanelInstanceOf(window), IDB_PANEL_BACKGROUND);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DRAWITEM: DrawOwnerButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case kNotifyChanging:
    case kNotifyReleased:
    case kNotifyPointerOn:
    case kNotifyIntroStarted:
    case kNotifyIntroEnded:
    case WM_COMMAND: g_notifications.push_back({message, wParam, lParam}); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void EnsurePanelClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterPanelClasses(instance);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PanelParentProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
}

PanelTestWindow::PanelTestWindow(bool shown)
{
    EnsurePanelClasses();
    g_notifications.clear();
    const int place = shown ? 40 : -4000;
    window_ = CreateWindowExA(0, kParentClass, "Quellbox test", WS_POPUP | WS_CLIPCHILDREN, place, place, 370, 92,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!shown) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

PanelTestWindow::~PanelTestWindow()
{
    DestroyWindow(window_);
}

HWND PanelTestWindow::Add(const char* className, const char* text, int id, int x, int y, int width, int height,
                          DWORD style)
{
    return CreateWindowExA(0, className, text, WS_CHILD | style, x, y, width, height, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

HWND PanelTestWindow::AddKnob(int number)
{
    const KnobPlace& p = kKnobPlaces[number - 1];
    return Add("rotary_control", p.text, IDC_KNOB_FREQ + number - 1, p.x, p.y, 30, 30, 0);
}

HWND PanelTestWindow::AddDisplay() { return Add("DISPLAY", "Display", IDC_DISPLAY, 135, 18, 98, 38, 0); }

HWND PanelTestWindow::AddSlider() { return Add("SLIDER", "Volume", IDC_VOLUME_SLIDER, 328, 4, 22, 84, 0); }

const std::vector<MessageRecord>& PanelTestWindow::Notifications() const { return g_notifications; }

void PanelTestWindow::ClearNotifications() { g_notifications.clear(); }

ExpectedMessage ControlNotification(UINT notification, HWND control, WORD position)
{
    const WORD handleBits = static_cast<WORD>(reinterpret_cast<UINT_PTR>(control));
    return {notification, kWParam | kLParam, static_cast<WPARAM>(GetDlgCtrlID(control)),
            MAKELPARAM(handleBits, position)};
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

const char* CaptureLossName(CaptureLoss how)
{
    switch (how) {
    case CaptureLoss::AnotherWindowTakesIt: return "AnotherWindowTakesIt";
    case CaptureLoss::CancelMode: return "CancelMode";
    case CaptureLoss::MessageBox: return "MessageBox";
    }
    return "";
}

bool TakeCaptureAway(HWND control, HWND panel, CaptureLoss how)
{
    switch (how) {
    case CaptureLoss::AnotherWindowTakesIt: {
        HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        SetCapture(other);
        const bool taken = GetCapture() == other;
        ReleaseCapture();
        DestroyWindow(other);
        if (!taken) return false;
        break;
    }
    case CaptureLoss::CancelMode: SendMessageA(control, WM_CANCELMODE, 0, 0); break;
    case CaptureLoss::MessageBox: {
        MessageBoxCatcher boxes;
        MessageBoxA(panel, "Failed to set timer.", "Quellbox", MB_OK | MB_ICONERROR);
        if (boxes.Boxes().size() != 1) return false;
        break;
    }
    }
    return GetCapture() != control;
}
