// The messages that the panel controls share, the notifications they send
// their parent, and the display's four text places.
#pragma once
#include <windows.h>

constexpr UINT kMsgSetMinimum = WM_USER + 1;   // wParam: new minimum (display: wParam is its value)
constexpr UINT kMsgSetMaximum = WM_USER + 2;   // wParam: new maximum (display: returns its value)
constexpr UINT kMsgSetPosition = WM_USER + 3;  // wParam: new position (display: lParam text)
constexpr UINT kMsgGetPosition = WM_USER + 4;  // result: the position
constexpr UINT kMsgSetText = WM_USER + 5;      // lParam: the text
constexpr UINT kNotifyChanging = WM_USER + 7;  // to the parent, on every change of a drag
constexpr UINT kNotifyReleased = WM_USER + 8;  // to the parent, at the end of a drag
// To the parent, whenever the pointer moves over a knob, the fader or the
// on/off LED, after any change it made: the parent shows on the display
// what that control stands for.
constexpr UINT kNotifyPointerOn = WM_USER + 9;
// From the display to its parent: the intro has started (the menu must wait)
// or ended (the prompt blinks until the first right click).
constexpr UINT kNotifyIntroStarted = WM_USER + 10;
constexpr UINT kNotifyIntroEnded = WM_USER + 11;

// Messages only the display takes.
constexpr UINT kMsgDrawTexts = WM_USER + 12;  // lParam: the DisplayTexts to draw at once
// The first right click after the intro: the prompt stops and the display
// shows its normal text. Result nonzero when the prompt was blinking.
constexpr UINT kMsgEndPrompt = WM_USER + 13;

// DrawText flag sets of the display's four places.
constexpr UINT kTopLeft = DT_SINGLELINE;
constexpr UINT kTopRight = DT_SINGLELINE | DT_RIGHT;
constexpr UINT kBottomLeft = DT_SINGLELINE | DT_BOTTOM;
constexpr UINT kBottomRight = DT_SINGLELINE | DT_BOTTOM | DT_RIGHT;
constexpr UINT kNoPlace = 0;  // an empty slot

// Text held by a knob or slider record: up to 15 characters and the zero.
constexpr int kControlTextSize = 16;
