// What each effect does to a signal: the phaser's notch sits at its break
// frequency, the flanger's comb at its delay, the echo repeats at its delay
// and dies away by its feedback, the stereo offset splits the channels; and
// the building blocks interpolate and keep the all-pass inside the band.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/dsp/dsp_blocks.h"
#include "audio/dsp/phaser.h"
#include "tests/host/dsp/dsp_test_support.h"

namespace {

constexpr double kRate = 44100.0;

// RMS of the left channel over the second half of a 1-s run of a sine.
double SteadyLevel(const EffectUnderTest& e, const EffectValues& v, double hz)
{
    SendValues(e, v);
    e.init(kRate);
    std::vector<double> s = Sine(44100, hz, 10000.0, kRate);
    ProcessInBlocks(e, &s, 882);
    double sum = 0.0;
    for (size_t i = s.size() / 2; i < s.size(); i += 2) sum += s[i] * s[i];
    return std::sqrt(sum / (s.size() / 4)) / (10000.0 / std::sqrt(2.0));
}

TEST(Character, PhaserNotchesAtItsBreakFrequency)
{
    const EffectUnderTest& e = AllEffects()[0];
    // LFO still at phase 0: the left channel's stages sit at freq.
    const EffectValues v = {1000.0, 500.0, 0.0, 0.5, 90.0, 0.0};
    EXPECT_LT(SteadyLevel(e, v, 1000.0), 0.03);  // deeper than -30 dB
    EXPECT_GT(SteadyLevel(e, v, 520.0), 0.7);     // between the notches
}

TEST(Character, FlangerCombFollowsItsDelay)
{
    const EffectUnderTest& e = AllEffects()[1];
    // Sweep 0.2 ms below 2 ms, LFO still: the tap sits at 1.9 ms.
    const EffectValues v = {2.0, 0.2, 0.0, 0.5, 0.0, 0.0};
    EXPECT_LT(SteadyLevel(e, v, 1000.0 / (2 * 1.9)), 0.03);
    EXPECT_GT(SteadyLevel(e, v, 1000.0 / 1.9), 0.97);
}

TEST(Character, ChDelayRepeatsAtItsDelayAndFadesByItsFeedback)
{
    const EffectUnderTest& e = AllEffects()[3];
    SendValues(e, EffectValues{200.0, 0.2, 0.0, 0.5, 0.4890275, 0.5});
    e.init(kRate);
    std::vector<double> v = Impulse(44100, 30000.0);
    ProcessInBlocks(e, &v, 882);
    double echo[3] = {};
    for (int k = 0; k < 3; ++k) {
        const size_t centre = static_cast<size_t>(0.2 * (k + 1) * kRate);
        for (size_t n = centre - 20; n < centre + 20; ++n) echo[k] = std::fmax(echo[k], std::fabs(v[2 * n]));
        double elsewhere = 0.0;
        for (size_t n = centre + 100; n < centre + 8000; ++n) elsewhere = std::fmax(elsewhere, std::fabs(v[2 * n]));
        EXPECT_LT(elsewhere, 0.02 * echo[k]) << "echo " << k;
    }
    EXPECT_NEAR(echo[0], 15000.0, 100.0);
    EXPECT_LT(echo[1], 0.5 * echo[0]);  // feedback 0.5, plus the damping
    EXPECT_GT(echo[1], 0.2 * echo[0]);
    EXPECT_LT(echo[2], 0.5 * echo[1]);
}

TEST(Character, StereoOffsetSplitsTheChannels)
{
    for (const EffectUnderTest& e : AllEffects()) {
        for (double degree : {0.0, 179.986}) {
            EffectValues v = e.range->defaults;
            v.degree = degree;
            v.rate = 2.0;
            SendValues(e, v);
            e.init(kRate);
            std::vector<double> s = Sine(44100, 440.0, 10000.0, kRate);  // the same on both sides
            ProcessInBlocks(e, &s, 882);
            double difference = 0.0;
            for (size_t i = 0; i < s.size(); i += 2) difference = std::fmax(difference, std::fabs(s[i] - s[i + 1]));
            if (degree == 0.0) EXPECT_EQ(difference, 0.0) << e.name;
            else EXPECT_GT(difference, 1000.0) << e.name;
        }
    }
}

TEST(Character, FractionalDelaysInterpolateSmoothly)
{
    DelayLine line;
    DelayLineInit(&line, 100.0);
    const double* b = line.buffer.data();  // the one line on both lanes
    const auto read = [&](double d) { return PairLeft(PairHermiteRead(b, b, line.mask, line.write, PairBoth(d))); };
    // A ramp comes back exactly at any fractional delay.
    for (int n = 0; n < 64; ++n) DelayLineWrite(&line, 3.0 * n);
    for (double d : {2.0, 2.25, 7.5, 20.125, 40.999}) EXPECT_NEAR(read(d), 3.0 * (64 - d), 1e-9) << d;
    // A 2 kHz sine at 44.1 kHz is rebuilt between its samples within 0.2 %.
    const double w = 2.0 * 3.141592653589793 * 2000.0 / kRate;
    for (int n = 0; n < 200; ++n) DelayLineWrite(&line, std::sin(w * n));
    for (double d = 2.0; d < 60.0; d += 0.37) EXPECT_NEAR(read(d), std::sin(w * (200 - d)), 2e-3) << d;
}

TEST(Character, AllPassBreakFrequenciesStayInsideTheBand)
{
    for (double rate : {16000.0, 44100.0}) {
        for (double freq = 100.0; freq <= 4000.002; freq *= 1.1)
            for (double share : {0.1, 0.5, 1.0})
                for (double lfo = -1.0; lfo <= 1.0; lfo += 0.125) {
                    const double fc = PhaserBreakFrequency(freq, share * freq, lfo, rate);
                    EXPECT_LT(fc, 0.49 * rate);
                    EXPECT_GT(fc, 0.0);
                }
    }
    // Around the centre the sweep is symmetric in octaves, topping at freq + depth.
    EXPECT_NEAR(PhaserBreakFrequency(700.0, 700.0, 1.0, 44100.0), 1400.0, 1e-9);
    EXPECT_NEAR(PhaserBreakFrequency(700.0, 700.0, -1.0, 44100.0), 350.0, 1e-9);
}

}  // namespace
