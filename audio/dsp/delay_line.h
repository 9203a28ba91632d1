// A power-of-two ring buffer of doubles with a cubic Hermite fractional read.
#pragma once

#include <cstdint>
#include <vector>

struct DelayLine {
    std::vector<double> buffer;
    uint32_t mask = 0;
    uint32_t write = 0;  // where the next sample goes
};

// Sizes the line to hold at least maxDelay samples of history plus the
// interpolator's neighbours, and clears it. The only place that allocates.
void DelayLineInit(DelayLine* line, double maxDelay);

// Clears the history without reallocating.
void DelayLineClear(DelayLine* line);

inline void DelayLineWrite(DelayLine* line, double value)
{
    line->buffer[line->write] = value;
    line->write = (line->write + 1) & line->mask;
}

// The signal delay samples ago (delay >= 2; the caller keeps it inside the
// sized length), by 4-point cubic Hermite (Catmull-Rom) interpolation between
// the two neighbouring samples, from a ring b of mask + 1 values whose next
// write goes to index write. Read before writing the current sample.
inline double HermiteRead(const double* b, uint32_t mask, uint32_t write, double delay)
{
    const uint32_t whole = static_cast<uint32_t>(delay);
    const double f = delay - static_cast<double>(whole);
    const uint32_t i0 = (write - whole) & mask;  // delay 'whole'
    const double yNewer = b[(i0 + 1) & mask];
    const double y0 = b[i0];
    const double y1 = b[(i0 - 1) & mask];
    const double y2 = b[(i0 - 2) & mask];
    const double c1 = 0.5 * (y1 - yNewer);
    const double c2 = yNewer - 2.5 * y0 + 2.0 * y1 - 0.5 * y2;
    const double c3 = 0.5 * (y2 - yNewer) + 1.5 * (y0 - y1);
    return ((c3 * f + c2) * f + c1) * f + y0;
}

inline double DelayLineRead(const DelayLine* line, double delay)
{
    return HermiteRead(line->buffer.data(), line->mask, line->write, delay);
}
