// The Preferences dialog (IDD_PREFERENCES): wave-out device and latency.
#pragma once
#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, owned by owner.
void RunPreferencesDialog(HINSTANCE instance, HWND owner);
