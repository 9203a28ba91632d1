// The piece of the panel background that lies under a control.
#pragma once
#include <windows.h>

// A new bitmap (the caller's) of the control's client size holding the
// part of the panel background (IDB_PANEL_BACKGROUND) under the control's client
// area, or none when the background cannot be loaded.
HBITMAP CreateControlBackground(HWND control);
