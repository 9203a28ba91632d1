// The Flanger, the Chorus and the C-Delay: one modulated delay.
//
// Per channel, the right channel's LFO lagging the left one's by degree:
//
//          +------- x feed <-- damping low-pass (C-Delay only) <---+
//          v                                                       |
//   in -+-(+)-> limit -> delay line ==> tap, cubic read -----------+--> wet
//       |                               read position swept by the LFO
//       |                               (rate) over the delay that freq
//       |                               and depth give, in ms
//       +-------------------------------------------------------------> dry
//                                           out = dry + mix * (wet - dry)
//
// Flanger and Chorus sweep the tap from freq - depth (not below 0) up to
// freq; the C-Delay sweeps it over freq +- depth / 2. The C-Delay damps its
// repeats with a one-pole low-pass at 6500 Hz.
//
// The six values of a Change call (their knob ends, start-up values and the
// bounds any value is held to are the effect's range, model/effect_ranges.cpp):
//
//   value    Flanger, Chorus            C-Delay
//   freq     ms, longest delay          ms, centre delay
//   depth    ms, sweep below freq       ms, whole sweep
//   rate     Hz, LFO rate
//   mix      wet share; 0 switched off
//   degree   degrees, right LFO's lag
//   feed     wet fed back to the input  repeats fed back
//
// The Flanger's and the Chorus's Depth knob sets depth as a share of freq.
// A module runs at the start-up values with mix 0 until its first Change
// call.
#include "audio/dsp/modulated_delay.h"

#include <cmath>

#include "model/effect_ranges.h"

const ModulatedDelayKind kFlangerKind = {&kFlangerRange, true, 0.0};
const ModulatedDelayKind kChorusKind = {&kChorusRange, true, 0.0};
const ModulatedDelayKind kChDelayKind = {&kChDelayRange, false, 6500.0};

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
    const EffectValues v = AcceptedValues(raw, *k->range);
    const double freq = v.freq;
    const double depth = v.depth;
    const double perMs = s->rate * 0.001;
    if (k->sweepBelowFreq) {
        const double sweep = depth < freq ? depth : freq;
        tap[kTapCentre] = (freq - 0.5 * sweep) * perMs;
        tap[kTapHalfSweep] = 0.5 * sweep * perMs;
    } else {
        tap[kTapCentre] = freq * perMs;
        tap[kTapHalfSweep] = 0.5 * depth * perMs;
    }
    tap[kTapLag] = v.degree / 360.0;
    plain[kPlainRate] = v.rate;
    plain[kPlainMix] = v.mix;
    plain[kPlainFeed] = v.feed;
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

// Where a tap with these settings reads for the channel at the current LFO phase.
double ReadPosition(const ModulatedDelayState* s, const double* tap, int ch)
{
    return TapDelay(tap, CycleSine(s->phase - (ch ? tap[kTapLag] : 0.0)), s->maxDelay);
}

// A control point: the taps head linearly for where the LFO says they
// should be now, arriving one control period later.
void ControlPoint(ModulatedDelayState* s)
{
    for (int ch = 0; ch < 2; ++ch) {
        s->delayStep[ch] = (ReadPosition(s, s->tap.value, ch) - s->delayNow[ch]) / kDelayControlPeriod;
        if (s->fadeLeft > 0)
            s->fadeDelayStep[ch] = (ReadPosition(s, s->fadeTo, ch) - s->fadeDelayNow[ch]) / kDelayControlPeriod;
    }
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
    for (int ch = 0; ch < 2; ++ch) {
        s->fadeDelayNow[ch] = ReadPosition(s, s->fadeTo, ch);
        s->fadeDelayStep[ch] = 0.0;
    }
}

