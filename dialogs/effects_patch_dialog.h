// The Effects Patch dialog (IDD_EFFECTS_PATCH): moves effects between the
// available list and the patch, and on OK stores the new patch.
#pragma once
#include <windows.h>

INT_PTR CALLBACK EffectsPatchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void RunEffectsPatchDialog(HINSTANCE instance, HWND owner);
