// Renders each effect at its start-up values and with every knob at its
// maximum onto a test signal that shows what it does (noise for the phaser
// and flanger notches, a harmonic tone for the chorus smear, short bursts
// for the C-Delay's repeats), as 16-bit WAV files NAME_default.wav and
// NAME_extreme.wav, plus the dry signals NAME_dry.wav.
//   qbx_dsp_render OUT_DIR
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/pcm16.h"
#include "bench/dsp/wav_file.h"
#include "model/effects.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr int kFrames = kRate * 6;
constexpr double kTwoPi = 6.283185307179586;

std::vector<double> TestSignal(int effect)
{
    std::vector<double> v(2 * kFrames);
    uint32_t noise = 7;
    for (int n = 0; n < kFrames; ++n) {
        const double t = static_cast<double>(n) / kRate;
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const double white = static_cast<double>(noise) / 4294967295.0 * 2.0 - 1.0;
        double x = 0.0;
        if (effect <= 1) {
            x = 10000.0 * white;
        } else if (effect == 2) {
            for (int k = 1; k <= 24; ++k) x += std::sin(kTwoPi * 220.0 * k * t) / k;
            x *= 9000.0;
        } else {
            const double inBurst = std::fmod(t, 2.0);
            x = inBurst < 0.06 ? 16000.0 * white * (1.0 - inBurst / 0.06) : 0.0;
        }
        v[2 * n] = v[2 * n + 1] = std::round(x);
    }
    return v;
}

bool Write(const std::string& path, std::vector<double> values)
{
    std::vector<int16_t> pcm(values.size());
    NarrowToPcm16(values.data(), pcm.data(), static_cast<int>(values.size()), 1.0, 1.0);
    const bool ok = WriteStereoWav(path.c_str(), pcm, kRate);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const EffectEntry& e = kEffectEntries[i];
        const std::vector<double> dry = TestSignal(i);
        ok = Write(dir + "/" + e.module + "_dry.wav", dry) && ok;
        const EffectValues* settings[2] = {&e.range->defaults, &e.range->highest};
        const char* names[2] = {"default", "extreme"};
        for (int s = 0; s < 2; ++s) {
            SendValues(e, *settings[s]);
            e.init(kRate);
            std::vector<double> wet = dry;
            for (size_t at = 0; at < wet.size(); at += 882) e.process(wet.data() + at, 882);
            ok = Write(dir + "/" + e.module + "_" + names[s] + ".wav", wet) && ok;
        }
    }
    return ok ? 0 : 1;
}
