// The transport lamps: window class "LED", painted dark by the class; the
// player lights them during playback.
#pragma once
#include <windows.h>

LRESULT CALLBACK LedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
