#include "model/effect_parameters.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/display_number.h"

namespace {

// The start-up values of an effect, switched off.
EffectParameters StartUpParameters(const EffectEntry& e)
{
    const EffectValues& v = e.range->defaults;
    return {v.freq, v.depth, v.degree, v.rate, v.feed, v.mix, e.depthPercentAtStart, 0};
}

const double kE = 2.718281828459045;

// Chorus and C-Delay share an exponential Degree knob.
const double kDegreeExponent = 0.038474264;
const double kDegreeScale = 1.4890275;

double DegreeFromKnob(double p) { return std::pow(2.0, kDegreeExponent * p) * kDegreeScale - 1.0; }

double KnobFromDegree(double degree)
{
    return (std::log(degree + 1.0) - std::log(kDegreeScale)) / (std::log(2.0) * kDegreeExponent);
}

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

// Depth that follows Freq and the Depth percentage (Phaser, Flanger, Chorus).
void DeriveDepthFromPercent(EffectParameters* fx) { fx->depth = fx->freq * 0.01 * fx->depthPercent; }

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
    const double p = position;

    switch (knob) {
    case kKnobFreq:
        switch (effectId) {
        case kPhaserId: fx->freq = 100.0 * std::pow(kE, 0.0368888 * p); break;
        case kFlangerId: fx->freq = 0.075 * p + 0.5; break;
        case kChorusId: fx->freq = 0.22 * p + 8.0; break;
        case kChDelayId: fx->freq = 50.0 * std::pow(kE, 0.029957323 * p); break;
        }
        if (effectId != kChDelayId) fx->depth = fx->depthPercent * 0.01 * fx->freq;
        break;
    case kKnobDepth:
        switch (effectId) {
        case kPhaserId: fx->depthPercent = 0.9 * p + 10.0; break;
        case kFlangerId: fx->depthPercent = 0.86 * p + 10.0; break;
        case kChorusId: fx->depthPercent = 0.3 * p + 10.0; break;
        case kChDelayId: fx->depth = 0.033 * p + 0.2; break;
        }
        if (effectId != kChDelayId) DeriveDepthFromPercent(fx);
        break;
    case kKnobRate: fx->rate = 0.02 * p; break;
    case kKnobMix: fx->mix = (p - 1.0) * 0.002512562814070352; break;
    case kKnobDegree:
        fx->degree = (effectId == kPhaserId || effectId == kFlangerId) ? p : DegreeFromKnob(p);
        break;
    case kKnobFeed:
        switch (effectId) {
        case kPhaserId: fx->feed = 0.00750001 * p; break;
        case kFlangerId: fx->feed = 0.008 * p; break;
        case kChorusId: fx->feed = 0.007 * p; break;
        case kChDelayId: fx->feed = 0.0090001 * p; break;
        }
        break;
    default:
        break;
    }
    SendEffectParameters(effectId);
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
    if (!fx) return 0;
    double p = 0.0;

    switch (knob) {
    case kKnobFreq:
        switch (effectId) {
        case kPhaserId: p = std::log(fx->freq * 0.01) * 27.108506405333; break;
        case kFlangerId: p = (fx->freq - 0.5) * 13.333333333333334; break;
        case kChorusId: p = (fx->freq - 8.0) * 99.0 * 0.045454545454545456 + 1.0; break;
        case kChDelayId: p = std::log(fx->freq * 0.02) * 33.38081977485104; break;
        }
        break;
    case kKnobDepth: {
        const double percent = fx->depth / fx->freq * 100.0 - 10.0;
        switch (effectId) {
        case kPhaserId: p = percent * 1.1111111111111112; break;
        case kFlangerId: p = percent * 1.1627906976744187; break;
        case kChorusId: p = percent * 3.3333333333333335; break;
        case kChDelayId: p = (fx->depth * 100.0 - 20.0) * 0.30303030303030304; break;
        }
        break;
    }
    case kKnobRate: p = fx->rate * 50.0; break;
    case kKnobMix: p = fx->mix * 398.0 + 1.0; break;
    case kKnobDegree:
        p = (effectId == kPhaserId || effectId == kFlangerId) ? fx->degree : KnobFromDegree(fx->degree);
        break;
    case kKnobFeed:
        switch (effectId) {
        case kPhaserId: p = fx->feed * 133.33333333333334; break;
        case kFlangerId: p = fx->feed * 125.0; break;
        case kChorusId: p = fx->feed * 142.85714285714286; break;
        case kChDelayId: p = fx->feed * 111.11111111111111; break;
        }
        break;
    default:
        return 0;
    }
    return TruncatedPosition(p);
}

bool KnobValueText(int effectId, int knob, uint16_t position, KnobValue* out)
{
    const EffectParameters* fx = EffectParametersFor(effectId);
    if (!fx || !out || knob < kKnobFreq || knob > kKnobFeed) return false;
    out->label = nullptr;
    out->text[0] = '\0';

    switch (knob) {
    case kKnobFreq:
        if (effectId == kPhaserId) {
            WriteTruncated(fx->freq, "", out);
        } else {
            out->label = "Delay";
            WriteTwoDecimals(fx->freq, out);
        }
        break;
    case kKnobDepth: WritePosition(position, "", out); break;
    case kKnobRate: WriteTwoDecimals(fx->rate, out); break;
    case kKnobMix: WriteTruncated(fx->mix * 200.0, "%", out); break;
    case kKnobDegree:
        if (effectId == kPhaserId || effectId == kFlangerId) WriteTruncated(fx->degree, kDegreeSign, out);
        else WritePosition(position, kDegreeSign, out);
        break;
    case kKnobFeed: {
        double scale = 0.0;
        switch (effectId) {
        case kPhaserId: scale = 133.33333333333331; break;
        case kFlangerId: scale = 125.0; break;
        case kChorusId: scale = 142.85714285714286; break;
        case kChDelayId: scale = 111.11111111111111; break;
        }
        WriteTruncated(fx->feed * scale, "", out);
        break;
    }
    }
    return true;
}
