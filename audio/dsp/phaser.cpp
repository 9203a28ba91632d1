#include "audio/dsp/phaser.h"

#include <cmath>

#include "audio/dsp/control_segments.h"
#include "audio/dsp/dsp_support.h"
#include "audio/dsp/lfo.h"
#include "audio/dsp/stereo_pair.h"
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

double ChannelCoefficient(const PhaserState* s, int ch)
{
    const double* v = s->glide.value;
    const double* w = s->sweep.value;
    double phase = s->phase - (ch ? v[kPhDegree] / 360.0 : 0.0);
    const double fc = PhaserBreakFrequencyOctaves(w[kPhLowOctave], w[kPhTopOctave], CycleSine(phase), s->rate);
    return AllPassCoefficient(fc, s->rate);
}

void TakeNewValues(PhaserState* s)
{
    EffectValues raw;
    if (!TakeValues(&s->mailbox, &s->seen, &raw)) {
        if (!s->snapNext) return;
        if (s->seen == 0) raw = SwitchedOff(kPhaserRange.defaults);
        else return;
    }
    double targets[kPhCount], sweep[kPhSweepCount];
    ToGlided(raw, targets, sweep);
    if (s->snapNext) {
        GlideSnap(&s->glide, targets);
        GlideSnap(&s->sweep, sweep);
        for (int ch = 0; ch < 2; ++ch) {
            s->coeff[ch] = ChannelCoefficient(s, ch);
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

namespace {

// The all-pass chains of both channels over frames frames at the current
// values (the caller hands over one frame at a time while they glide), with
// the hot state held in registers.
void ChainFrames(PhaserState* s, double* samples, int frames, double mix, double feed)
{
    Pair st[kPhaserStages];
    for (int k = 0; k < kPhaserStages; ++k) st[k] = PairLoad(s->stage[k]);
    Pair coeff = PairLoad(s->coeff);
    const Pair step = PairLoad(s->coeffStep);
    Pair last = PairLoad(s->lastWet);
    const Pair feedPair = PairBoth(feed);
    const Pair mixPair = PairBoth(mix);
    const double inc = s->glide.value[kPhRate] / s->rate;
    double phase = s->phase;
    for (int n = 0; n < frames; ++n) {
        phase = AdvancePhase(phase, inc);
        coeff = coeff + step;
        const Pair dry = PairLoad(samples + 2 * n);
        Pair x = PairSoftLimit(dry + feedPair * last, kLimitKnee, kLimitRoom);
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
    for (int k = 0; k < kPhaserStages; ++k) PairStore(s->stage[k], st[k]);
    PairStore(s->coeff, coeff);
    PairStore(s->lastWet, last);
}

}  // namespace

void PhaserProcess(PhaserState* s, double* samples, int count)
{
    if (!s->ready || samples == nullptr || count < 2) return;
    DenormalGuard guard;
    DenormalGuardEnter(&guard);
    TakeNewValues(s);
    s->snapNext = false;
    ForEachControlRun(
        &s->untilControl, kPhaserControlPeriod, count / 2,
        [s] {
            for (int ch = 0; ch < 2; ++ch)
                s->coeffStep[ch] = (ChannelCoefficient(s, ch) - s->coeff[ch]) / kPhaserControlPeriod;
        },
        [s, samples](int first, int frames) {
            if (s->glide.remaining > 0 || s->sweep.remaining > 0) {
                // Gliding: the values move every frame.
                frames = 1;
                GlideTick(&s->glide);
                GlideTick(&s->sweep);
            }
            ChainFrames(s, samples + 2 * first, frames, s->glide.value[kPhMix], s->glide.value[kPhFeed]);
            return frames;
        });
    DenormalGuardLeave(&guard);
}
