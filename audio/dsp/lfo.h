// Low-frequency oscillator helpers: a phase in cycles and a cheap, smooth sine.
#pragma once

#include <cmath>

// sin(2 * pi * phase) for any phase in cycles; error below 4e-6, smooth, and
// exactly the same on every platform with IEEE doubles (no library call).
inline double CycleSine(double phase)
{
    double t = phase - std::floor(phase + 0.5);  // -0.5 .. 0.5
    if (t > 0.25) t = 0.5 - t;
    else if (t < -0.25) t = -0.5 - t;
    const double x = 6.283185307179586 * t;  // -pi/2 .. pi/2
    const double x2 = x * x;
    return x * (1.0 + x2 * (-1.0 / 6 + x2 * (1.0 / 120 + x2 * (-1.0 / 5040 + x2 * (1.0 / 362880)))));
}

// Advances a phase by inc cycles, kept in 0 .. 1.
inline double AdvancePhase(double phase, double inc)
{
    phase += inc;
    if (phase >= 1.0) phase -= 1.0;
    return phase;
}
