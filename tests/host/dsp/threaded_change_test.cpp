// Change calls from another thread, also during processing, never tear a
// value or a set of values and need no lock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "audio/dsp/dsp_blocks.h"
#include "tests/host/dsp/dsp_test_support.h"

namespace {

bool SameSet(const EffectValues& a, const EffectValues& b)
{
    return a.freq == b.freq && a.depth == b.depth && a.rate == b.rate && a.mix == b.mix && a.degree == b.degree &&
           a.feed == b.feed;
}

TEST(ThreadedChange, TheReaderOnlyEverSeesWholeSets)
{
    // Two sets that differ in every bit pattern of every field.
    const EffectValues a = {1.0 / 3.0, 7.25e10, -0.0001, 0.125, 1e-300, 123456789.0};
    const EffectValues b = {-2.0 / 7.0, 3.5e-12, 99999.5, 0.375, -1e300, -987654321.0};
    ValuesMailbox box;
    PostValues(&box, a);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop.load(); ++i) PostValues(&box, i & 1 ? a : b);
    });
    uint32_t seen = 0;
    int taken = 0, torn = 0;
    // Until enough sets were taken, for at most 10 s on a busy machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (taken < 20000 && std::chrono::steady_clock::now() < deadline) {
        for (int i = 0; i < 1000; ++i) {
            EffectValues got;
            if (!TakeValues(&box, &seen, &got)) continue;
            ++taken;
            if (!SameSet(got, a) && !SameSet(got, b)) ++torn;
        }
        std::this_thread::yield();
    }
    stop = true;
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(taken, 100);
}

TEST(ThreadedChange, NothingNewMeansNothingTaken)
{
    ValuesMailbox box;
    uint32_t seen = 0;
    EffectValues got = {};
    EXPECT_FALSE(TakeValues(&box, &seen, &got));
    PostValues(&box, EffectValues{1, 2, 3, 0.5, 5, 0.6});
    EXPECT_TRUE(TakeValues(&box, &seen, &got));
    EXPECT_EQ(got.degree, 5.0);
    EXPECT_FALSE(TakeValues(&box, &seen, &got));
}

TEST(ThreadedChange, HammeringChangeDuringProcessingKeepsTheOutputSound)
{
    for (const EffectUnderTest& e : AllEffects()) {
        SendValues(e, e.range->defaults);
        e.init(44100.0);
        std::atomic<bool> stop{false};
        std::thread knobs([&] {
            for (int i = 0; !stop.load(); ++i) SendValues(e, CornerValues(e, i % 64));
        });
        std::vector<double> v = WhiteNoise(44100 * 2, 32767.0, 21);
        ProcessInBlocks(e, &v, 441 * 2);
        stop = true;
        knobs.join();
        double peak = 0.0;
        for (double x : v) {
            ASSERT_TRUE(std::isfinite(x)) << e.name;
            peak = std::fmax(peak, std::fabs(x));
        }
        EXPECT_LE(peak, 2.5 * 32768.0) << e.name;
    }
}

TEST(ThreadedChange, AChangeActsWithinTheNextBlockAndGlidesIn)
{
    for (const EffectUnderTest& e : AllEffects()) {
        EffectValues v = e.range->defaults;
        v.mix = 0.0;
        SendValues(e, v);
        e.init(44100.0);
        const std::vector<double> input = Sine(441 * 3, 1000.0, 20000.0, 44100.0);
        std::vector<double> out = input;
        e.process(out.data(), 882);  // 10 ms switched off
        v.mix = 0.5;
        SendValues(e, v);            // switched on between blocks
        e.process(out.data() + 882, 882);
        e.process(out.data() + 1764, 882);
        EXPECT_EQ(PeakAbs(out, 0, 882), PeakAbs(input, 0, 882)) << e.name;
        // The first frame of the next block already moves, by a glide's first step only.
        EXPECT_NE(out[882 + 20], input[882 + 20]) << e.name;
        EXPECT_LT(std::fabs(out[884] - input[884]), 0.01 * 20000.0) << e.name;
    }
}

TEST(ThreadedChange, ChangesBeforeTheFirstInitAreKept)
{
    // The last values given before Init are the ones Init starts with: the
    // same output as a Change after Init followed by a fresh Init.
    const EffectUnderTest& e = AllEffects()[1];
    const EffectValues v = CornerValues(e, 0x2b);
    SendValues(e, v);
    e.init(44100.0);
    std::vector<double> first = Sine(10000, 300.0, 20000.0, 44100.0);
    ProcessInBlocks(e, &first, 500);
    SendValues(e, e.range->defaults);
    SendValues(e, v);
    e.init(44100.0);
    std::vector<double> second = Sine(10000, 300.0, 20000.0, 44100.0);
    ProcessInBlocks(e, &second, 500);
    size_t at = 0;
    EXPECT_TRUE(BitIdentical(first, second, &at)) << at;
}

}  // namespace
