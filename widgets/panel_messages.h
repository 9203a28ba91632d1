// The messages that the panel controls share, and the display's four text
// places.
#pragma once
#include <windows.h>

constexpr UINT kMsgSetMinimum = WM_USER + 1;   // wParam: new minimum (display: wParam is its value)
constexpr UINT kMsgSetMaximum = WM_USER + 2;   // wParam: new maximum (display: returns its value)
constexpr UINT kMsgSetPosition = WM_USER + 3;  // wParam: new position (display: lParam text)
constexpr UINT kMsgGetPosition = WM_USER + 4;  // result: the position
constexpr UINT kMsgSetText = WM_USER + 5;      // lParam: the text
constexpr UINT kNotifyChanging = WM_USER + 7;  // to the parent, on every change of a drag
constexpr UINT kNotifyReleased = WM_USER + 8;  // to the parent, at the end of a drag

// DrawText flag sets of the display's four places.
constexpr UINT kTopLeft = DT_SINGLELINE;
constexpr UINT kTopRight = DT_SINGLELINE | DT_RIGHT;
constexpr UINT kBottomLeft = DT_SINGLELINE | DT_BOTTOM;
constexpr UINT kBottomRight = DT_SINGLELINE | DT_BOTTOM | DT_RIGHT;
constexpr UINT kNoPlace = 0;  // an empty slot

// Text held by a knob or slider record: up to 15 characters and the zero.
constexpr int kControlTextSize = 16;
