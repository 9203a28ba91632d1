#include "model/effect_parameters.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "model/display_number.h"

namespace {

// The start-up values of an effect, switched off.
EffectParameters StartUpParameters(const EffectEntry& e)
{
    const EffectValues& v = e.range->defaults;
    return {v.freq, v.depth, v.degree, v.rate, v.feed, v.mix, e.depthPercentAtStart, 0};
}

const double kE = 2.718281828459045;

// Truncates toward zero and keeps the low 16 bits, as knob positions are
// 16-bit; values that are no number at all give 0.
uint16_t TruncatedPosition(double value)
{
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) return 0;
    return static_cast<uint16_t>(static_cast<int32_t>(value));
}

// The integer part of a display value, written without sign or separators.
void WriteTruncated(double value, const char* suffix, KnobValue* out)
{
    const double whole = std::isfinite(value) && value > 0 ? std::trunc(value) : 0.0;
    std::snprintf(out->text, sizeof out->text, "%.0f%s", whole, suffix);
}

void WriteTwoDecimals(double value, KnobValue* out) { FormatDisplayNumber(value, out->text, sizeof out->text); }

void WritePosition(uint16_t position, const char* suffix, KnobValue* out)
{
    std::snprintf(out->text, sizeof out->text, "%u%s", static_cast<unsigned>(position), suffix);
}

const char kDegreeSign[] = "\xC2\xB0";  // the degree sign in UTF-8, as the display reads its texts
const char kDelayLabel[] = "Delay";  // the Freq knob of the delay effects sets a delay

// --- Freq ---
// Depth follows Freq at the Depth percentage (Phaser, Flanger, Chorus). The
// product runs in another order than in DepthFromPercent; the two orders
// can round apart in the last bit, so neither may be written as the other.
void DepthFollowsFreq(EffectParameters* fx) { fx->depth = fx->depthPercent * 0.01 * fx->freq; }

void PhaserFreqFromKnob(EffectParameters* fx, double p)
{
    fx->freq = 100.0 * std::pow(kE, 0.0368888 * p);
    DepthFollowsFreq(fx);
}
void FlangerFreqFromKnob(EffectParameters* fx, double p)
{
    fx->freq = 0.075 * p + 0.5;
    DepthFollowsFreq(fx);
}
void ChorusFreqFromKnob(EffectParameters* fx, double p)
{
    fx->freq = 0.22 * p + 8.0;
    DepthFollowsFreq(fx);
}
void ChDelayFreqFromKnob(EffectParameters* fx, double p) { fx->freq = 50.0 * std::pow(kE, 0.029957323 * p); }

double KnobFromPhaserFreq(const EffectParameters& fx) { return std::log(fx.freq * 0.01) * 27.108506405333; }
double KnobFromFlangerFreq(const EffectParameters& fx) { return (fx.freq - 0.5) * 13.333333333333334; }
double KnobFromChorusFreq(const EffectParameters& fx) { return (fx.freq - 8.0) * 99.0 * 0.045454545454545456 + 1.0; }
double KnobFromChDelayFreq(const EffectParameters& fx) { return std::log(fx.freq * 0.02) * 33.38081977485104; }

void ShowWholeFreq(const EffectParameters& fx, uint16_t, KnobValue* out) { WriteTruncated(fx.freq, "", out); }
void ShowDelay(const EffectParameters& fx, uint16_t, KnobValue* out) { WriteTwoDecimals(fx.freq, out); }

// --- Depth ---
// Depth from Freq and the Depth percentage (Phaser, Flanger, Chorus).
void DepthFromPercent(EffectParameters* fx) { fx->depth = fx->freq * 0.01 * fx->depthPercent; }

void PhaserDepthFromKnob(EffectParameters* fx, double p)
{
    fx->depthPercent = 0.9 * p + 10.0;
    DepthFromPercent(fx);
}
void FlangerDepthFromKnob(EffectParameters* fx, double p)
{
    fx->depthPercent = 0.86 * p + 10.0;
    DepthFromPercent(fx);
}
void ChorusDepthFromKnob(EffectParameters* fx, double p)
{
    fx->depthPercent = 0.3 * p + 10.0;
    DepthFromPercent(fx);
}
void ChDelayDepthFromKnob(EffectParameters* fx, double p) { fx->depth = 0.033 * p + 0.2; }

// The Depth percentage above its 10 % floor, read from depth and freq (the
// record's depthPercent may be older than a depth moved by the Freq knob).
double PercentAboveFloor(const EffectParameters& fx) { return fx.depth / fx.freq * 100.0 - 10.0; }

