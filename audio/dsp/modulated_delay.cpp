#include "audio/dsp/modulated_delay.h"

#include <cmath>

#include "audio/dsp/dsp_support.h"
#include "audio/dsp/lfo.h"

const ModulatedDelayKind kFlangerKind = {{2.975, 0.86275, 0.4, 0.0, 45.0, 0.4}, 8.5, 0.8, true, 0.0};
const ModulatedDelayKind kChorusKind = {{26.26, 4.35916, 0.26, 0.0, 180.0, 0.07}, 31.0, 0.7, true, 0.0};
const ModulatedDelayKind kChDelayKind = {{350.0, 3.5, 0.3, 0.0, 180.0, 0.45}, 1004.0, 0.9, false, 6500.0};

namespace {

constexpr double kGlideMs = 5.0;
constexpr double kFadeMs = 10.0;
// A glide may change the tap's read speed by at most this much (2 %, about a
// third of a semitone); larger moves crossfade.
constexpr double kMaxGlideSlope = 0.02;
constexpr double kPi = 3.141592653589793;

void ToTargets(const ModulatedDelayState* s, const EffectValues& raw, double* tap, double* plain)
{
    const ModulatedDelayKind* k = s->kind;
    const double maxMs = k->maxDelayMs;
    const double freq = ClampValue(raw.freq, 0.0, maxMs, k->start.freq);
    const double depth = ClampValue(raw.depth, 0.0, maxMs, k->start.depth);
    const double perMs = s->rate * 0.001;
    if (k->sweepBelowFreq) {
        const double sweep = depth < freq ? depth : freq;
        tap[kTapCentre] = (freq - 0.5 * sweep) * perMs;
        tap[kTapHalfSweep] = 0.5 * sweep * perMs;
    } else {
        tap[kTapCentre] = freq * perMs;
        tap[kTapHalfSweep] = 0.5 * depth * perMs;
    }
    tap[kTapLag] = ClampValue(raw.degree, 0.0, 360.0, k->start.degree) / 360.0;
    plain[kPlainRate] = ClampValue(raw.rate, 0.0, 20.0, k->start.rate);
    plain[kPlainMix] = ClampValue(raw.mix, 0.0, 1.0, 0.0);
    plain[kPlainFeed] = ClampValue(raw.feed, 0.0, k->maxFeed, k->start.feed);
}

// The largest distance (samples) between a tap's read position under the
// two settings, at any LFO phase.
double TapDistance(const double* a, const double* b)
{
    const double centre = std::fabs(a[kTapCentre] - b[kTapCentre]);
    const double sweep = std::fabs(a[kTapHalfSweep] - b[kTapHalfSweep]);
    const double smaller = a[kTapHalfSweep] < b[kTapHalfSweep] ? a[kTapHalfSweep] : b[kTapHalfSweep];
    double lag = std::fabs(a[kTapLag] - b[kTapLag]);
    return centre + sweep + smaller * 2.0 * kPi * lag;
}

bool SameTap(const double* a, const double* b)
{
    return a[kTapCentre] == b[kTapCentre] && a[kTapHalfSweep] == b[kTapHalfSweep] && a[kTapLag] == b[kTapLag];
}

// Starts moving the sounding tap to the target: a glide when that is gentle,
// else a crossfade. While a crossfade runs the target waits for its end.
void SteerTap(ModulatedDelayState* s)
{
    if (s->fadeLeft > 0 || SameTap(s->tap.target, s->tapTarget)) return;
    if (TapDistance(s->tap.value, s->tapTarget) <= kMaxGlideSlope * s->glideSamples) {
        GlideTo(&s->tap, s->tapTarget, s->glideSamples);
        return;
    }
    for (int i = 0; i < kTapCount; ++i) s->fadeTo[i] = s->tapTarget[i];
    s->fadeLeft = s->fadeSamples;
}

void TakeNewValues(ModulatedDelayState* s)
{
    EffectValues raw;
    if (!TakeValues(&s->mailbox, &s->seen, &raw)) {
        if (!s->snapNext || s->seen != 0) return;
        raw = s->kind->start;
    }
    double plain[kPlainCount];
    ToTargets(s, raw, s->tapTarget, plain);
    if (s->snapNext) {
        GlideSnap(&s->plain, plain);
        GlideSnap(&s->tap, s->tapTarget);
        s->fadeLeft = 0;
    } else {
        GlideTo(&s->plain, plain, s->glideSamples);
        SteerTap(s);
    }
    s->snapNext = false;
}

// Smooth 0 .. 1 crossfade weight of the incoming tap.
inline double FadeWeight(int left, int total)
{
    const double t = 1.0 - static_cast<double>(left) / total;
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

void ModulatedDelayInit(ModulatedDelayState* s, const ModulatedDelayKind* kind, double sampleRate)
{
    s->kind = kind;
    s->rate = SafeSampleRate(sampleRate);
    s->glideSamples = MsToSamples(kGlideMs, s->rate);
    s->fadeSamples = MsToSamples(kFadeMs, s->rate);
    s->maxDelay = kind->maxDelayMs * 0.001 * s->rate + 2.0;
    if (kind->dampingHz > 0.0) {
        const double fc = kind->dampingHz < 0.45 * s->rate ? kind->dampingHz : 0.45 * s->rate;
        s->dampingCoeff = 1.0 - std::exp(-2.0 * kPi * fc / s->rate);
    } else {
        s->dampingCoeff = 1.0;
    }
    s->phase = 0.0;
    s->fadeLeft = 0;
    for (int ch = 0; ch < 2; ++ch) {
        s->damped[ch] = 0.0;
        DelayLineInit(&s->line[ch], s->maxDelay + 1.0);
    }
    s->seen = 0;
    s->snapNext = true;
    TakeNewValues(s);
    s->ready = true;
}

void ModulatedDelayChange(ModulatedDelayState* s, const EffectValues& v)
{
    PostValues(&s->mailbox, v);
}

void ModulatedDelayProcess(ModulatedDelayState* s, double* samples, int count)
{
    if (!s->ready || samples == nullptr || count < 2) return;
    DenormalGuard guard;
    DenormalGuardEnter(&guard);
    TakeNewValues(s);
    const int frames = count / 2;
    const double invRate = 1.0 / s->rate;
    const double maxDelay = s->maxDelay;
    const double damping = s->dampingCoeff;
    for (int n = 0; n < frames; ++n) {
        GlideTick(&s->plain);
        if (s->tap.remaining > 0) GlideTick(&s->tap);
        double fade = 0.0;
        if (s->fadeLeft > 0) {
            fade = FadeWeight(--s->fadeLeft, s->fadeSamples);
            if (s->fadeLeft == 0) {
                GlideSnap(&s->tap, s->fadeTo);
                fade = 0.0;
            }
        }
        s->phase = AdvancePhase(s->phase, s->plain.value[kPlainRate] * invRate);
        const double mix = s->plain.value[kPlainMix];
        const double feed = s->plain.value[kPlainFeed];
        for (int ch = 0; ch < 2; ++ch) {
            DelayLine* line = &s->line[ch];
            const double* tap = s->tap.value;
            double wet = DelayLineRead(line, TapDelay(tap, CycleSine(s->phase - (ch ? tap[kTapLag] : 0.0)), maxDelay));
            if (fade != 0.0) {
                const double* next = s->fadeTo;
                const double lfo = CycleSine(s->phase - (ch ? next[kTapLag] : 0.0));
                const double incoming = DelayLineRead(line, TapDelay(next, lfo, maxDelay));
                wet += fade * (incoming - wet);
            }
            s->damped[ch] += damping * (wet - s->damped[ch]);
            const double dry = samples[2 * n + ch];
            DelayLineWrite(line, SoftLimit(dry + feed * s->damped[ch]));
            if (mix != 0.0) samples[2 * n + ch] = dry + mix * (wet - dry);
        }
        if (s->fadeLeft == 0 && s->tap.remaining == 0) SteerTap(s);
    }
    DenormalGuardLeave(&guard);
}
