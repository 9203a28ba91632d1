// Off-screen composition for the panel controls: a picture that starts as a
// copy of the control's background and reaches the screen in one transfer,
// so the controls never flicker.
#pragma once
#include <windows.h>

struct Offscreen {
    HDC dc;  // draw the picture here
    HBITMAP canvas;
    HGDIOBJ oldCanvas;
    int width;
    int height;
};

// A memory picture of width x height compatible with target, holding a copy
// of background from its origin. False (nothing to free) if it cannot be made.
bool BeginOffscreen(Offscreen* picture, HDC target, HBITMAP background, int width, int height);

// Copies the picture to target at its origin and frees it.
void EndOffscreen(Offscreen* picture, HDC target);