double KnobFromPhaserDepth(const EffectParameters& fx) { return PercentAboveFloor(fx) * 1.1111111111111112; }
double KnobFromFlangerDepth(const EffectParameters& fx) { return PercentAboveFloor(fx) * 1.1627906976744187; }
double KnobFromChorusDepth(const EffectParameters& fx) { return PercentAboveFloor(fx) * 3.3333333333333335; }
double KnobFromChDelayDepth(const EffectParameters& fx) { return (fx.depth * 100.0 - 20.0) * 0.30303030303030304; }

void ShowPosition(const EffectParameters&, uint16_t position, KnobValue* out) { WritePosition(position, "", out); }

// --- Rate and Mix, the same for every effect ---
void RateFromKnob(EffectParameters* fx, double p) { fx->rate = 0.02 * p; }
double KnobFromRate(const EffectParameters& fx) { return fx.rate * 50.0; }
void ShowRate(const EffectParameters& fx, uint16_t, KnobValue* out) { WriteTwoDecimals(fx.rate, out); }

void MixFromKnob(EffectParameters* fx, double p) { fx->mix = (p - 1.0) * 0.002512562814070352; }
double KnobFromMix(const EffectParameters& fx) { return fx.mix * 398.0 + 1.0; }
void ShowMix(const EffectParameters& fx, uint16_t, KnobValue* out) { WriteTruncated(fx.mix * 200.0, "%", out); }

// --- Degree: in degrees for Phaser and Flanger, on an exponential curve for
// Chorus and C-Delay ---
void DegreeFromKnob(EffectParameters* fx, double p) { fx->degree = p; }
double KnobFromDegree(const EffectParameters& fx) { return fx.degree; }
void ShowDegree(const EffectParameters& fx, uint16_t, KnobValue* out) { WriteTruncated(fx.degree, kDegreeSign, out); }

const double kDegreeExponent = 0.038474264;
const double kDegreeScale = 1.4890275;

void CurvedDegreeFromKnob(EffectParameters* fx, double p)
{
    fx->degree = std::pow(2.0, kDegreeExponent * p) * kDegreeScale - 1.0;
}
double KnobFromCurvedDegree(const EffectParameters& fx)
{
    return (std::log(fx.degree + 1.0) - std::log(kDegreeScale)) / (std::log(2.0) * kDegreeExponent);
}
void ShowDegreePosition(const EffectParameters&, uint16_t position, KnobValue* out)
{
    WritePosition(position, kDegreeSign, out);
}

// --- Feed ---
void PhaserFeedFromKnob(EffectParameters* fx, double p) { fx->feed = 0.00750001 * p; }
void FlangerFeedFromKnob(EffectParameters* fx, double p) { fx->feed = 0.008 * p; }
void ChorusFeedFromKnob(EffectParameters* fx, double p) { fx->feed = 0.007 * p; }
void ChDelayFeedFromKnob(EffectParameters* fx, double p) { fx->feed = 0.0090001 * p; }

double KnobFromPhaserFeed(const EffectParameters& fx) { return fx.feed * 133.33333333333334; }
double KnobFromFlangerFeed(const EffectParameters& fx) { return fx.feed * 125.0; }
double KnobFromChorusFeed(const EffectParameters& fx) { return fx.feed * 142.85714285714286; }
double KnobFromChDelayFeed(const EffectParameters& fx) { return fx.feed * 111.11111111111111; }

void ShowPhaserFeed(const EffectParameters& fx, uint16_t, KnobValue* out)
{
    WriteTruncated(fx.feed * 133.33333333333331, "", out);
}
void ShowFlangerFeed(const EffectParameters& fx, uint16_t, KnobValue* out)
{
    WriteTruncated(fx.feed * 125.0, "", out);
}
void ShowChorusFeed(const EffectParameters& fx, uint16_t, KnobValue* out)
{
    WriteTruncated(fx.feed * 142.85714285714286, "", out);
}
void ShowChDelayFeed(const EffectParameters& fx, uint16_t, KnobValue* out)
{
    WriteTruncated(fx.feed * 111.11111111111111, "", out);
}

constexpr int kKnobsPerEffect = kKnobFeed;

// One knob of one effect: what a position stores in the record, the
// position that shows the record's value (before truncation), and what the
// display shows for the knob.
struct KnobMapping {
    void (*fromKnob)(EffectParameters* fx, double p);
    double (*toKnob)(const EffectParameters& fx);
    void (*show)(const EffectParameters& fx, uint16_t position, KnobValue* out);
    const char* label;  // replaces the knob's label on the display, or null
};

// The knobs that map alike for several effects.
constexpr KnobMapping kRateKnob = {RateFromKnob, KnobFromRate, ShowRate, nullptr};
constexpr KnobMapping kMixKnob = {MixFromKnob, KnobFromMix, ShowMix, nullptr};
constexpr KnobMapping kDegreeKnob = {DegreeFromKnob, KnobFromDegree, ShowDegree, nullptr};
constexpr KnobMapping kCurvedDegreeKnob = {CurvedDegreeFromKnob, KnobFromCurvedDegree, ShowDegreePosition, nullptr};

