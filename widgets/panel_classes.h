// Registration of the panel's own window classes.
#pragma once
#include <windows.h>

// Registers "rotary_control", "SLIDER", "DISPLAY", "LED" and "ONOFFLED" in
// that order for instance (which also becomes the instance the panel draws
// its bitmaps from); true only if all five succeeded.
bool RegisterPanelClasses(HINSTANCE instance);

// The transport lamps: window class "LED", painted dark by the class; the
// player lights them during playback.
LRESULT CALLBACK LedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The on/off LED of the current effect: window class "ONOFFLED"; it paints
// the current effect's state. A click is a WM_COMMAND (BN_CLICKED) to its
// parent, which switches the effect; a click or a move over it then tells
// the parent kNotifyPointerOn, which shows the state on the display.
LRESULT CALLBACK OnOffLedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
