// The master volume fader: window class "SLIDER".
#pragma once
#include <windows.h>

#include <cstdint>

// Set while a slider holds the mouse capture (shared by all sliders).
extern int32_t g_sliderDragging;

// How the slider hands the master volume (left, right, in dB) to the player.
// The shell points this at the player's `_ChangeVolume@16`; until then it
// is a function that does nothing.
using ChangeVolumeFunction = void(WINAPI*)(double left, double right);
extern ChangeVolumeFunction g_changeVolume;

// Draws the background and the cap at the slider's position straight into
// the window. Nothing before the background exists.
void DrawSlider(HWND slider);

LRESULT CALLBACK MasterSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