// Effect by knob, both in number order.
constexpr KnobMapping kKnobMappings[][kKnobsPerEffect] = {
    {   // Phaser
        {PhaserFreqFromKnob, KnobFromPhaserFreq, ShowWholeFreq, nullptr},
        {PhaserDepthFromKnob, KnobFromPhaserDepth, ShowPosition, nullptr},
        kRateKnob,
        kMixKnob,
        kDegreeKnob,
        {PhaserFeedFromKnob, KnobFromPhaserFeed, ShowPhaserFeed, nullptr},
    },
    {   // Flanger
        {FlangerFreqFromKnob, KnobFromFlangerFreq, ShowDelay, kDelayLabel},
        {FlangerDepthFromKnob, KnobFromFlangerDepth, ShowPosition, nullptr},
        kRateKnob,
        kMixKnob,
        kDegreeKnob,
        {FlangerFeedFromKnob, KnobFromFlangerFeed, ShowFlangerFeed, nullptr},
    },
    {   // Chorus
        {ChorusFreqFromKnob, KnobFromChorusFreq, ShowDelay, kDelayLabel},
        {ChorusDepthFromKnob, KnobFromChorusDepth, ShowPosition, nullptr},
        kRateKnob,
        kMixKnob,
        kCurvedDegreeKnob,
        {ChorusFeedFromKnob, KnobFromChorusFeed, ShowChorusFeed, nullptr},
    },
    {   // C-Delay
        {ChDelayFreqFromKnob, KnobFromChDelayFreq, ShowDelay, kDelayLabel},
        {ChDelayDepthFromKnob, KnobFromChDelayDepth, ShowPosition, nullptr},
        kRateKnob,
        kMixKnob,
        kCurvedDegreeKnob,
        {ChDelayFeedFromKnob, KnobFromChDelayFeed, ShowChDelayFeed, nullptr},
    },
};
static_assert(std::size(kKnobMappings) == kEffectCount, "a row of knob mappings for every effect");

// The mapping of a knob of an effect, or null for unknown ids or knobs.
const KnobMapping* KnobMappingFor(int effectId, int knob)
{
    if (!EffectEntryFor(effectId) || knob < kKnobFreq || knob > kKnobsPerEffect) return nullptr;
    return &kKnobMappings[effectId - 1][knob - 1];
}

}  // namespace

EffectParameters g_effectParameters[kEffectCount] = {
    StartUpParameters(kEffectEntries[0]), StartUpParameters(kEffectEntries[1]),
    StartUpParameters(kEffectEntries[2]), StartUpParameters(kEffectEntries[3])};

EffectParameters* EffectParametersFor(int effectId)
{
    return EffectEntryFor(effectId) ? &g_effectParameters[effectId - 1] : nullptr;
}

void ResetEffectParameters()
{
    for (int i = 0; i < kEffectCount; ++i) g_effectParameters[i] = StartUpParameters(kEffectEntries[i]);
}

void SetParameterFromKnob(int effectId, int knob, uint16_t position)
{
    EffectParameters* fx = EffectParametersFor(effectId);
    if (!fx) return;
    const KnobMapping* mapping = KnobMappingFor(effectId, knob);
    if (mapping) mapping->fromKnob(fx, position);
    SendEffectParameters(effectId);  // also for an unknown knob, which changes nothing
}

double EffectMixLevel(int effectId)
{
    const EffectParameters* fx = EffectParametersFor(effectId);
    return fx && fx->on ? fx->mix : 0.0;
}

void SendEffectParameters(int effectId)
{
    const EffectParameters* fx = EffectParametersFor(effectId);
    if (!fx) return;
    EffectEntryFor(effectId)->change(fx->freq, fx->depth, fx->rate, EffectMixLevel(effectId), fx->degree, fx->feed);
}

uint16_t KnobPositionFor(int effectId, int knob)
{
    const EffectParameters* fx = EffectParametersFor(effectId);
    const KnobMapping* mapping = KnobMappingFor(effectId, knob);
    if (!fx || !mapping) return 0;
    return TruncatedPosition(mapping->toKnob(*fx));
}

bool KnobValueText(int effectId, int knob, uint16_t position, KnobValue* out)
{
    const EffectParameters* fx = EffectParametersFor(effectId);
    const KnobMapping* mapping = KnobMappingFor(effectId, knob);
    if (!fx || !mapping || !out) return false;
    out->label = mapping->label;
    out->text[0] = '\0';
    mapping->show(*fx, position, out);
    return true;
}
