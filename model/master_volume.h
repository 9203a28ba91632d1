// The master volume in decibels: written by the master slider, read by the
// mixdown. 0.0 when the program starts.
#pragma once

extern double g_masterVolume;

// The linear gain of a level in decibels: 10 ^ (0.05 x dB), exactly 1.0 at 0 dB.
double DecibelsToGain(double dB);
