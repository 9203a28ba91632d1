// The main window: window class "zantil_quellbox", the panel of sixteen
// controls on the background bitmap.
#pragma once
#include <windows.h>

#include "app/file_paths.h"
#include "widgets/panel_shell.h"

constexpr char kMainWindowClass[] = "zantil_quellbox";
// Bytes for a path the system can name (MAX_PATH UTF-16 units), in the
// process code page: up to three bytes a unit in UTF-8.
constexpr int kSourcePathSize = 3 * MAX_PATH;

// The shell's handles and state: the module, the main window, its menus,
// its fixed paths, the open source file and the panel's record.
struct Shell {
    HINSTANCE instance;  // the program's module: its strings, menus and dialogs
    HWND mainWindow;     // once it exists; message boxes are owned by it
    HMENU menuResource;  // menu resource IDM_POPUP
    HMENU popupMenu;     // its first submenu, the popup menu

    // Fixed at start-up: the temporary mixdown file and the help file.
    char tempMixdownPath[kShellPathSize];
    char helpPath[kShellPathSize];

    // The open source file (empty until the first Open) and its file name part.
    char sourcePath[kSourcePathSize];
    char sourceTitle[kSourcePathSize];

    // The sixteen controls and the panel's flags; the controls reach it
    // through ThePanel().
    PanelState panel;
};

inline Shell g_shell = {};

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes the WAV file at path the source, as Open does with the file its
// dialog chose (title: the file name part of path): the source check with
// its own message on refusal, which leaves the previous source in place;
// otherwise playback stopped (PLAY enabled), Mixdown enabled, and the
// window titled "TITLE - Quellbox". Open and a dropped file both go here.
void OpenSourceFile(HWND window, const char* path, const char* title);

// What the commands do to the panel and the player (app/panel_shell.cpp).
// One line on the display, e.g. "NO EFFECTS" or "FLANGER".
void ShowDisplayLine(const char* text);

// Moves the six knobs to the effect's values and repaints the on/off LED.
void ShowEffectOnPanel(int16_t effectId);

// Hands the current patch (ids and count) to the player.
void HandPatchToPlayer();

// Playback is running or paused while the STOP button is enabled.
bool IsPlaybackActive();

// The About picture (dialog IDD_ABOUT).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
