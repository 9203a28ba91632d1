// The messages that the panel controls share, and the display's four text
// places.
#pragma once

constexpr unsigned kMsgSetMinimum = 1025;   // wParam: new minimum
constexpr unsigned kMsgSetMaximum = 1026;   // wParam: new maximum
constexpr unsigned kMsgSetPosition = 1027;  // wParam: new position (display: lParam text)
constexpr unsigned kMsgGetPosition = 1028;  // result: the position (display: its value)
constexpr unsigned kMsgSetText = 1029;      // lParam: the text
constexpr unsigned kNotifyChanging = 1031;  // to the parent, on every change of a drag
constexpr unsigned kNotifyReleased = 1032;  // to the parent, at the end of a drag

// DrawTextA flag sets of the display's four places.
constexpr unsigned kTopLeft = 32;      // DT_SINGLELINE
constexpr unsigned kTopRight = 34;     // DT_SINGLELINE | DT_RIGHT
constexpr unsigned kBottomLeft = 40;   // DT_SINGLELINE | DT_BOTTOM
constexpr unsigned kBottomRight = 42;  // DT_SINGLELINE | DT_BOTTOM | DT_RIGHT
constexpr unsigned kNoPlace = 0;       // an empty slot

// Text held by a knob or slider record: up to 15 characters and the zero.
constexpr int kControlTextSize = 16;
