// Opening a source file: what Open does once its dialog has chosen a file,
// and what a file dropped on the panel does.
#include <windows.h>

#include "app/main_window.h"
#include "dialogs/error_box.h"
#include "player/player.h"
#include "resources/resource_ids.h"

void OpenSourceFile(HWND window, const char* path, const char* title)
{
    if (!AcceptSourceFile(window, path)) return;
    Shell& shell = ShellOf(window);
    lstrcpynA(shell.sourcePath, path, kSourcePathSize);
    lstrcpynA(shell.sourceTitle, title, kSourcePathSize);
    if (IsPlaybackActive(shell.panel)) {
        Stop();
    } else {
        EnableWindow(shell.panel.playButton, TRUE);
    }
    EnableMenuItem(shell.popupMenu, IDM_MIXDOWN, MF_BYCOMMAND | MF_ENABLED);
    char caption[kSourcePathSize + 16];
    lstrcpynA(caption, shell.sourceTitle, kSourcePathSize);
    lstrcatA(caption, " - Quellbox");
    SetWindowTextA(window, caption);
}
