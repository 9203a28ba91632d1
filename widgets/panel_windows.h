// Window handles of the panel that the controls need to know each other by.
// The shell fills them in as it creates the controls.
#pragma once
#include <windows.h>

constexpr int kKnobCount = 6;

// The byte offset of the window-extra slot in which the knob, slider and
// display keep the pointer to their state record.
constexpr int kRecordSlot = 0;

// Indexed by knob number - 1: Freq, Depth, Rate, Mix, Degree, Feed.
extern HWND g_knobWindows[kKnobCount];
extern HWND g_displayWindow;
extern HWND g_greenLedWindow;

// The instance a panel window was created with, whose resources the panel
// draws from.
HINSTANCE PanelInstanceOf(HWND window);

// The knob number (1 to 6) of a knob window, 0 for any other window.
int KnobNumberOf(HWND window);
