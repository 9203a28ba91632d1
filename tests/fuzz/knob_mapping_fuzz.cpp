// The knob mappings driven by a sequence of knob moves (any effect id, any
// knob number, any 16-bit position): no undefined behaviour anywhere (UBSan
// checks every double-to-integer conversion), every Change call carries the
// record's values, every value text is terminated inside its buffer, and
// within the knobs' ranges the values stay in their documented ranges and a
// knob re-positioned from the record lands at most one step away.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/effect_entry_points.h"
#include "model/effect_parameters.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

struct SentValues {
    int calls;
    double v[6];
};
SentValues g_sent[kEffectCount + 1];

void Record(int id, double freq, double depth, double rate, double mix, double degree, double feed)
{
    g_sent[id].calls++;
    const double v[6] = {freq, depth, rate, mix, degree, feed};
    std::memcpy(g_sent[id].v, v, sizeof v);
}

const int kKnobTop[7] = {0, 100, 100, 100, 200, 180, 100};
const int kKnobBottom[7] = {0, 0, 0, 0, 1, 0, 0};

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || a == b; }

}  // namespace

// The four modules' Change entry points, as the parameter model calls them.
void QBX_FXAPI ChangePhaser(double f, double d, double r, double m, double g, double b) { Record(1, f, d, r, m, g, b); }
void QBX_FXAPI ChangeFlanger(double f, double d, double r, double m, double g, double b) { Record(2, f, d, r, m, g, b); }
void QBX_FXAPI ChangeChorus(double f, double d, double r, double m, double g, double b) { Record(3, f, d, r, m, g, b); }
void QBX_FXAPI ChangeChDelay(double f, double d, double r, double m, double g, double b) { Record(4, f, d, r, m, g, b); }

// The effect table's other entry points, which the parameter model never calls.
void QBX_FXAPI InitPhaser(double) {}
void QBX_FXAPI InitFlanger(double) {}
void QBX_FXAPI InitChorus(double) {}
void QBX_FXAPI InitChDelay(double) {}
void QBX_FXAPI Phaser(double*, int) {}
void QBX_FXAPI Flanger(double*, int) {}
void QBX_FXAPI Chorus(double*, int) {}
void QBX_FXAPI ChDelay(double*, int) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetEffectParameters();
    std::memset(g_sent, 0, sizeof g_sent);
    FuzzInput in(data, size);
    // Every move inside the knobs' ranges until the first that is not.
    bool inRange = true;
    while (in.Left() >= 4) {
        const uint8_t a = in.Byte();
        const int effectId = (a & 7) - 1;  // -1 .. 6
        const int knob = (a >> 3) & 7;     // 0 .. 7
        const uint16_t position = in.U16();
        const uint8_t action = in.Byte();
        if (action & 1) {
            EffectParameters* fx = EffectParametersFor(effectId);
            if (fx) fx->on = !fx->on;
        }
        const bool known = effectId >= 1 && effectId <= 4 && knob >= 1 && knob <= 6;
        if (known && (position < kKnobBottom[knob] || position > kKnobTop[knob])) inRange = false;

        const int callsBefore = effectId >= 1 && effectId <= 4 ? g_sent[effectId].calls : 0;
        SetParameterFromKnob(effectId, knob, position);
        if (effectId < 1 || effectId > 4) {
            FUZZ_EXPECT(EffectParametersFor(effectId) == nullptr);
            FUZZ_EXPECT(KnobPositionFor(effectId, knob) == 0);
            continue;
        }
        // Sent at once, with the record's values in freq, depth, rate, mix, degree, feed order.
        const EffectParameters& fx = *EffectParametersFor(effectId);
        FUZZ_EXPECT(g_sent[effectId].calls == callsBefore + 1);
        const double* v = g_sent[effectId].v;
        FUZZ_EXPECT(Same(v[0], fx.freq) && Same(v[1], fx.depth) && Same(v[2], fx.rate) && Same(v[4], fx.degree) &&
                    Same(v[5], fx.feed));
        FUZZ_EXPECT(Same(v[3], fx.on ? fx.mix : 0.0));

        const uint16_t back = KnobPositionFor(effectId, knob);
        KnobValue text;
        std::memset(&text, 0x7F, sizeof text);
        FUZZ_EXPECT(KnobValueText(effectId, knob, position, &text) == (knob >= 1 && knob <= 6));
        if (knob >= 1 && knob <= 6) FUZZ_EXPECT(std::memchr(text.text, '\0', sizeof text.text) != nullptr);
        if (!inRange || !known) continue;

        FUZZ_EXPECT(std::abs(static_cast<int>(back) - static_cast<int>(position)) <= 1);
        const double freqLow[5] = {0, 100, 0.5, 8, 50}, freqHigh[5] = {0, 4000.01, 8, 30, 1000.01};
        for (int i = 0; i < 6; ++i) FUZZ_EXPECT(std::isfinite(v[i]));
        FUZZ_EXPECT(fx.freq >= freqLow[effectId] && fx.freq <= freqHigh[effectId]);
        FUZZ_EXPECT(fx.rate >= 0 && fx.rate <= 2.0000001);
        FUZZ_EXPECT(fx.mix >= 0 && fx.mix <= 0.5000001);
        FUZZ_EXPECT(fx.degree >= 0 && fx.degree <= 180);
        FUZZ_EXPECT(fx.feed >= 0 && fx.feed <= 0.90002);
        if (knob == kKnobMix) {
            // "N%" with N the mix in percent of its top.
            FUZZ_EXPECT(std::atoi(text.text) == static_cast<int>(fx.mix * 200.0));
            FUZZ_EXPECT(std::strchr(text.text, '%') != nullptr);
        }
        if (knob == kKnobRate) FUZZ_EXPECT(std::fabs(std::strtod(text.text, nullptr) - fx.rate) < 0.0100001);
    }
    return 0;
}
