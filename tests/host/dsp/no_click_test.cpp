// Turning any knob from its minimum to its maximum (and back) in one step
// while a sine plays does not click.
//
// Measure: the largest sample-to-sample step of the output in the 100 ms
// after the jump, against the largest step of the output in the 3.5 s
// before the jump and in the 4 s after it has settled (from 0.5 s on);
// both windows span a whole LFO cycle at every default rate. A click is a
// step far above both; a sound that merely grows louder or softer, or
// sweeps, stays at or below the larger of the two. The sine fades in over
// 50 ms so that its own start does not echo back as a step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/host/dsp/dsp_test_support.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kSineHz = 220.0;
constexpr double kAmplitude = 16000.0;

EffectValues WithKnob(const EffectUnderTest& e, int knob, bool high)
{
    EffectValues v = e.range->defaults;
    const EffectValues& end = high ? e.range->highest : e.range->lowest;
    const double share = e.range->defaults.depth / e.range->defaults.freq;
    switch (knob) {
    case 0:
        v.freq = end.freq;
        if (e.range->depthIsShareOfFreq) v.depth = share * v.freq;
        break;
    case 1: v.depth = e.range->depthIsShareOfFreq ? end.depth / end.freq * v.freq : end.depth; break;
    case 2: v.rate = end.rate; break;
    case 3: v.mix = end.mix; break;
    case 4: v.degree = end.degree; break;
    default: v.feed = end.feed; break;
    }
    return v;
}

double LargestStep(const std::vector<double>& v, size_t fromFrame, size_t toFrame)
{
    double step = 0.0;
    for (size_t n = fromFrame + 1; n < toFrame; ++n)
        for (int ch = 0; ch < 2; ++ch) step = std::fmax(step, std::fabs(v[2 * n + ch] - v[2 * (n - 1) + ch]));
    return step;
}

const char* const kKnobNames[] = {"freq", "depth", "rate", "mix", "degree", "feed"};

TEST(NoClick, KnobJumpsFromEndToEndStayBelowTheSteadySteps)
{
    const int before = static_cast<int>(kRate * 4.0);
    const int after = static_cast<int>(kRate * 4.5);
    std::vector<double> sine = Sine(before + after, kSineHz, kAmplitude, kRate, 0.7);
    const int fadeIn = static_cast<int>(kRate * 0.05);
    for (int n = 0; n < fadeIn; ++n) {
        const double g = 0.5 - 0.5 * std::cos(3.141592653589793 * n / fadeIn);
        sine[2 * n] *= g;
        sine[2 * n + 1] *= g;
    }
    const double sineStep = kAmplitude * 2.0 * 3.141592653589793 * kSineHz / kRate;
    double worst = 0.0, worstAgainstSine = 0.0;
    for (const EffectUnderTest& e : AllEffects()) {
        for (int knob = 0; knob < 6; ++knob) {
            for (int upwards = 0; upwards < 2; ++upwards) {
                SendValues(e, WithKnob(e, knob, !upwards));
                e.init(kRate);
                std::vector<double> v = sine;
                for (int at = 0; at < before; at += 441) e.process(v.data() + 2 * at, 2 * 441);
                SendValues(e, WithKnob(e, knob, upwards));
                for (int at = before; at < before + after; at += 441) e.process(v.data() + 2 * at, 2 * 441);
                const double steadyBefore = LargestStep(v, static_cast<int>(kRate * 0.5), before);
                const double steadyAfter = LargestStep(v, before + static_cast<int>(kRate * 0.5), before + after);
                const double transition = LargestStep(v, before - 1, before + static_cast<int>(kRate * 0.1));
                const double ratio = transition / std::fmax(steadyBefore, steadyAfter);
                worst = std::fmax(worst, ratio);
                worstAgainstSine = std::fmax(worstAgainstSine, transition / sineStep);
                std::printf("%-8s %-6s %s: step %.0f (before %.0f, settled %.0f) ratio %.3f\n", e.name,
                            kKnobNames[knob], upwards ? "min->max" : "max->min", transition, steadyBefore,
                            steadyAfter, ratio);
                EXPECT_LT(ratio, 1.1) << e.name << " " << kKnobNames[knob] << (upwards ? " up" : " down");
            }
        }
    }
    std::printf("worst jump step / steady step: %.3f; worst jump step / dry sine step: %.3f\n", worst,
                worstAgainstSine);
}

}  // namespace
