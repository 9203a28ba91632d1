// Init resets everything, works at every supported rate, and sizes the
// delay lines so that processing never allocates.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "tests/host/dsp/dsp_test_support.h"

// Counts every allocation of the test binary while g_countAllocations is set.
static std::atomic<bool> g_countAllocations{false};
static std::atomic<int> g_allocations{0};

void* operator new(std::size_t n)
{
    if (g_countAllocations.load()) ++g_allocations;
    void* p = std::malloc(n ? n : 1);
    if (!p) std::abort();
    return p;
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

const double kRates[] = {16000.0, 22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0};

TEST(Init, TwoRunsFromInitAreIdenticalAtEveryRate)
{
    for (double rate : kRates) {
        const int frames = static_cast<int>(rate * 0.6);
        const std::vector<double> input = WhiteNoise(frames, 32000.0, 5);
        for (const EffectUnderTest& e : AllEffects()) {
            SendValues(e, CornerValues(e, 0x3f));
            std::vector<double> runs[2];
            for (auto& out : runs) {
                e.init(rate);
                out = input;
                ProcessInBlocks(e, &out, 1000);
            }
            size_t at = 0;
            EXPECT_TRUE(BitIdentical(runs[0], runs[1], &at)) << e.name << " at " << rate << " Hz differs at " << at;
            EXPECT_FALSE(BitIdentical(runs[0], input, &at)) << e.name << " at " << rate << " Hz did nothing";
        }
    }
}

TEST(Init, ForgetsTheEchoesOfThePreviousRun)
{
    for (const EffectUnderTest& e : AllEffects()) {
        EffectValues v = e.range->highest;
        SendValues(e, v);
        e.init(44100.0);
        std::vector<double> loud = WhiteNoise(44100, 32767.0, 3);
        ProcessInBlocks(e, &loud, 4410);
        e.init(44100.0);
        std::vector<double> silence(2 * 44100, 0.0);
        ProcessInBlocks(e, &silence, 4410);
        EXPECT_EQ(PeakAbs(silence), 0.0) << e.name;
    }
}

TEST(Init, LongestDelayFitsAtTheHighestRate)
{
    // The C-Delay at 1000 ms: a click comes back one second later, at 192 kHz
    // as at 16 kHz.
    const EffectUnderTest& e = AllEffects()[3];
    for (double rate : {16000.0, 192000.0}) {
        SendValues(e, EffectValues{1000.00003, 0.2, 0.0, 0.5, 0.4890275, 0.0});
        e.init(rate);
        const int frames = static_cast<int>(rate * 1.2);
        std::vector<double> v = Impulse(frames, 30000.0);
        ProcessInBlocks(e, &v, 4096);
        size_t peakAt = 0;
        double peak = 0.0;
        for (size_t i = 2 * static_cast<size_t>(rate * 0.5); i < v.size(); i += 2) {
            if (std::fabs(v[i]) > peak) {
                peak = std::fabs(v[i]);
                peakAt = i / 2;
            }
        }
        EXPECT_NEAR(static_cast<double>(peakAt) / rate, 1.0, 0.0003) << rate;
        EXPECT_GT(peak, 10000.0) << rate;
    }
}

TEST(Init, ProcessingAndChangesNeverAllocate)
{
    for (const EffectUnderTest& e : AllEffects()) {
        SendValues(e, e.range->defaults);
        e.init(192000.0);
        std::vector<double> v = WhiteNoise(96000, 20000.0, 9);
        g_allocations = 0;
        g_countAllocations = true;
        for (int corner = 0; corner < 64; corner += 7) {
            SendValues(e, CornerValues(e, corner));
            ProcessInBlocks(e, &v, 3000);
        }
        g_countAllocations = false;
        EXPECT_EQ(g_allocations.load(), 0) << e.name;
    }
}

TEST(Init, ProcessingBeforeInitOrWithOddCountsStaysInsideTheBuffer)
{
    // An odd count processes the whole frames and leaves the stray value.
    for (const EffectUnderTest& e : AllEffects()) {
        SendValues(e, e.range->defaults);
        e.init(44100.0);
        std::vector<double> v = {1000.0, 2000.0, 3000.0};
        e.process(v.data(), 3);
        EXPECT_EQ(v[2], 3000.0) << e.name;
        e.process(nullptr, 100);
        e.process(v.data(), -4);
        e.process(v.data(), 1);
        EXPECT_EQ(v[2], 3000.0) << e.name;
    }
}

TEST(Init, AbsurdRatesStillGiveFiniteOutput)
{
    for (const EffectUnderTest& e : AllEffects()) {
        for (double rate : {0.0, -5.0, std::nan(""), 1e12}) {
            SendValues(e, e.range->highest);
            e.init(rate);
            std::vector<double> v = WhiteNoise(4000, 32767.0, 2);
            ProcessInBlocks(e, &v, 800);
            for (double x : v) ASSERT_TRUE(std::isfinite(x)) << e.name << " at " << rate;
        }
        e.init(44100.0);
    }
}

}  // namespace
