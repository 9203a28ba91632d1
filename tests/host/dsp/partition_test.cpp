// Output does not depend on how the stream is cut into blocks.
#include <gtest/gtest.h>

#include <random>

#include "tests/host/dsp/dsp_test_support.h"

namespace {

// Runs the effect from Init over the input cut at the given even lengths.
std::vector<double> RunPartitioned(const EffectUnderTest& e, const EffectValues& v, const std::vector<double>& input,
                                   const std::vector<int>& blocks)
{
    SendValues(e, v);
    e.init(44100.0);
    std::vector<double> out = input;
    size_t at = 0;
    for (int n : blocks) {
        e.process(out.data() + at, n);
        at += n;
    }
    return out;
}

std::vector<int> RandomEvenBlocks(size_t total, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<int> blocks;
    size_t used = 0;
    while (used < total) {
        const int k = kind(rng);
        int n = k == 0 ? 0 : k == 1 ? 2 : 2 * std::uniform_int_distribution<int>(1, 3000)(rng);
        if (used + n > total) n = static_cast<int>(total - used);
        blocks.push_back(n);
        used += n;
    }
    return blocks;
}

TEST(Partition, AnyEvenBlockingGivesBitIdenticalOutput)
{
    // 1.5 s covers the C-Delay's repeats and several phaser control periods.
    const std::vector<double> input = WhiteNoise(66150, 30000.0, 11);
    for (const EffectUnderTest& e : AllEffects()) {
        for (const EffectValues& v : {e.range->defaults, CornerValues(e, 63), CornerValues(e, 0x2c)}) {
            const std::vector<double> whole = RunPartitioned(e, v, input, {static_cast<int>(input.size())});
            for (uint32_t seed = 1; seed <= 3; ++seed) {
                const std::vector<double> cut = RunPartitioned(e, v, input, RandomEvenBlocks(input.size(), seed));
                size_t at = 0;
                EXPECT_TRUE(BitIdentical(cut, whole, &at)) << e.name << " seed " << seed << " differs at " << at;
            }
            std::vector<int> pairs(input.size() / 2, 2);
            const std::vector<double> byPairs = RunPartitioned(e, v, input, pairs);
            size_t at = 0;
            EXPECT_TRUE(BitIdentical(byPairs, whole, &at)) << e.name << " in pairs differs at " << at;
        }
    }
}

TEST(Partition, AChangeBetweenBlocksActsTheSameWhateverTheBlocking)
{
    // A knob move that arrives at the same point of the stream gives the
    // same output, however the rest of the stream is cut.
    const std::vector<double> input = Sine(44100, 523.0, 25000.0, 44100.0);
    const size_t changeAt = 2 * 20000;
    for (const EffectUnderTest& e : AllEffects()) {
        std::vector<double> outs[2];
        for (int run = 0; run < 2; ++run) {
            SendValues(e, e.range->defaults);
            e.init(44100.0);
            std::vector<double> out = input;
            const int block = run == 0 ? 4000 : 250;
            for (size_t at = 0; at < changeAt; at += block) e.process(out.data() + at, block);
            SendValues(e, CornerValues(e, 63));
            for (size_t at = changeAt; at < out.size(); at += block) {
                const size_t n = out.size() - at < static_cast<size_t>(block) ? out.size() - at : block;
                e.process(out.data() + at, static_cast<int>(n));
            }
            outs[run] = out;
        }
        size_t at = 0;
        EXPECT_TRUE(BitIdentical(outs[0], outs[1], &at)) << e.name << " differs at " << at;
    }
}

}  // namespace
