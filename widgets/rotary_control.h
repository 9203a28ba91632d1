// The rotary knob: window class "rotary_control". Its control id names it:
// knob number n (1 to kKnobCount: Freq, Depth, Rate, Mix, Degree, Feed) has
// id IDC_KNOB_FREQ + n - 1. While the patch is empty it does not turn. It
// tells its parent kNotifyChanging at each step of a drag, kNotifyReleased
// at its end and kNotifyPointerOn at every move over it; the parent changes
// the effect and shows the value.
#pragma once
#include <windows.h>

constexpr int kKnobCount = 6;

// The knob's face: the panel background under it with the knob picture
// (IDB_KNOB) drawn over it around its centre, blue left out. The caller
// owns the bitmap.
HBITMAP MakeKnobFace(HWND knob);

// Draws the face and the pointer of the knob's position straight into the
// window. Nothing before the face exists.
void DrawKnob(HWND knob);

LRESULT CALLBACK RotaryControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
