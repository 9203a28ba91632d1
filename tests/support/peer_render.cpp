#include "tests/support/peer_render.h"

#include <algorithm>
#include <cmath>

#include "model/effect_entry_points.h"

namespace {

using ChangeCall = void (*)(double, double, double, double, double, double);
using ProcessCall = void (*)(double*, int);

struct StartValues {
    ChangeCall change;
    ProcessCall process;
    double freq, depth, rate, mix, degree, feed;
};

// Each effect's values at the program's start, indexed by effect id - 1.
const StartValues kEffects[] = {
    {ChangePhaser, Phaser, 700.0, 382.2, 0.3, 0.5, 90.0, 0.375},
    {ChangeFlanger, Flanger, 2.975, 0.86275, 0.4, 0.5, 45.0, 0.4},
    {ChangeChorus, Chorus, 26.26, 4.35916, 0.26, 0.5, 180.0, 0.07},
    {ChangeChDelay, ChDelay, 350.0, 3.5, 0.3, 0.5, 180.0, 0.45},
};

}  // namespace

void StartEffectsAsTheProgramDoes(double rate, std::initializer_list<int> switchedOn)
{
    InitPhaser(rate);
    InitFlanger(rate);
    InitChorus(rate);
    InitChDelay(rate);
    for (int id = kPeerPhaser; id <= kPeerChDelay; ++id) {
        const StartValues& v = kEffects[id - 1];
        const bool on = std::find(switchedOn.begin(), switchedOn.end(), id) != switchedOn.end();
        v.change(v.freq, v.depth, v.rate, on ? v.mix : 0.0, v.degree, v.feed);
    }
}

int16_t Pcm16Of(double value)
{
    value = std::min(32767.0, std::max(-32768.0, value));
    const double t = std::trunc(value);
    const double rest = value - t;
    return static_cast<int16_t>(rest > 0.5 ? t + 1 : rest < -0.5 ? t - 1 : t);
}

std::vector<int16_t> RenderOffline(const std::vector<int16_t>& samples, int channels, uint32_t blockBytes,
                                   const std::vector<int16_t>& patch, double gain)
{
    const size_t perBlock = channels == 1 ? blockBytes / 4 : blockBytes / 2;  // source samples per block
    std::vector<int16_t> out;
    out.reserve(channels == 1 ? 2 * samples.size() : samples.size());
    std::vector<double> values(blockBytes / 2);
    for (size_t at = 0; at < samples.size(); at += perBlock) {
        const size_t count = std::min(perBlock, samples.size() - at);
        const size_t copies = channels == 1 ? 2 : 1;
        for (size_t i = 0; i < count; ++i)
            for (size_t c = 0; c < copies; ++c) values[i * copies + c] = samples[at + i];
        const int n = static_cast<int>(count * copies);
        for (int16_t id : patch)
            if (id >= kPeerPhaser && id <= kPeerChDelay) kEffects[id - 1].process(values.data(), n);
        for (int i = 0; i < n; ++i) out.push_back(Pcm16Of(values[i] * gain));
    }
    return out;
}
