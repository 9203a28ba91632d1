// The on/off LED of the current effect: window class "ONOFFLED". A click
// switches the effect in or out; hovering shows its state on the display.
#pragma once
#include <windows.h>

LRESULT CALLBACK OnOffLedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
