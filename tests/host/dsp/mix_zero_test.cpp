// Mix 0 leaves the signal bit-identical, whatever the other five knobs say.
#include <gtest/gtest.h>

#include "tests/host/dsp/dsp_test_support.h"

namespace {

TEST(MixZero, EveryCornerOfEveryEffectLeavesTheInputUntouched)
{
    const std::vector<double> input = WhiteNoise(6000, 32767.0, 7);
    for (const EffectUnderTest& e : AllEffects()) {
        for (int corner = 0; corner < 64; ++corner) {
            EffectValues v = CornerValues(e, corner);
            v.mix = 0.0;
            SendValues(e, v);
            e.init(44100.0);
            std::vector<double> out = input;
            ProcessInBlocks(e, &out, 882);
            size_t at = 0;
            EXPECT_TRUE(BitIdentical(out, input, &at)) << e.name << " corner " << corner << " differs at " << at;
        }
    }
}

TEST(MixZero, SwitchingOffReturnsToTheExactInputAfterTheGlide)
{
    const int rate = 48000;
    for (const EffectUnderTest& e : AllEffects()) {
        SendValues(e, e.range->defaults);
        e.init(rate);
        std::vector<double> warm = Sine(rate / 2, 440.0, 20000.0, rate);
        ProcessInBlocks(e, &warm, 512);
        EffectValues off = e.range->defaults;
        off.mix = 0.0;
        SendValues(e, off);
        const std::vector<double> input = Sine(rate / 2, 330.0, 20000.0, rate, 1.0);
        std::vector<double> out = input;
        ProcessInBlocks(e, &out, 512);
        // The first block glides out within a few milliseconds; from 20 ms
        // on the output is the input itself.
        const size_t settled = 2 * static_cast<size_t>(rate / 50);
        const std::vector<double> tailIn(input.begin() + settled, input.end());
        const std::vector<double> tailOut(out.begin() + settled, out.end());
        size_t at = 0;
        EXPECT_TRUE(BitIdentical(tailOut, tailIn, &at)) << e.name << " differs at " << at;
        // ... and before that the effect was really audible.
        EXPECT_GT(PeakAbs(warm), 0.0);
    }
}

TEST(MixZero, NegativeZeroAndExtremeValuesPassUnchanged)
{
    std::vector<double> input = {-0.0, 0.0, 32767.0, -32768.0, 1e-310, -1e-310, 0.5, -0.5};
    for (int i = 0; i < 200; ++i) input.push_back(i % 2 ? -32768.0 : 32767.0);
    for (const EffectUnderTest& e : AllEffects()) {
        EffectValues v = e.range->highest;
        v.mix = 0.0;
        SendValues(e, v);
        e.init(16000.0);
        std::vector<double> out = input;
        e.process(out.data(), static_cast<int>(out.size()));
        size_t at = 0;
        EXPECT_TRUE(BitIdentical(out, input, &at)) << e.name << " differs at " << at;
    }
}

}  // namespace
