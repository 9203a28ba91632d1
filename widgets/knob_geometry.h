// The rotary knob's geometry: from a mouse point to a position, and from a
// position to the end of the pointer drawn on the knob.
#pragma once
#include <cstdint>

// The position that the mouse at (x, y) points to around the centre (cx, cy).
// The knob sweeps clockwise 270 degrees from the lower left (minimum) over
// the top to the lower right (maximum); the 90 degrees below the centre are
// a dead zone split between the two ends.
uint16_t AngleToPosition(uint16_t minimum, uint16_t maximum, int cx, int cy, int16_t x, int16_t y);

struct PointerPoint {
    int x;
    int y;
};

// The far end of the pointer of a knob at position, radius pixels from the
// centre. A range without width draws the pointer at the minimum.
PointerPoint PointerEnd(uint16_t minimum, uint16_t maximum, uint16_t position, int cx, int cy, int radius);
