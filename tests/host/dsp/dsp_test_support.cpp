#include "tests/host/dsp/dsp_test_support.h"

#include <cmath>
#include <cstring>

const std::vector<EffectUnderTest>& AllEffects()
{
    static const std::vector<EffectUnderTest> effects(kEffectEntries, kEffectEntries + kEffectCount);
    return effects;
}

EffectValues CornerValues(const EffectUnderTest& e, int corner)
{
    const EffectRange& r = *e.range;
    auto pick = [&](int bit, double lo, double hi) { return (corner >> bit) & 1 ? hi : lo; };
    EffectValues v;
    v.freq = pick(0, r.lowest.freq, r.highest.freq);
    if (r.depthIsShareOfFreq) {
        // The depth knob sets a share of freq: its ends are the shares.
        const double share = pick(1, r.lowest.depth / r.lowest.freq, r.highest.depth / r.highest.freq);
        v.depth = share * v.freq;
    } else {
        v.depth = pick(1, r.lowest.depth, r.highest.depth);
    }
    v.rate = pick(2, r.lowest.rate, r.highest.rate);
    v.mix = pick(3, r.lowest.mix, r.highest.mix);
    v.degree = pick(4, r.lowest.degree, r.highest.degree);
    v.feed = pick(5, r.lowest.feed, r.highest.feed);
    return v;
}

std::vector<double> Sine(int frames, double hz, double amplitude, double rate, double rightPhase)
{
    std::vector<double> v(2 * static_cast<size_t>(frames));
    const double w = 2.0 * 3.141592653589793 * hz / rate;
    for (int n = 0; n < frames; ++n) {
        v[2 * n] = std::round(amplitude * std::sin(w * n));
        v[2 * n + 1] = std::round(amplitude * std::sin(w * n + rightPhase));
    }
    return v;
}

std::vector<double> WhiteNoise(int frames, double amplitude, uint32_t seed)
{
    std::vector<double> v(2 * static_cast<size_t>(frames));
    uint32_t x = seed ? seed : 1;
    for (double& s : v) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s = std::round((static_cast<double>(x) / 4294967295.0 * 2.0 - 1.0) * amplitude);
    }
    return v;
}

std::vector<double> Impulse(int frames, double amplitude)
{
    std::vector<double> v(2 * static_cast<size_t>(frames), 0.0);
    v[0] = v[1] = amplitude;
    return v;
}

void ProcessInBlocks(const EffectUnderTest& e, std::vector<double>* buffer, int blockValues)
{
    const size_t total = buffer->size();
    for (size_t at = 0; at < total; at += blockValues) {
        const size_t n = total - at < static_cast<size_t>(blockValues) ? total - at : blockValues;
        e.process(buffer->data() + at, static_cast<int>(n));
    }
}

bool BitIdentical(const std::vector<double>& a, const std::vector<double>& b, size_t* firstDifference)
{
    if (a.size() != b.size()) {
        *firstDifference = 0;
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0) {
            *firstDifference = i;
            return false;
        }
    }
    return true;
}

double PeakAbs(const std::vector<double>& v, size_t from, size_t to)
{
    if (to > v.size()) to = v.size();
    double peak = 0.0;
    for (size_t i = from; i < to; ++i) peak = std::fmax(peak, std::fabs(v[i]));
    return peak;
}
