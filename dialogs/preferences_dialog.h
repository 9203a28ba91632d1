// The Preferences dialog (IDD_PREFERENCES): wave-out device and latency,
// edited on a copy of the settings; the caller puts the choice in force.
#pragma once
#include <windows.h>

#include <cstdint>

#include "model/settings.h"

// lParam of WM_INITDIALOG: the Settings copy to edit, which OK fills in.
INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, owned by owner, over a copy of the settings in
// edited; true when it ended with OK, edited then holding the choice.
bool RunPreferencesDialog(HINSTANCE instance, HWND owner, Settings* edited);
