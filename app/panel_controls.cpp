// The transport requests of dialogs/panel_sync.h, answered from the shell's
// buttons.
#include "app/main_window.h"
#include "dialogs/panel_sync.h"

bool IsPlaybackActive() { return g_shell.stopButton && IsWindowEnabled(g_shell.stopButton); }

void StopPlaybackFromShell()
{
    // Command id 22 is the STOP button's.
    if (g_shell.mainWindow) SendMessageA(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(22, 0), 0);
}