void TakeNewValues(ModulatedDelayState* s)
{
    EffectValues raw;
    if (!PickUpValues(&s->mailbox, &s->seen, s->snapNext, *s->kind->range, &raw)) return;
    double plain[kPlainCount];
    ToTargets(s, raw, s->tapTarget, plain);
    if (s->snapNext) {
        GlideSnap(&s->plain, plain);
        GlideSnap(&s->tap, s->tapTarget);
        s->fadeLeft = 0;
        for (int ch = 0; ch < 2; ++ch) {
            s->delayNow[ch] = ReadPosition(s, s->tap.value, ch);
            s->delayStep[ch] = 0.0;
        }
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
    s->maxDelay = kind->range->acceptedHighest.freq * 0.001 * s->rate + 2.0;
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
    // Until the first sample is processed there is no sound to glide from:
    // values posted between Init and then apply at once, so a run from Init
    // sounds the same whatever was posted before it.
    s->snapNext = true;
    s->untilControl = 0;
    for (int ch = 0; ch < 2; ++ch) {
        s->delayNow[ch] = ReadPosition(s, s->tap.value, ch);
        s->delayStep[ch] = 0.0;
    }
    s->ready = true;
}

void ModulatedDelayChange(ModulatedDelayState* s, const EffectValues& v)
{
    PostValues(&s->mailbox, v);
}

namespace {

// One frame of the general path: glides, crossfades and all.
void GeneralFrame(ModulatedDelayState* s, double* frame)
{
    GlideTick(&s->plain);
    if (s->tap.remaining > 0) GlideTick(&s->tap);
    double fade = 0.0;
    if (s->fadeLeft > 0) fade = FadeWeight(--s->fadeLeft, s->fadeSamples);
    s->phase = AdvancePhase(s->phase, s->plain.value[kPlainRate] / s->rate);
    const double mix = s->plain.value[kPlainMix];
    const double feed = s->plain.value[kPlainFeed];
    const double damping = s->dampingCoeff;
    // Both lines have one size and move together.
    const double* bl = s->line[0].buffer.data();
    const double* br = s->line[1].buffer.data();
    const uint32_t m = s->line[0].mask, at = s->line[0].write;
    const Pair delay = PairLoad(s->delayNow) + PairLoad(s->delayStep);
    PairStore(s->delayNow, delay);
    Pair wetPair = PairHermiteRead(bl, br, m, at, delay);
    if (fade != 0.0) {
        const Pair fadeDelay = PairLoad(s->fadeDelayNow) + PairLoad(s->fadeDelayStep);
        PairStore(s->fadeDelayNow, fadeDelay);
        wetPair = wetPair + PairBoth(fade) * (PairHermiteRead(bl, br, m, at, fadeDelay) - wetPair);
    }
    double wets[2];
    PairStore(wets, wetPair);
    for (int ch = 0; ch < 2; ++ch) {
        const double wet = wets[ch];
        double back = wet;
        if (damping < 1.0) back = s->damped[ch] += damping * (wet - s->damped[ch]);
        const double dry = frame[ch];
        DelayLineWrite(&s->line[ch], SoftLimit(dry + feed * back));
        if (mix != 0.0) frame[ch] = dry + mix * (wet - dry);
    }
    if (s->fadeLeft == 0 && fade != 0.0) {
        // The incoming tap has taken over.
        GlideSnap(&s->tap, s->fadeTo);
        for (int ch = 0; ch < 2; ++ch) {
            s->delayNow[ch] = s->fadeDelayNow[ch];
            s->delayStep[ch] = s->fadeDelayStep[ch];
        }
    }
    if (s->fadeLeft == 0 && s->tap.remaining == 0 && !SameTap(s->tap.target, s->tapTarget)) SteerTap(s);
}

// The hot state of the steady path, kept in locals (registers) while the
// loop runs and handed back to the state around anything that works on it.
struct SteadyState {
    double phase;
    Pair delay;
    Pair step;
    Pair low;
    uint32_t write;  // both lines have one size and move together
    double inc;
    double mix;
    Pair mixPair;
    Pair feed;
};

SteadyState LoadSteady(const ModulatedDelayState* s)
{
    SteadyState h;
    h.phase = s->phase;
    h.delay = PairLoad(s->delayNow);
    h.step = PairLoad(s->delayStep);
    h.low = PairLoad(s->damped);
    h.write = s->line[0].write;
    h.inc = s->plain.value[kPlainRate] / s->rate;
    h.mix = s->plain.value[kPlainMix];
    h.mixPair = PairBoth(h.mix);
    h.feed = PairBoth(s->plain.value[kPlainFeed]);
    return h;
}

void StoreSteady(ModulatedDelayState* s, const SteadyState& h)
{
    s->phase = h.phase;
    PairStore(s->delayNow, h.delay);
    PairStore(s->damped, h.low);
    s->line[0].write = s->line[1].write = h.write;
}

// The frames of one call. kDamped: the feedback runs through the damping
// low-pass.
template <bool kDamped>
void ProcessFrames(ModulatedDelayState* s, double* samples, int frames)
{
    const Pair damping = PairBoth(s->dampingCoeff);
    double* bl = s->line[0].buffer.data();
    double* br = s->line[1].buffer.data();
    const uint32_t m = s->line[0].mask;
    SteadyState h = LoadSteady(s);
    int untilControl = s->untilControl;
    for (int n = 0; n < frames; ++n) {
        double* frame = samples + 2 * n;
        if (untilControl == 0) {
            // Control rate: every kDelayControlPeriod frames of the stream
            // (counted across calls) the taps head for where the LFO says.
            untilControl = kDelayControlPeriod;
            StoreSteady(s, h);
            ControlPoint(s);
            h.step = PairLoad(s->delayStep);
        }
        --untilControl;
        if (s->plain.remaining > 0 || s->tap.remaining > 0 || s->fadeLeft > 0) {
            // Something glides or crossfades: the general path, on the state.
            StoreSteady(s, h);
            GeneralFrame(s, frame);
            h = LoadSteady(s);
            continue;
        }
        // Steady: the general path's arithmetic, both channels at once.
        h.phase = AdvancePhase(h.phase, h.inc);
        h.delay = h.delay + h.step;
        const Pair wet = PairHermiteRead(bl, br, m, h.write, h.delay);
        Pair back = wet;
        if (kDamped) back = h.low = h.low + damping * (wet - h.low);
        const Pair dry = PairLoad(frame);
        const Pair in = PairSoftLimit(dry + h.feed * back, kLimitKnee, kLimitRoom);
        bl[h.write] = PairLeft(in);
        br[h.write] = PairRight(in);
        h.write = (h.write + 1) & m;
        if (h.mix != 0.0) PairStore(frame, dry + h.mixPair * (wet - dry));
    }
    StoreSteady(s, h);
    s->untilControl = untilControl;
}

}  // namespace

void ModulatedDelayProcess(ModulatedDelayState* s, double* samples, int count)
{
    if (!s->ready || samples == nullptr || count < 2) return;
    ScopedDenormalGuard guard;
    TakeNewValues(s);
    s->snapNext = false;
    if (s->dampingCoeff < 1.0) ProcessFrames<true>(s, samples, count / 2);
    else ProcessFrames<false>(s, samples, count / 2);
}
