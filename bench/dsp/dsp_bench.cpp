// Speed of the four effects: each alone and the full chain as the player
// runs it (widen 16-bit samples, the four effects, gains, clip and round),
// over a 60-s 44.1 kHz stereo test file in 10-ms blocks, as a multiple of
// real time. Natively it also times sox on the same file through its
// nearest chain, in the same run. Plain std::chrono, so the very same loop
// builds for Windows and runs under Wine.
//   qbx_dsp_bench WORK_DIR
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/pcm16.h"
#include "bench/dsp/wav_file.h"
#include "model/effects.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr int kSeconds = 60;
constexpr int kBlockFrames = kRate / 100;  // 10 ms
constexpr int kRepeats = 3;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0)
{
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Music-like material: a few detuned partials, slow noise bursts and beats.
std::vector<int16_t> TestMaterial()
{
    std::vector<int16_t> pcm(2u * kRate * kSeconds);
    uint32_t noise = 1;
    for (size_t n = 0; n < pcm.size() / 2; ++n) {
        const double t = static_cast<double>(n) / kRate;
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        const double white = static_cast<double>(noise) / 4294967295.0 * 2.0 - 1.0;
        const double beat = std::exp(-12.0 * std::fmod(t, 0.5));
        const double tone = 0.25 * std::sin(2 * 3.14159265 * 220.0 * t) + 0.15 * std::sin(2 * 3.14159265 * 331.0 * t) +
                            0.1 * std::sin(2 * 3.14159265 * 442.5 * t);
        const double v = 16000.0 * (tone + 0.3 * beat * white);
        pcm[2 * n] = static_cast<int16_t>(std::lround(v));
        pcm[2 * n + 1] = static_cast<int16_t>(std::lround(0.9 * v));
    }
    return pcm;
}

void Prepare(const EffectEntry& e)
{
    SendValues(e, e.range->defaults);
    e.init(kRate);
}

// One effect over the whole file in 10-ms blocks; seconds of the best run.
double TimeEffect(const EffectEntry& e, const std::vector<int16_t>& pcm)
{
    std::vector<double> values(pcm.size());
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) {
        WidenPcm16(pcm.data(), static_cast<int>(pcm.size()), false, values.data());
        Prepare(e);
        const Clock::time_point t0 = Clock::now();
        for (size_t at = 0; at < values.size(); at += 2 * kBlockFrames) e.process(values.data() + at, 2 * kBlockFrames);
        best = std::min(best, Since(t0));
    }
    return best;
}

struct ChainTiming {
    double seconds;    // whole file, best run
    double meanBlock;  // per 10-ms block
    double p99Block;   // 99 % of the blocks took at most this
    double worstBlock; // includes whatever else the machine did meanwhile
};

// The whole file through the chain, block by block as the player does it.
// Odd runs clock every block (for the block figures), even runs only the
// whole file (for the speed, free of the clock reads).
ChainTiming TimeChain(const std::vector<int16_t>& pcm, std::vector<int16_t>* out)
{
    ChainTiming best = {1e30, 1e30, 0.0, 0.0};
    std::vector<double> block(2 * kBlockFrames);
    std::vector<double> blockTimes;
    const size_t blocks = pcm.size() / (2 * kBlockFrames);
    blockTimes.reserve(blocks);
    out->resize(pcm.size());
    for (int r = 0; r < 2 * kRepeats; ++r) {
        const bool clockBlocks = r % 2 == 1;
        for (const EffectEntry& e : kEffectEntries) Prepare(e);
        blockTimes.clear();
        const Clock::time_point t0 = Clock::now();
        for (size_t at = 0; at < pcm.size(); at += 2 * kBlockFrames) {
            Clock::time_point b0;
            if (clockBlocks) b0 = Clock::now();
            WidenPcm16(pcm.data() + at, 2 * kBlockFrames, false, block.data());
            for (const EffectEntry& e : kEffectEntries) e.process(block.data(), 2 * kBlockFrames);
            NarrowToPcm16(block.data(), out->data() + at, 2 * kBlockFrames, 1.0, 1.0);
            if (clockBlocks) blockTimes.push_back(Since(b0));
        }
        const double total = Since(t0);
        if (!clockBlocks) {
            best.seconds = std::min(best.seconds, total);
            continue;
        }
        std::sort(blockTimes.begin(), blockTimes.end());
        if (total / blocks < best.meanBlock) {
            best.meanBlock = total / blocks;
            best.p99Block = blockTimes[blockTimes.size() * 99 / 100];
            best.worstBlock = blockTimes.back();
        }
    }
    return best;
}

#ifndef _WIN32
// The sox chain on the same file; seconds of the best run, or a
// negative value when sox is missing.
double TimeSox(const std::string& in, const std::string& out)
{
    const std::string command = "sox -R -D '" + in + "' -b 16 '" + out +
                                "' phaser 0.8 0.74 3 0.4 0.5 -s flanger 0 2 0 71 0.5 sine 50 lin"
                                " chorus 0.7 0.9 55 0.4 0.25 2 -s echos 0.8 0.7 300 0.3 300 0.25 2>/dev/null";
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) {
        const Clock::time_point t0 = Clock::now();
        if (std::system(command.c_str()) != 0) return -1.0;
        best = std::min(best, Since(t0));
    }
    return best;
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string inPath = dir + "/bench_in.wav";
    const std::vector<int16_t> pcm = TestMaterial();
    if (!WriteStereoWav(inPath.c_str(), pcm, kRate)) {
        std::fprintf(stderr, "cannot write %s\n", inPath.c_str());
        return 1;
    }
    std::printf("60 s of 44.1 kHz stereo in 10-ms blocks, start-up values switched on (best of %d)\n", kRepeats);
    for (const EffectEntry& e : kEffectEntries) {
        const double s = TimeEffect(e, pcm);
        std::printf("  %-8s %8.0f x real time\n", e.module, kSeconds / s);
    }
    std::vector<int16_t> out;
    const ChainTiming chain = TimeChain(pcm, &out);
    std::printf("  chain    %8.0f x real time (widen, four effects, clip and round)\n", kSeconds / chain.seconds);
    std::printf("  10-ms block through the chain: mean %.1f us, 99 %% within %.1f us, worst %.1f us\n",
                chain.meanBlock * 1e6, chain.p99Block * 1e6, chain.worstBlock * 1e6);
    WriteStereoWav((dir + "/bench_chain.wav").c_str(), out, kRate);
#ifndef _WIN32
    const double sox = TimeSox(inPath, dir + "/bench_sox.wav");
    if (sox > 0) std::printf("  sox      %8.0f x real time (its nearest chain, file to file)\n", kSeconds / sox);
    else std::printf("  sox      not found\n");
#endif
    return 0;
}
