// The main window: window class "zantil_quellbox", the panel of sixteen
// controls on the background bitmap.
#pragma once
#include <windows.h>

constexpr char kMainWindowClass[] = "zantil_quellbox";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The commands of the buttons and the popup menu (only the low word of
// wParam, the id, is read), and the end of the program.
void MainWindow_OnCommand(HWND window, WPARAM wParam);
void MainWindow_OnDestroy(HWND window);

// Shows the popup menu for a WM_CONTEXTMENU at the screen point packed in
// lParam; false when the point lies outside the client area.
bool HandleContextMenu(HWND window, LPARAM lParam);

// The About picture (dialog 178).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
