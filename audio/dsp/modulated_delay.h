// The modulated delay behind the Flanger, the Chorus and the C-Delay: per
// channel one delay line read by an LFO-swept tap with cubic Hermite
// interpolation, feedback from the tap back into the line through a soft
// limiter (and, for the echo, a damping low-pass), blended with the dry signal.
//
// Delay times glide only while a glide keeps the tap's speed change small;
// a larger change of the delay, the sweep or the stereo offset crossfades
// from a tap with the old settings to one with the new, so a knob jump
// neither chirps nor clicks.
#pragma once

#include <cstdint>

#include "audio/dsp/dsp_blocks.h"
#include "model/effect_ranges.h"

constexpr int kDelayControlPeriod = 16;

// What distinguishes the three effects.
struct ModulatedDelayKind {
    // Start-up values (used switched off until the first Change) and the
    // bounds of every value; the highest freq is the longest delay.
    const EffectRange* range;
    bool sweepBelowFreq;  // sweep between freq - depth and freq (else freq +- depth / 2)
    double dampingHz;     // low-pass in the feedback path; 0 for none
};

extern const ModulatedDelayKind kFlangerKind;
extern const ModulatedDelayKind kChorusKind;
extern const ModulatedDelayKind kChDelayKind;

// Where a tap reads: centre and half sweep in samples, the right channel's
// LFO lag in cycles.
enum TapValue { kTapCentre, kTapHalfSweep, kTapLag, kTapCount };
// Values that always glide.
enum PlainValue { kPlainRate, kPlainMix, kPlainFeed, kPlainCount };

struct ModulatedDelayState {
    const ModulatedDelayKind* kind;
    ValuesMailbox mailbox;
    uint32_t seen;
    bool ready;
    bool snapNext;
    double rate;
    int glideSamples;
    int fadeSamples;
    double maxDelay;      // samples
    double dampingCoeff;  // one-pole low-pass coefficient, 1 for none
    double phase;         // left LFO phase, cycles
    Glide<kPlainCount> plain;
    Glide<kTapCount> tap;        // the sounding tap (gliding or still)
    double tapTarget[kTapCount]; // where the taps should end up
    double fadeTo[kTapCount];    // the incoming tap while crossfading
    int fadeLeft;                // samples left of a crossfade; 0 when none
    // Read positions (samples) of the sounding and the incoming tap, and
    // their per-sample change towards the next control point: the LFO and
    // the tap settings are evaluated every kDelayControlPeriod samples of the
    // stream (counted across blocks) and the delay moves linearly between.
    int untilControl;
    double delayNow[2];
    double delayStep[2];
    double fadeDelayNow[2];
    double fadeDelayStep[2];
    double damped[2];
    DelayLine line[2];
};

void ModulatedDelayInit(ModulatedDelayState* s, const ModulatedDelayKind* kind, double sampleRate);
void ModulatedDelayChange(ModulatedDelayState* s, const EffectValues& v);
void ModulatedDelayProcess(ModulatedDelayState* s, double* samples, int count);

// The delay (samples) a tap reads at for an LFO value -1 .. 1, held to
// 2 .. maxDelay (a hair above 2, so rounding in the linear moves between
// control points never reads the sample not yet written).
inline double TapDelay(const double* tap, double lfo, double maxDelay)
{
    double d = tap[kTapCentre] + tap[kTapHalfSweep] * lfo;
    if (d < 2.001) d = 2.001;
    if (d > maxDelay) d = maxDelay;
    return d;
}
