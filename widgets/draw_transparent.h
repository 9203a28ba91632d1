// A copy that leaves out the pixels of one key colour.
#pragma once
#include <windows.h>

// Copies width x height pixels from source (sx, sy) to destination (x, y),
// except those whose colour is the destination's current background colour
// (the key, set by the caller), which leave the destination as it was.
// False, drawing nothing, when the mask cannot be made.
bool DrawTransparent(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy);
