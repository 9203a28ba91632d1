// Small helpers shared by the effects: value clamping, the soft limiter that
// keeps feedback loops bounded, and the flush-to-zero guard against denormals.
#pragma once

#include <cmath>

#include "model/effect_ranges.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(__x86_64__)
#include <xmmintrin.h>
#define QBX_DSP_HAS_MXCSR 1
#endif

// The value clamped to lo .. hi; a NaN gives fallback.
inline double ClampValue(double v, double lo, double hi, double fallback)
{
    if (!(v == v)) return fallback;
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

// A Change call's values held to the effect's accepted bounds; a value that
// is no number gives the start-up value, and mix 0 (switched off).
inline EffectValues AcceptedValues(const EffectValues& raw, const EffectRange& range)
{
    const EffectValues& lo = range.acceptedLowest;
    const EffectValues& hi = range.acceptedHighest;
    const EffectValues& start = range.defaults;
    return {ClampValue(raw.freq, lo.freq, hi.freq, start.freq),
            ClampValue(raw.depth, lo.depth, hi.depth, start.depth),
            ClampValue(raw.rate, lo.rate, hi.rate, start.rate),
            ClampValue(raw.mix, lo.mix, hi.mix, 0.0),
            ClampValue(raw.degree, lo.degree, hi.degree, start.degree),
            ClampValue(raw.feed, lo.feed, hi.feed, start.feed)};
}

// Full scale of a 16-bit sample in the units the effects work in.
constexpr double kFullScale = 32768.0;

// Where SoftLimit starts to bend, and how much room it has above that.
constexpr double kLimitKnee = kFullScale;
constexpr double kLimitRoom = kFullScale;

// Linear up to full scale, then bending smoothly (slope 1 at the knee)
// towards twice full scale, which it never exceeds:
// knee + over * room / (room + over) for over = |x| - knee > 0. Used inside
// every feedback loop so no setting and no input can make a loop run away.
inline double SoftLimit(double x)
{
    const double a = x < 0.0 ? -x : x;
    if (a <= kLimitKnee) return x;
    const double over = a - kLimitKnee;
    const double cut = over * over / (kLimitRoom + over);
    return x < 0.0 ? x + cut : x - cut;
}

// Sets flush-to-zero and denormals-are-zero for the duration of a processing
// call, so decaying filter and delay states never turn into slow subnormal
// numbers; restores the caller's mode afterwards.
struct DenormalGuard {
    unsigned int saved;
};

inline void DenormalGuardEnter(DenormalGuard* g)
{
#ifdef QBX_DSP_HAS_MXCSR
    g->saved = _mm_getcsr();
    _mm_setcsr(g->saved | 0x8040u);  // FTZ (bit 15) | DAZ (bit 6)
#else
    g->saved = 0;
#endif
}

inline void DenormalGuardLeave(const DenormalGuard* g)
{
#ifdef QBX_DSP_HAS_MXCSR
    _mm_setcsr(g->saved);
#endif
}

// Samples in ms milliseconds at rate Hz, at least 1.
inline int MsToSamples(double ms, double rate)
{
    const double n = ms * 0.001 * rate;
    return n < 1.0 ? 1 : static_cast<int>(n + 0.5);
}

// A sample rate made safe to compute with: NaN gives 44100, everything else
// is held to 1000 .. 768000 Hz.
inline double SafeSampleRate(double rate)
{
    if (!(rate == rate)) return 44100.0;
    if (rate < 1000.0) return 1000.0;
    if (rate > 768000.0) return 768000.0;
    return rate;
}
