// The transport requests of dialogs/panel_sync.h, answered from the shell's
// buttons.
#include "app/main_window.h"
#include "dialogs/panel_sync.h"
#include "resources/resource_ids.h"

bool IsPlaybackActive() { return g_shell.stopButton && IsWindowEnabled(g_shell.stopButton); }

void StopPlaybackFromShell()
{
    if (g_shell.mainWindow) SendMessageA(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_STOP, 0), 0);
}
