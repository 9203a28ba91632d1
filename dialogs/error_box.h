// The program's one way of telling the user that something failed.
#pragma once
#include <windows.h>

// A modal box captioned "Quellbox" with the error icon and one OK button,
// owned by owner (by no window when owner is null).
void ShowErrorBox(HWND owner, const char* text);

// Runs the source check on path; a refusal is shown in the error box owned
// by owner. True when the file was accepted.
bool AcceptSourceFile(HWND owner, const char* path);
