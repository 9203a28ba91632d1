// Program-wide state of the shell: the paths, menus and the panel's other
// window handles that the commands work with.
#pragma once
#include <windows.h>

#include "app/file_paths.h"

constexpr int kSourcePathSize = 260;

// Menu resource 161 and its first submenu, the popup menu.
extern HMENU g_menuResource;
extern HMENU g_popupMenu;

// Fixed at start-up: the temporary mixdown file and the help file.
extern char g_tempMixdownPath[kShellPathSize];
extern char g_helpPath[kShellPathSize];

// The open source file (empty until the first Open) and its file name part.
extern char g_sourcePath[kSourcePathSize];
extern char g_sourceTitle[kSourcePathSize];

// Panel controls the commands reach besides the knobs, display and
// transport buttons.
extern HWND g_redLedWindow;
extern HWND g_onOffLedWindow;
extern HWND g_upButton;
extern HWND g_downButton;
extern HWND g_volumeSlider;

// Set while the left button went down inside the About picture.
extern bool g_aboutPressed;
