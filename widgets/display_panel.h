// The display panel: the "DISPLAY" window class, the routine every writer
// draws on it with, and the start-up intro.
//
// Showing the display starts its intro: it tells its parent
// kNotifyIntroStarted, types the banner, then tells it kNotifyIntroEnded
// and blinks the prompt until the parent sends kMsgEndPrompt at the first
// right click.
#pragma once
#include <windows.h>

// Four texts (UTF-8) with their DrawText formats, the lParam of kMsgDrawTexts.
struct DisplayTexts {
    const char* text[4];
    unsigned format[4];
};

// Redraws the whole display with four texts (UTF-8), each drawn with its DrawText
// format into the display's text rectangle (kTopLeft, kTopRight, kBottomLeft,
// kBottomRight of widgets/panel_messages.h; kNoPlace with an empty text for
// an empty slot), through the display's kMsgDrawTexts.
// Draws nothing before the display has first been shown.
void DrawDisplayText(HWND display, const char* text1, unsigned format1, const char* text2, unsigned format2,
                     const char* text3, unsigned format3, const char* text4, unsigned format4);

// One text at the top left, the rest of the display empty.
void DrawDisplayLine(HWND display, const char* text);

// Draws what the display shows in normal use: the name of the current
// effect in capitals, or "NO EFFECTS" with an empty patch.
void ShowNormalUseText(HWND display);

LRESULT CALLBACK DisplayPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
