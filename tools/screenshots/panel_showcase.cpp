// The whole panel assembled on a test parent: all sixteen controls at their
// places, configured like the program at start-up, for screenshots.
//
//   qbx_panel_showcase.exe [intro|ready] [seconds]
//
// "intro" leaves the display in its start-up intro; "ready" (the default)
// ends it, enables the panel, switches the Phaser on, lights the PLAY lamp
// and shows the Freq knob's value, as while playing. The window stays up for
// the given seconds (default 8) at screen position (40, 40).
#include "tests/wine/panel/panel_test_window.h"
#include "audio/effect_modules.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/dib_resources.h"
#include "widgets/display_panel.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_classes.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND g_greenLed = nullptr;
bool g_playing = false;
// While it plays, the showcase relights the green LED on this timer.
constexpr UINT_PTR kLedBlinkTimer = 1;
constexpr UINT kLedBlinkMs = 100;

LRESULT CALLBACK ShowcaseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (g_playing && g_greenLed) {
            HDC dc = GetDC(g_greenLed);
            Led(dc, 0, 0, 7, 3, 1, "GREEN");
            ReleaseDC(g_greenLed, dc);
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return PanelParentProc(window, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const char* cls, const char* text, int id, int x, int y, int w, int h, DWORD style)
{
    return CreateWindowExA(0, cls, text, WS_CHILD | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

// What the screen offers for palettes, written to stderr for the screenshot log.
void ReportScreenPalette(HWND window)
{
    HDC dc = GetDC(window);
    HPALETTE palette = nullptr;
    HBITMAP bitmap = LoadDibResource(GetModuleHandleA(nullptr), IDB_PANEL_BACKGROUND, &palette);
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    const UINT mapped = palette ? RealizePalette(dc) : 0;
    std::fprintf(stderr, "screen: %d bits per pixel, palette device %s, system palette %d, reserved %d, "
                 "panel palette entries realised %u\n", GetDeviceCaps(dc, BITSPIXEL),
                 (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? "yes" : "no", GetDeviceCaps(dc, SIZEPALETTE),
                 GetDeviceCaps(dc, NUMRESERVED), mapped);
    if (palette) SelectPalette(dc, old, FALSE);
    ReleaseDC(window, dc);
    if (bitmap) DeleteObject(bitmap);
    if (palette) DeleteObject(palette);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    const bool ready = std::strstr(commandLine, "intro") == nullptr;
    int seconds = 8;
    for (const char* p = commandLine; *p; ++p) {
        if (*p >= '0' && *p <= '9') {
            seconds = std::atoi(p);
            break;
        }
    }

    RegisterPanelClasses(instance);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ShowcaseProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    wc.lpszClassName = "qbx_panel_showcase";
    RegisterClassA(&wc);

    const DWORD style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, 370, 92};
    AdjustWindowRect(&r, style, FALSE);
    HWND main = CreateWindowExA(0, "qbx_panel_showcase", "Quellbox", style, 40, 40, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);

    struct KnobPlace {
        const char* text;
        int x, y;
    };
    const KnobPlace knobs[6] = {{"Freq", 8, 5}, {"Depth", 48, 5}, {"Rate", 8, 50},
                                {"Mix", 88, 50}, {"Degree", 88, 5}, {"Feed", 48, 50}};
    HWND knobWindows[6];
    for (int i = 0; i < 6; ++i) {
        knobWindows[i] = Child(main, "rotary_control", knobs[i].text, IDC_KNOB_FREQ + i, knobs[i].x, knobs[i].y, 30,
                                 30, WS_DISABLED);
    }
    HWND slider = Child(main, "SLIDER", "Volume", IDC_VOLUME_SLIDER, 328, 4, 22, 84, WS_DISABLED);
    HWND display = Child(main, "DISPLAY", "Display", IDC_DISPLAY, 135, 18, 98, 38, WS_DISABLED);
    g_greenLed = Child(main, "LED", "", IDC_GREEN_LED, 149, 65, 7, 3, 0);
    ShowWindow(g_greenLed, SW_SHOWNORMAL);
    HWND red = Child(main, "LED", "", IDC_RED_LED, 181, 65, 7, 3, 0);
    ShowWindow(red, SW_SHOWNORMAL);
    HWND onOff =
        Child(main, "ONOFFLED", "ON/OFF", IDC_ONOFF_LED, 272, 43, 18, 18, WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW);
    const struct {
        const char* text;
        int id, x, y, w, h;
    } buttons[] = {{"PLAY", IDC_PLAY, 136, 71, 33, 10},
                   {"PAUSE", IDC_PAUSE, 168, 71, 33, 10},
                   {"STOP", IDC_STOP, 200, 71, 33, 10},
                   {"DOWN", IDC_DOWN, 261, 14, 20, 14},
                   {"UP", IDC_UP, 280, 14, 20, 14}};
    HWND buttonWindows[5];
    for (int i = 0; i < 5; ++i) {
        buttonWindows[i] = Child(main, "BUTTON", buttons[i].text, buttons[i].id, buttons[i].x, buttons[i].y,
                                 buttons[i].w, buttons[i].h, WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW);
    }
    LoadPanelBitmaps(GetModuleHandleA(nullptr));
    ShowWindow(onOff, SW_SHOWNORMAL);

    ShowWindow(main, show);
    UpdateWindow(main);
    ReportScreenPalette(main);

    const char* knobTexts[6] = {"Hz", "Hz", "", "", "De", "Feed"};
    const WPARAM minima[6] = {0, 0, 0, 1, 0, 0};
    const WPARAM maxima[6] = {100, 100, 100, 200, 180, 100};
    for (int i = 0; i < 6; ++i) {
        ShowWindow(knobWindows[i], SW_SHOWNORMAL);
        SendMessageA(knobWindows[i], kMsgSetText, 0, reinterpret_cast<LPARAM>(knobTexts[i]));
        SendMessageA(knobWindows[i], kMsgSetMinimum, minima[i], 0);
        SendMessageA(knobWindows[i], kMsgSetMaximum, maxima[i], 0);
        SendMessageA(knobWindows[i], kMsgSetPosition, KnobPositionFor(kPhaserId, i + 1), 0);
    }
    ShowWindow(slider, SW_SHOWNORMAL);
    SendMessageA(slider, kMsgSetText, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(slider, kMsgSetMinimum, 0, 0);
    SendMessageA(slider, kMsgSetMaximum, 300, 0);
    SendMessageA(slider, kMsgSetPosition, 32, 0);
    ShowWindow(display, SW_SHOWNORMAL);
    SendMessageA(display, kMsgSetMinimum, 0, 0);
    SendMessageA(display, kMsgSetPosition, 0, reinterpret_cast<LPARAM>("PHASER"));

    if (ready) {
        UpdateWindow(display);  // its first paint is the bare glass
        KillTimer(display, IDT_DISPLAY_INTRO);
        for (int tick = 0; tick < 15; ++tick) SendMessageA(display, WM_TIMER, IDT_DISPLAY_INTRO, 0);
        SendMessageA(display, kMsgEndPrompt, 0, 0);
        for (HWND knob : knobWindows) EnableWindow(knob, TRUE);
        EnableWindow(slider, TRUE);
        for (HWND button : buttonWindows) EnableWindow(button, TRUE);
        EnableWindow(display, TRUE);
        EnableWindow(onOff, TRUE);
        g_effectParameters[kPhaserId - 1].on = 1;  // the Phaser on
        SendMessageA(onOff, WM_PAINT, 0, 0);
        // The Freq value on the display, as the program shows it under the pointer.
        KnobValue value;
        if (KnobValueText(kPhaserId, 1, KnobPositionFor(kPhaserId, 1), &value))
            DrawDisplayText(display, "PHASER", kTopLeft, "", kNoPlace, value.label ? value.label : "Freq", kBottomLeft,
                            value.text, kBottomRight);
        g_playing = true;
        SetTimer(main, kLedBlinkTimer, kLedBlinkMs, nullptr);
    }

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    DestroyWindow(main);
    DeletePanelBitmaps();
    return 0;
}
