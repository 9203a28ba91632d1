#include "widgets/panel_windows.h"

HWND g_knobWindows[kKnobCount] = {};
HWND g_displayWindow = nullptr;
HWND g_greenLedWindow = nullptr;
HINSTANCE g_panelInstance = nullptr;

int KnobNumberOf(HWND window)
{
    for (int i = 0; i < kKnobCount; ++i) {
        if (window && g_knobWindows[i] == window) return i + 1;
    }
    return 0;
}
