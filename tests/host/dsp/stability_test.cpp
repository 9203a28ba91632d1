// Every knob at its minimum or maximum (all 64 corners), full-scale white
// noise and full-scale square waves at 44.1 kHz: the output stays finite and
// within 2.5 x full scale (81920), the bound the soft-limited feedback paths
// guarantee. Each corner runs for 60 trips round its longest delay (freq +
// depth ms; the phaser's all-pass loop is a few samples), at least 5 s, ten
// sweeps of the fastest LFO (2 Hz): by then a recirculating echo at the
// highest feed has built up to within 0.9^60 of where it ends. Only the
// C-Delay's one-second corners need the full 60 s. QBX_DSP_LONG=1 runs every
// corner for 60 s. Silence after loud input is flushed to zero.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>

#include "tests/host/dsp/dsp_test_support.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kBound = 2.5 * 32768.0;
constexpr int kBlockFrames = 4410;

// The effect's index, and square waves (true) or white noise.
using StabilityCase = std::tuple<int, bool>;

class Stability : public ::testing::TestWithParam<StabilityCase> {};

long FramesAtCorner(int effect, const EffectValues& v)
{
    const char* longRun = std::getenv("QBX_DSP_LONG");
    if (longRun && std::strcmp(longRun, "1") == 0) return static_cast<long>(kRate * 60);
    const double loopSeconds = effect == 0 ? 0.0 : (v.freq + v.depth) / 1000.0;
    return static_cast<long>(kRate * std::clamp(60 * loopSeconds, 5.0, 60.0));
}

// Fills one block of the test signal, continuing from frame 'at'.
void FillBlock(bool square, uint32_t* noise, long at, std::vector<double>* block)
{
    for (int n = 0; n < kBlockFrames; ++n) {
        if (square) {
            // 441 Hz left, 97 Hz right: both full scale.
            const long f = at + n;
            (*block)[2 * n] = (f / 50) % 2 ? -32768.0 : 32767.0;
            (*block)[2 * n + 1] = (f * 97 / 22050) % 2 ? -32768.0 : 32767.0;
        } else {
            for (int ch = 0; ch < 2; ++ch) {
                uint32_t x = *noise;
                x ^= x << 13;
                x ^= x >> 17;
                x ^= x << 5;
                *noise = x;
                (*block)[2 * n + ch] = std::round(static_cast<double>(x) / 4294967295.0 * 65535.0 - 32768.0);
            }
        }
    }
}

TEST_P(Stability, EveryCornerStaysFiniteAndBoundedOnceSettled)
{
    const auto [effect, square] = GetParam();
    const EffectUnderTest& e = AllEffects()[effect];
    std::vector<double> block(2 * kBlockFrames);
    for (int corner = 0; corner < 64; ++corner) {
        const EffectValues values = CornerValues(e, corner);
        const long frames = FramesAtCorner(effect, values);
        SendValues(e, values);
        e.init(kRate);
        uint32_t noise = 12345;
        double peak = 0.0;
        bool finite = true;
        for (long at = 0; at < frames; at += kBlockFrames) {
            FillBlock(square, &noise, at, &block);
            e.process(block.data(), static_cast<int>(block.size()));
            for (double x : block) {
                finite = finite && std::isfinite(x);
                peak = std::fmax(peak, std::fabs(x));
            }
        }
        EXPECT_TRUE(finite) << e.name << " corner " << corner;
        EXPECT_LE(peak, kBound) << e.name << " corner " << corner;
    }
}

std::string CaseName(const ::testing::TestParamInfo<StabilityCase>& info)
{
    static const char* const names[] = {"Phaser", "Flanger", "Chorus", "CDelay"};
    return std::string(names[std::get<0>(info.param)]) + (std::get<1>(info.param) ? "Square" : "Noise");
}

INSTANTIATE_TEST_SUITE_P(AllEffects, Stability, ::testing::Combine(::testing::Range(0, 4), ::testing::Bool()),
                         CaseName);

TEST(Denormals, SilenceAfterLoudInputIsFlushedToZero)
{
    for (const EffectUnderTest& e : AllEffects()) {
        for (const EffectValues& v : {e.range->defaults, CornerValues(e, 0x3f), CornerValues(e, 0x28)}) {
            SendValues(e, v);
            e.init(kRate);
            std::vector<double> block(2 * kBlockFrames);
            uint32_t noise = 99;
            int subnormals = 0;
            for (int i = 0; i < 150; ++i) {  // 5 s loud, then 10 s of silence
                const bool loud = i < 50;
                if (loud) FillBlock(false, &noise, 0, &block);
                else std::fill(block.begin(), block.end(), 0.0);
                e.process(block.data(), static_cast<int>(block.size()));
                if (!loud)
                    for (double x : block) subnormals += std::fpclassify(x) == FP_SUBNORMAL;
            }
            EXPECT_EQ(subnormals, 0) << e.name << " (mix " << v.mix << ", feed " << v.feed << ")";
        }
    }
}

}  // namespace
