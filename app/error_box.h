// The program's one way of telling the user that something failed.
#pragma once
#include <windows.h>

// A modal box captioned "Quellbox" with the error icon and one OK button.
void ShowErrorBox(const char* text);

// Runs the source check on path; a refusal is shown in the error box.
// True when the file was accepted.
bool AcceptSourceFile(const char* path);
