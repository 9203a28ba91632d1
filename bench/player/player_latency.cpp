// How the player keeps up: for each latency, a 30-second stereo file played
// through all four effects into the test bed's recording sink. Reports
// whether the recording is continuous (every frame once, in order, no
// silence inside the stream) and the refill time per block as a share of
// the block's playing time. Run inside scripts/testbed.sh.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/source_format.h"
#include "player/engine.h"
#include "player/player.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/player/player_harness.h"

namespace {

// The recording from frame from against expected, by the tests' one
// comparison; whether the stream was found at all.
bool Hear(size_t from, const std::vector<int16_t>& expected, Hearing* h)
{
    const std::vector<int16_t> recorded = ReadRecording(from);
    const long start = StreamStartOf(recorded, expected);
    if (start < 0) return false;
    *h = CompareRecording(std::vector<int16_t>(recorded.begin() + 2 * start, recorded.end()), expected);
    return true;
}

void PrintRow(const std::string& label, uint32_t blockSize, bool found, const Hearing& h, long frames,
              const RefillStats* stats)
{
    const long heard = !found ? 0 : h.firstWrong < 0 ? frames : h.firstWrong;
    const bool continuous = found && h.firstWrong < 0 && h.dropouts.empty();
    std::printf("| %10s | %6u | %-10s | %4zu | %8.1f | %8ld/%ld |", label.c_str(), blockSize, continuous ? "yes" : "no",
                h.dropouts.size(), h.droppedFrames * 1000.0 / 44100.0, heard, frames);
    if (stats) {
        const double blockSeconds = blockSize / 4 / 44100.0;
        const double mean = stats->refills ? stats->totalSeconds / stats->refills : 0.0;
        std::printf(" %7.3f | %7.3f | %6.2f %% | %6.2f %% |\n", mean * 1000.0, stats->longestSeconds * 1000.0,
                    100.0 * mean / blockSeconds, 100.0 * stats->longestSeconds / blockSeconds);
    } else {
        std::printf(" - | - | - | - |\n");
    }
    if (h.firstWrong >= 0) std::printf("       sound differs from frame %ld\n", h.firstWrong);
    for (size_t i = 0; i < h.dropouts.size() && (i < 6 || !stats); ++i)  // all of the bare path's
        std::printf("       gap of %.1f ms before stream frame %zu (block %zu)\n",
                    h.dropouts[i].frames * 1000.0 / 44100.0, h.dropouts[i].beforeFrame,
                    h.dropouts[i].beforeFrame / (blockSize / 4) + 1);
    std::fflush(stdout);
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
    Hearing h;
    const bool found = Hear(from, expected, &h);
    PrintRow(std::to_string(latencyMs), blockSize, found, h, static_cast<long>(expected.size() / 2), &stats);
}

// The same rendered sound queued on the device in one buffer, silence
// behind it, without the player: what the path from wave-out to the sink
// loses by itself on this machine at this moment.
void MeasureOneBuffer(const std::vector<int16_t>& expected)
{
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    const HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, 0, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT)) {
        std::printf("one buffer: the device did not open\n");
        CloseHandle(done);
        return;
    }
    std::vector<int16_t> data = expected;
    data.resize(expected.size() + 2 * 44100 / 2, 0);
    WAVEHDR header = {};
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = static_cast<DWORD>(data.size() * sizeof(int16_t));
    const size_t from = RecordingFrames();
    waveOutPrepareHeader(device, &header, sizeof(header));
    waveOutWrite(device, &header, sizeof(header));
    while (!(header.dwFlags & WHDR_DONE)) WaitForSingleObject(done, 100);
    PumpFor(300);
    waveOutUnprepareHeader(device, &header, sizeof(header));
    waveOutClose(device);
    CloseHandle(done);
    Hearing h;
    const bool found = Hear(from, expected, &h);
    PrintRow("one buffer", static_cast<uint32_t>(header.dwBufferLength), found, h,
             static_cast<long>(expected.size() / 2), nullptr);
}

}  // namespace

// Optional arguments: the latencies to measure (default 10 20 50 150). A
// last row plays the rendered sound as one buffer without the player, so
// that gaps the machine's sound path makes by itself can be told apart.
int main(int argc, char** argv)
{
    if (RecordingPath().empty()) {
        std::printf("QBX_RECORDING is not set: run inside scripts/testbed.sh\n");
        return 2;
    }
    TempDir dir;
    TransportPanel panel = CreateTransportPanel();
    const std::vector<int16_t> samples = TestSignal(30 * 44100, 2, 99);
    std::printf("|    latency | block bytes | continuous | gaps | gap ms | frames heard | refill mean ms | "
                "refill max ms | mean share | max share |\n");
    std::vector<int> latencies;
    for (int i = 1; i < argc; ++i) latencies.push_back(std::atoi(argv[i]));
    if (latencies.empty()) latencies = {10, 20, 50, 150};
    for (int latency : latencies) Measure(latency, dir, samples, panel);
    SetUpAllEffects(44100);
    MeasureOneBuffer(RenderOffline(samples, 2, LatencyToBytesAtRate(20, 44100), {1, 2, 3, 4}));
    DestroyTransportPanel(&panel);
    return 0;
}
