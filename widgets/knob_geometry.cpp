#include "widgets/knob_geometry.h"

#include <cmath>

uint16_t AngleToPosition(uint16_t minimum, uint16_t maximum, int cx, int cy, int16_t x, int16_t y)
{
    int dx = x - cx;
    int dy = y - cy;
    if (dx == 0 && dy == 0) dx = dy = 1;
    // 57.3 rather than 180/pi: the knobs have always turned with this factor,
    // which puts straight up, left and down a little past 90 and 180 degrees.
    double a = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 57.3;
    if (a > 45.0 && a <= 90.0) a = 45.0;
    else if (a > 90.0 && a < 135.0) a = 135.0;
    double t = a - 135.0;
    if (t < 0.0) t += 360.0;
    const double position = minimum + (static_cast<double>(maximum) - minimum) * t * 0.003703703703703704;
    return static_cast<uint16_t>(static_cast<long>(position));
}

PointerPoint PointerEnd(uint16_t minimum, uint16_t maximum, uint16_t position, int cx, int cy, int radius)
{
    const double span = static_cast<double>(maximum) - minimum;
    const double share = span != 0.0 ? (static_cast<double>(position) - minimum) / span : 0.0;
    const double angle = 2.36 + 4.71 * share;
    PointerPoint end;
    end.x = cx + static_cast<int>(radius * std::cos(angle));
    end.y = cy + static_cast<int>(radius * std::sin(angle));
    return end;
}
