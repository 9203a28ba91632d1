// The master volume fader: window class "SLIDER".
#pragma once
#include <windows.h>

// Draws the background and the cap at the slider's position straight into
// the window. Nothing before the background exists.
void DrawSlider(HWND slider);

LRESULT CALLBACK MasterSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
