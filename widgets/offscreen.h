// Off-screen composition for the panel controls: a picture that starts as a
// copy of the control's background and reaches the screen in one transfer,
// so the controls never flicker.
#pragma once
#include <windows.h>

#include "common/scoped_gdi.h"

// A memory picture of the window's client size compatible with target,
// holding a copy of background from its origin, for one drawing: its DC,
// bitmap and selection are given back at the end of the scope. Without a
// canvas (it could not be made) there is nothing to draw on.
struct Offscreen {
    RECT client;     // the window's client rectangle
    ScopedMemDC dc;  // draw the picture here
    ScopedGdiObj<HBITMAP> canvas;
    ScopedSelectObject canvasSelected;

    Offscreen(HDC target, HBITMAP background, HWND window);
};

// Copies the picture to target at its origin.
void CopyOffscreen(const Offscreen& picture, HDC target);
