// The Progress dialog (IDD_PROGRESS): drives a prepared mixdown one block
// per WM_MIXDOWN_STEP under a progress bar, with Cancel between blocks.
// Its verdict is g_mixdown.completed.
#pragma once
#include <windows.h>

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally over owner. When it returns no render is left
// running: one that did not complete has its files closed and the
// temporary file deleted, however the dialog ended. A dialog that cannot be
// created is told in the error box, as a failed render is.
void RunProgressDialog(HINSTANCE instance, HWND owner);

// Ends a running render as the Cancel button does (the files closed, the
// temporary file deleted, no message) and ends the dialog; nothing when no
// render runs. For a program that is closing.
void CancelMixdown();
