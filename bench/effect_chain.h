// The four effects as the benchmark and the render tool drive them, through
// their module entry points.
#pragma once

#include "audio/dsp/effect_ranges.h"

struct BenchEffect {
    const char* name;
    void (*init)(double rate);
    void (*change)(double freq, double depth, double rate, double mix, double degree, double feed);
    void (*process)(double* samples, int count);
    const EffectRange* range;
};

extern const BenchEffect kBenchEffects[4];

void SendValues(const BenchEffect& e, const EffectValues& v);
