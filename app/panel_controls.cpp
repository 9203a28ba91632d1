#include "app/panel_controls.h"

#include "app/error_box.h"

HWND g_playButton = nullptr;
HWND g_pauseButton = nullptr;
HWND g_stopButton = nullptr;

bool IsPlaybackActive() { return g_stopButton && IsWindowEnabled(g_stopButton); }

void StopPlaybackFromShell()
{
    // Command id 22 is the STOP button's.
    if (g_mainWindow) SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(22, 0), 0);
}
