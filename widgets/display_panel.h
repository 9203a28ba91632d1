// The display panel: the "DISPLAY" window class, the routine every control
// writes on it with, and the start-up intro.
#pragma once
#include <windows.h>

// The display owns the panel's introFinished and rightClickWait flags
// (widgets/panel_shell.h): the intro's end sets both.

// The popup menu whose items the intro greys and enables again.
void SetDisplayMenu(HMENU menu);

// Redraws the whole display with four texts (UTF-8), each drawn with its DrawText
// format into the display's text rectangle (kTopLeft, kTopRight, kBottomLeft,
// kBottomRight of widgets/panel_messages.h; kNoPlace with an empty text for
// an empty slot).
// Draws nothing before the display has first been shown.
void DrawDisplayText(HWND display, const char* text1, unsigned format1, const char* text2, unsigned format2,
                     const char* text3, unsigned format3, const char* text4, unsigned format4);

// One text at the top left, the rest of the display empty.
void DrawDisplayLine(HWND display, const char* text);

// Draws what the display shows in normal use: the name of the current
// effect in capitals, or "NO EFFECTS" with an empty patch.
void ShowNormalUseText(HWND display);

// The first right click after the intro: stops the prompt, clears the
// wait and shows the normal text. False, and nothing done, when the panel
// is not waiting for it.
bool EndRightClickWait(HWND display);

// Puts the intro and the flags back to how they are when the program starts.
void ResetDisplayIntro();

LRESULT CALLBACK DisplayPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
