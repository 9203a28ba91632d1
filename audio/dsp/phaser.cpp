// The Phaser.
//
// Per channel, the right channel's LFO lagging the left one's by degree:
//
//          +--------------- x feed <------------------------------+
//          v                                                      |
//   in -+-(+)-> limit -> AP -> AP -> AP -> AP -> AP -> AP --------+--> wet
//       |                 \_______ six first-order all-passes ___/
//       |                  break frequency swept by the LFO (rate)
//       |                  from freq^2 / (freq + depth) up to freq + depth
//       +------------------------------------------------------------> dry
//                                          out = dry + mix * (wet - dry)
//
// The six values of a Change call (their knob ends, start-up values and the
// bounds any value is held to are kPhaserRange, model/effect_ranges.cpp):
//
//   value    unit, meaning
//   freq     Hz, centre of the sweep
//   depth    Hz, sweep top minus freq
//   rate     Hz, LFO rate
//   mix      wet share; 0 switched off
//   degree   degrees, right LFO's lag
//   feed     wet fed back to the input
//
// The Depth knob sets depth as a share of freq. The module runs at the
// start-up values with mix 0 until its first Change call.
#include "audio/dsp/phaser.h"

#include <cmath>

#include "model/effect_ranges.h"

namespace {

constexpr double kGlideMs = 5.0;
constexpr double kSweepMsPerOctave = 20.0;
constexpr double kPi = 3.141592653589793;

void ToGlided(const EffectValues& raw, double* out, double* sweep)
{
    const EffectValues v = AcceptedValues(raw, kPhaserRange);
    sweep[kPhLowOctave] = std::log2(v.freq);
    sweep[kPhTopOctave] = std::log2(v.freq + v.depth);
    out[kPhRate] = v.rate;
    out[kPhMix] = v.mix;
    out[kPhDegree] = v.degree;
    out[kPhFeed] = v.feed;
}

// First-order all-pass H(z) = (a + z^-1) / (1 + a z^-1) with its -90 degree
// point at fc.
double AllPassCoefficient(double fc, double sampleRate)
{
    const double t = std::tan(kPi * fc / sampleRate);
    return (t - 1.0) / (t + 1.0);
}

// The all-pass coefficient for the channel at the left LFO's phase leftPhase.
double ChannelCoefficient(const PhaserState* s, double leftPhase, int ch)
{
    const double* v = s->glide.value;
    const double* w = s->sweep.value;
    double phase = leftPhase - (ch ? v[kPhDegree] / 360.0 : 0.0);
    const double fc = PhaserBreakFrequencyOctaves(w[kPhLowOctave], w[kPhTopOctave], CycleSine(phase), s->rate);
    return AllPassCoefficient(fc, s->rate);
}

void TakeNewValues(PhaserState* s)
{
    EffectValues raw;
    if (!PickUpValues(&s->mailbox, &s->seen, s->snapNext, kPhaserRange, &raw)) return;
    double targets[kPhCount], sweep[kPhSweepCount];
    ToGlided(raw, targets, sweep);
    if (s->snapNext) {
        GlideSnap(&s->glide, targets);
        GlideSnap(&s->sweep, sweep);
        for (int ch = 0; ch < 2; ++ch) {
            s->coeff[ch] = ChannelCoefficient(s, s->phase, ch);
            s->coeffStep[ch] = 0.0;
        }
    } else {
        GlideTo(&s->glide, targets, s->glideSamples);
        const double low = std::fabs(sweep[kPhLowOctave] - s->sweep.value[kPhLowOctave]);
        const double top = std::fabs(sweep[kPhTopOctave] - s->sweep.value[kPhTopOctave]);
        const double octaves = low > top ? low : top;
        const int samples = MsToSamples(octaves * kSweepMsPerOctave, s->rate);
        GlideTo(&s->sweep, sweep, samples > s->glideSamples ? samples : s->glideSamples);
    }
    s->snapNext = false;
}

}  // namespace

double PhaserBreakFrequency(double freq, double depth, double lfo, double sampleRate)
{
    return PhaserBreakFrequencyOctaves(std::log2(freq), std::log2(freq + depth), lfo, sampleRate);
}

