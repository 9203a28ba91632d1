// The look of the transport controls that Play is handed: buttons enabled
// or disabled, the green (play) and red (pause) LEDs drawn through Led.
#pragma once
#include <windows.h>

// One drawing of an LED window: a device context got and released around
// one call of Led. A missing window is skipped.
void DrawLed(HWND led, bool lit, const char* colour);

// PLAY disabled, STOP and PAUSE enabled; green lit, red dark.
void ShowPlayingLook();
// PLAY enabled, STOP and PAUSE disabled.
void ShowStoppedButtons();
// Green dark, then red dark.
void DrawBothLedsDark();

// Every 100 ms while a playback holds the timer: green lit, red lit while
// halted (paused).
void CALLBACK IndicatorTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
