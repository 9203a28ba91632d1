// The modules' entry points: the four effects'
// (model/effect_entry_points.h) and the LED lamp drawing routine of
// led.dll, exported undecorated with __cdecl like theirs.
#pragma once

#include "model/effect_entry_points.h"

#ifdef _WIN32
#include <windows.h>

extern "C" {

// Draw one LED lamp of the given size at (x, y); lit is 0 or 1, colour is
// "RED" or "GREEN".
void QBX_FXAPI Led(HDC dc, int x, int y, int width, int height, int lit, const char* colour);

}  // extern "C"
#endif
