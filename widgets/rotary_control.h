// The rotary knob: window class "rotary_control".
#pragma once
#include <windows.h>

// The knob's face: the panel background under it with the knob picture
// (IDB_KNOB) drawn over it around its centre, blue left out. The caller
// owns the bitmap.
HBITMAP MakeKnobFace(HWND knob);

// Draws the face and the pointer of the knob's position straight into the
// window. Nothing before the face exists.
void DrawKnob(HWND knob);

LRESULT CALLBACK RotaryControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
