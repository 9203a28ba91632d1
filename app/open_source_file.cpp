// Opening a source file: what Open does once its dialog has chosen a file,
// and what a file dropped on the panel does.
#include <windows.h>

#include "app/main_window.h"
#include "dialogs/error_box.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "widgets/panel_shell.h"

void OpenSourceFile(HWND window, const char* path, const char* title)
{
    if (!AcceptSourceFile(g_shell.mainWindow, path)) return;
    lstrcpynA(g_shell.sourcePath, path, kSourcePathSize);
    lstrcpynA(g_shell.sourceTitle, title, kSourcePathSize);
    if (IsPlaybackActive()) {
        Stop();
    } else {
        EnableWindow(g_shell.panel.playButton, TRUE);
    }
    EnableMenuItem(g_shell.popupMenu, IDM_MIXDOWN, MF_BYCOMMAND | MF_ENABLED);
    char caption[kSourcePathSize + 16];
    lstrcpynA(caption, g_shell.sourceTitle, kSourcePathSize);
    lstrcatA(caption, " - Quellbox");
    SetWindowTextA(window, caption);
}
