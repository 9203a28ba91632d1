// The Progress dialog (IDD_PROGRESS): drives a prepared mixdown one block
// per WM_MIXDOWN_STEP under a progress bar, with Cancel between blocks.
// Its verdict is g_mixdownCompleted.
#pragma once
#include <windows.h>

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void RunProgressDialog(HINSTANCE instance, HWND owner);
