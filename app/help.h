// Help: the manual in the WinHelp viewer where Windows has one, else the
// same manual's HTML pages in the user's browser.
#pragma once
#include <windows.h>

// Shows the manual's contents: helpPath (qbx15.hlp) in the WinHelp viewer,
// or, where Windows has no viewer, manual\index.html beside the program in
// the program that opens web pages. A missing HTML manual is told with the
// system's own text for a file that cannot be found.
void ShowManual(HWND window, const char* helpPath);

// Closes the WinHelp viewer if Help opened it.
void CloseManual(HWND window, const char* helpPath);
