#include "player/transport_look.h"

#include "audio/effect_modules.h"
#include "player/playback.h"
#include "player/playback_end.h"

void DrawLed(HWND led, bool lit, const char* colour)
{
    if (!led) return;
    HDC dc = GetDC(led);
    if (!dc) return;
    Led(dc, 0, 0, 7, 3, lit ? 1 : 0, colour);
    ReleaseDC(led, dc);
}

void ShowPlayingLook()
{
    EnableWindow(g_windows.playButton, FALSE);
    EnableWindow(g_windows.stopButton, TRUE);
    EnableWindow(g_windows.pauseButton, TRUE);
    DrawLed(g_windows.greenLed, true, "GREEN");
    DrawLed(g_windows.redLed, false, "RED");
}

void ShowStoppedButtons()
{
    EnableWindow(g_windows.playButton, TRUE);
    EnableWindow(g_windows.stopButton, FALSE);
    EnableWindow(g_windows.pauseButton, FALSE);
}

void DrawBothLedsDark()
{
    DrawLed(g_windows.greenLed, false, "GREEN");
    DrawLed(g_windows.redLed, false, "RED");
}

void CALLBACK IndicatorTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time)
{
    DrawLed(g_windows.redLed, g_halted.load() != 0, "RED");
    DrawLed(g_windows.greenLed, true, "GREEN");
    EndPlaybackIfDeviceLost();
}