double PhaserBreakFrequencyOctaves(double centreOctave, double topOctave, double lfo, double sampleRate)
{
    double fc = std::exp2(centreOctave + (topOctave - centreOctave) * lfo);
    const double highest = 0.48 * sampleRate;
    if (fc > highest) fc = highest;
    if (fc < 10.0) fc = 10.0;
    return fc;
}

void PhaserInit(PhaserState* s, double sampleRate)
{
    s->rate = SafeSampleRate(sampleRate);
    s->glideSamples = MsToSamples(kGlideMs, s->rate);
    s->phase = 0.0;
    s->untilControl = 0;
    for (int ch = 0; ch < 2; ++ch) {
        for (int k = 0; k < kPhaserStages; ++k) s->stage[k][ch] = 0.0;
        s->coeffStep[ch] = 0.0;
        s->lastWet[ch] = 0.0;
    }
    // The values posted so far (or the start values) apply at once.
    s->seen = 0;
    s->snapNext = true;
    TakeNewValues(s);
    // Until the first sample is processed there is no sound to glide from:
    // values posted between Init and then apply at once, so a run from Init
    // sounds the same whatever was posted before it.
    s->snapNext = true;
    s->ready = true;
}

void PhaserChange(PhaserState* s, const EffectValues& v)
{
    PostValues(&s->mailbox, v);
}

void PhaserProcess(PhaserState* s, double* samples, int count)
{
    if (!s->ready || samples == nullptr || count < 2) return;
    ScopedDenormalGuard guard;
    TakeNewValues(s);
    s->snapNext = false;

    // The hot state in locals (registers), both channels at once.
    Pair st[kPhaserStages];
    for (int k = 0; k < kPhaserStages; ++k) st[k] = PairLoad(s->stage[k]);
    Pair coeff = PairLoad(s->coeff);
    Pair step = PairLoad(s->coeffStep);
    Pair last = PairLoad(s->lastWet);
    double phase = s->phase;
    int untilControl = s->untilControl;
    double inc = s->glide.value[kPhRate] / s->rate;
    double mix = s->glide.value[kPhMix];
    Pair mixPair = PairBoth(mix);
    Pair feed = PairBoth(s->glide.value[kPhFeed]);

    const int frames = count / 2;
    for (int n = 0; n < frames; ++n) {
        if (untilControl == 0) {
            // Control rate: every kPhaserControlPeriod frames of the stream
            // (counted across calls) the coefficients head linearly for
            // where the LFO says they should be, arriving a period later.
            untilControl = kPhaserControlPeriod;
            step = PairOf((ChannelCoefficient(s, phase, 0) - PairLeft(coeff)) / kPhaserControlPeriod,
                          (ChannelCoefficient(s, phase, 1) - PairRight(coeff)) / kPhaserControlPeriod);
        }
        --untilControl;
        if (s->glide.remaining > 0 || s->sweep.remaining > 0) {
            // Gliding: the values move every frame.
            GlideTick(&s->glide);
            GlideTick(&s->sweep);
            inc = s->glide.value[kPhRate] / s->rate;
            mix = s->glide.value[kPhMix];
            mixPair = PairBoth(mix);
            feed = PairBoth(s->glide.value[kPhFeed]);
        }
        phase = AdvancePhase(phase, inc);
        coeff = coeff + step;
        const Pair dry = PairLoad(samples + 2 * n);
        Pair x = PairSoftLimit(dry + feed * last, kLimitKnee, kLimitRoom);
        for (int k = 0; k < kPhaserStages; ++k) {
            // Transposed direct form: y = a x + s; s' = x - a y.
            const Pair y = coeff * x + st[k];
            st[k] = x - coeff * y;
            x = y;
        }
        last = x;
        if (mix != 0.0) PairStore(samples + 2 * n, dry + mixPair * (x - dry));
    }

    s->phase = phase;
    s->untilControl = untilControl;
    for (int k = 0; k < kPhaserStages; ++k) PairStore(s->stage[k], st[k]);
    PairStore(s->coeff, coeff);
    PairStore(s->coeffStep, step);
    PairStore(s->lastWet, last);
}
