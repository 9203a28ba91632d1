// The effect DLLs as qbx15 and the player load them: mix 0 leaves the
// samples alone, the blocking of the stream does not change the sound, and
// Change calls from another thread while a block is processed are safe.
#include "model/effects.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Every knob at its maximum, mix as given.
void Send(const EffectEntry& d, double mix)
{
    EffectValues v = d.range->highest;
    v.mix = mix;
    SendValues(d, v);
}

std::vector<double> Noise(size_t values)
{
    std::vector<double> v(values);
    uint32_t x = 2463534242u;
    for (double& s : v) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s = static_cast<double>(static_cast<int32_t>(x) >> 16);  // -32768 .. 32767
    }
    return v;
}

// Runs the effect from Init over a copy of input, cut into blocks of the
// given sizes in turn.
std::vector<double> RunFromInit(const EffectEntry& d, double mix, const std::vector<double>& input,
                                const std::vector<int>& sizes)
{
    Send(d, mix);
    d.init(44100.0);
    std::vector<double> v = input;
    size_t at = 0;
    for (size_t i = 0; at < v.size(); ++i) {
        const int n = static_cast<int>(std::min<size_t>(sizes[i % sizes.size()], v.size() - at));
        d.process(v.data() + at, n);
        at += n;
    }
    return v;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(EffectDlls, MixZeroLeavesTheSamplesBitIdentical)
{
    const std::vector<double> input = Noise(2 * 44100);
    for (const EffectEntry& d : kEffectEntries) EXPECT_TRUE(SameBits(RunFromInit(d, 0.0, input, {6614}), input)) << d.module;
}

TEST(EffectDlls, BlockingDoesNotChangeTheOutput)
{
    const std::vector<double> input = Noise(2 * 44100);
    for (const EffectEntry& d : kEffectEntries) {
        const std::vector<double> whole = RunFromInit(d, 0.5, input, {static_cast<int>(input.size())});
        const std::vector<double> cut = RunFromInit(d, 0.5, input, {0, 2, 882, 2, 13230, 0, 4});
        EXPECT_TRUE(SameBits(whole, cut)) << d.module;
        EXPECT_FALSE(SameBits(whole, input)) << d.module << " did nothing";
    }
}

struct Hammer {
    const EffectEntry* dll;
    volatile LONG stop;
};

DWORD WINAPI TurnKnobs(void* arg)
{
    Hammer* h = static_cast<Hammer*>(arg);
    for (int i = 0; !h->stop; ++i) {
        // Sweeps every knob between its two ends, the way a drag would.
        const double k = (i % 100) / 99.0;
        const EffectValues& lo = h->dll->range->lowest;
        const EffectValues& hi = h->dll->range->highest;
        auto at = [k](double a, double b) { return a + k * (b - a); };
        h->dll->change(at(lo.freq, hi.freq), at(lo.depth, hi.depth), at(lo.rate, hi.rate), at(lo.mix, hi.mix),
                       at(lo.degree, hi.degree), at(lo.feed, hi.feed));
    }
    return 0;
}

TEST(EffectDlls, ChangeFromAnotherThreadDuringProcessingIsSafe)
{
    for (const EffectEntry& d : kEffectEntries) {
        Send(d, 0.5);
        d.init(48000.0);
        Hammer h = {&d, 0};
        HANDLE thread = CreateThread(nullptr, 0, TurnKnobs, &h, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        std::vector<double> v = Noise(2 * 48000 * 3);
        for (size_t at = 0; at < v.size(); at += 960) d.process(v.data() + at, 960);
        InterlockedExchange(&h.stop, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        double peak = 0.0;
        for (double x : v) {
            ASSERT_TRUE(std::isfinite(x)) << d.module;
            peak = std::fmax(peak, std::fabs(x));
        }
        EXPECT_LE(peak, 2.5 * 32768.0) << d.module;
    }
}

}  // namespace
