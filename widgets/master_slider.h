// The master volume fader: window class "SLIDER". It tells its parent
// kNotifyChanging at each step of a drag on its track, kNotifyReleased at
// its end and kNotifyPointerOn at every move over it; the parent sets the
// volume and shows it.
#pragma once
#include <windows.h>

// Draws the background and the cap at the slider's position straight into
// the window. Nothing before the background exists.
void DrawSlider(HWND slider);

LRESULT CALLBACK MasterSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
