// The program's one way of telling the user that something failed.
#pragma once
#include <windows.h>

// The main window once it exists; message boxes are owned by it.
extern HWND g_mainWindow;

// A modal box captioned "Quellbox" with the error icon and one OK button.
void ShowErrorBox(const char* text);
