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

// The on/off LED of the current effect: window class "ONOFFLED". A click
// switches the effect in or out; hovering shows its state on the display.
LRESULT CALLBACK OnOffLedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
