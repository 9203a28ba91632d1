// The Effects Patch dialog (IDD_EFFECTS_PATCH): moves effects between the
// available list and the patch, and on OK stores the new patch and the
// current position in g_effectsPatch; the caller shows and plays it.
#pragma once
#include <windows.h>

INT_PTR CALLBACK EffectsPatchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, owned by owner; true when it ended with OK.
bool RunEffectsPatchDialog(HINSTANCE instance, HWND owner);
