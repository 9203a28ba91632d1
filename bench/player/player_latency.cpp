// How the player keeps up: for each latency, a 30-second stereo file played
// through all four effects into the test bed's recording sink. Reports
// whether the recording is continuous (every frame once, in order, no
// silence inside the stream) and the refill time per block as a share of
// the block's playing time. Run inside scripts/testbed.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/latency.h"
#include "player/player.h"
#include "player/refill_engine.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/player/player_harness.h"

namespace {

struct Continuity {
    bool firstFound = false;
    long framesHeard = 0;   // sounding frames that matched, in order
    long firstWrong = -1;   // stream frame where the sound differs, -1 none
    int gaps = 0;           // silent runs inside the stream
    long gapFrames = 0;
    std::vector<long> gapAt;  // stream frames before which the first gaps came
    long gapLength[6] = {};   // and their lengths in frames
};

Continuity Analyse(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected)
{
    Continuity c;
    size_t at = 0;
    while (at + 1 < recorded.size() && !(recorded[at] == expected[0] && recorded[at + 1] == expected[1])) at += 2;
    if (at + 1 >= recorded.size()) return c;
    c.firstFound = true;
    size_t want = 0;
    bool inGap = false;
    for (; at + 1 < recorded.size() && want < expected.size(); at += 2) {
        if (recorded[at] == 0 && recorded[at + 1] == 0) {
            if (!inGap && ++c.gaps <= 6) c.gapAt.push_back(static_cast<long>(want / 2));
            if (c.gaps <= 6) ++c.gapLength[c.gaps - 1];
            inGap = true;
            ++c.gapFrames;
            continue;
        }
        inGap = false;
        if (recorded[at] != expected[want] || recorded[at + 1] != expected[want + 1]) {
            c.firstWrong = static_cast<long>(want / 2);
            break;
        }
        want += 2;
    }
    c.framesHeard = static_cast<long>(want / 2);
    return c;
}

void Measure(int latencyMs, const TempDir& dir, const std::vector<int16_t>& samples, const TransportPanel& panel)
{
    const std::vector<int16_t> patch = {1, 2, 3, 4};
    const uint32_t blockSize = static_cast<uint32_t>(LatencyToBytesAtRate(latencyMs, 44100));
    const std::string path = dir.File("latency" + std::to_string(latencyMs) + ".wav");
    WriteTestWave(path, samples, 2);

    NotifyChangesToPlayer(patch.data(), 4);
    SetUpAllEffects(44100);
    ResetRefillStats();
    const size_t from = RecordingFrames();
    if (Play(panel.play, panel.stop, panel.pause, panel.greenLed, panel.redLed, 0, path.c_str(), 0, blockSize)) {
        std::printf("%4d ms: the start failed\n", latencyMs);
        return;
    }
    PumpUntil([&] { return IsWindowEnabled(panel.play) != FALSE; }, 60000);
    const RefillStats stats = CurrentRefillStats();
    PumpFor(1500);  // the sink's tail

    SetUpAllEffects(44100);
    const std::vector<int16_t> expected = RenderOffline(samples, 2, blockSize, patch);
    const Continuity c = Analyse(ReadRecording(from), expected);
    const double blockSeconds = blockSize / 4 / 44100.0;
    const double mean = stats.refills ? stats.totalSeconds / stats.refills : 0.0;
    const bool continuous = c.firstFound && c.firstWrong < 0 && c.gaps == 0 &&
                            c.framesHeard == static_cast<long>(expected.size() / 2);
    std::printf("| %4d | %6u | %-10s | %4d | %8.1f | %8ld/%ld | %7.3f | %7.3f | %6.2f %% | %6.2f %% |\n", latencyMs,
                blockSize, continuous ? "yes" : "no", c.gaps, c.gapFrames * 1000.0 / 44100.0, c.framesHeard,
                static_cast<long>(expected.size() / 2), mean * 1000.0, stats.longestSeconds * 1000.0,
                100.0 * mean / blockSeconds, 100.0 * stats.longestSeconds / blockSeconds);
    if (c.firstWrong >= 0) std::printf("       sound differs from frame %ld\n", c.firstWrong);
    for (size_t i = 0; i < c.gapAt.size(); ++i)
        std::printf("       gap of %.1f ms before stream frame %ld (block %ld)\n", c.gapLength[i] * 1000.0 / 44100.0,
                    c.gapAt[i], c.gapAt[i] / (blockSize / 4) + 1);
    std::fflush(stdout);
}

}  // namespace

// Optional arguments: the latencies to measure (default 10 20 50 150).
int main(int argc, char** argv)
{
    if (RecordingPath().empty()) {
        std::printf("QBX_RECORDING is not set: run inside scripts/testbed.sh\n");
        return 2;
    }
    TempDir dir;
    TransportPanel panel = CreateTransportPanel();
    const std::vector<int16_t> samples = TestSignal(30 * 44100, 2, 99);
    std::printf("| latency ms | block bytes | continuous | gaps | gap ms | frames heard | refill mean ms | "
                "refill max ms | mean share | max share |\n");
    std::vector<int> latencies;
    for (int i = 1; i < argc; ++i) latencies.push_back(std::atoi(argv[i]));
    if (latencies.empty()) latencies = {10, 20, 50, 150};
    for (int latency : latencies) Measure(latency, dir, samples, panel);
    DestroyTransportPanel(&panel);
    return 0;
}
