#include "widgets/panel_windows.h"

HWND g_knobWindows[kKnobCount] = {};
HWND g_displayWindow = nullptr;
HWND g_greenLedWindow = nullptr;

HINSTANCE PanelInstanceOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

int KnobNumberOf(HWND window)
{
    for (int i = 0; i < kKnobCount; ++i) {
        if (window && g_knobWindows[i] == window) return i + 1;
    }
    return 0;
}
