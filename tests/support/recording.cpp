#include "tests/support/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kFramesPerMs = 44.1;

// What the bed's sound path puts inside a stream by itself, from
// bench/player's qbx_player_latency.exe: its "one buffer" row queues 30 s
// of sound on the device in one buffer, without the player, and lists the
// silent runs the sink recorded inside it. In scripts/testbed.sh beside
// other builds, as the tests run, the worst of eight such runs held 151
// silent runs, 3.6 s in all; its worst 0.45 s held 16 runs and 430 ms, its
// worst 2.5 s (the longest stream a test plays) 47 runs and 1065 ms, about
// 19 runs and 430 ms a second. The tests' own streams, under the same load,
// came to four fifths of that (47 runs in 2.3 s; 489 ms at once as a stream
// began), so a stream may hold twice such a burst and twice that rate over
// its length. The platform's runs fall on its own 10 ms periods, so on the
// player's block boundaries now and then by chance: only runs on at least
// two block boundaries that are half the stream's boundaries and half of
// all its runs recur with the refills.
struct PlatformDropouts {
    size_t burstRuns;
    double burstMs;
    double runsPerSecond;
    double msPerSecond;
    size_t recurringOnBlocks;
};
constexpr PlatformDropouts kBarePathDropouts = {2 * 16, 2 * 430.0, 2 * 19.0, 2 * 430.0, 2};

bool Silent(const std::vector<int16_t>& s, size_t frame) { return s[2 * frame] == 0 && s[2 * frame + 1] == 0; }

bool SameFrame(const std::vector<int16_t>& a, size_t i, const std::vector<int16_t>& b, size_t j)
{
    return a[2 * i] == b[2 * j] && a[2 * i + 1] == b[2 * j + 1];
}

size_t LeadingSilentFrames(const std::vector<int16_t>& s)
{
    size_t n = 0;
    while (n < s.size() / 2 && Silent(s, n)) ++n;
    return n;
}

}  // namespace

std::string RecordingPath()
{
    char unixPath[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("QBX_RECORDING", unixPath, sizeof unixPath);
    if (n == 0 || n >= sizeof unixPath) return "";
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

size_t RecordingFrames()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(RecordingPath().c_str(), GetFileExInfoStandard, &data)) return 0;
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<size_t>(size / 4);
}

std::vector<int16_t> ReadRecording(size_t fromFrame)
{
    std::vector<int16_t> out;
    HANDLE file = CreateFileA(RecordingPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return out;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(fromFrame) * 4;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    std::vector<int16_t> chunk(65536);
    DWORD got = 0;
    while (ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size() * 2), &got, nullptr) && got > 0)
        out.insert(out.end(), chunk.begin(), chunk.begin() + got / 2);
    CloseHandle(file);
    out.resize(out.size() / 2 * 2);
    return out;
}

std::vector<int16_t> WithoutSilence(const std::vector<int16_t>& samples)
{
    std::vector<int16_t> out;
    out.reserve(samples.size());
    for (size_t f = 0; f < samples.size() / 2; ++f)
        if (!Silent(samples, f)) out.insert(out.end(), {samples[2 * f], samples[2 * f + 1]});
    return out;
}

// A single frame cannot mark the start (the signal may repeat it): a run of
// sounding frames does.
long FindStreamStart(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted)
{
    const size_t frames = recorded.size() / 2;
    const size_t need = std::min<size_t>(32, wanted.size() / 2);
    if (need == 0) return -1;
    for (size_t p = 0; p < frames; ++p) {
        if (!SameFrame(recorded, p, wanted, 0)) continue;
        size_t matched = 0;
        for (size_t q = p; q < frames && matched < need; ++q) {
            if (Silent(recorded, q)) continue;
            if (!SameFrame(recorded, q, wanted, matched)) break;
            ++matched;
        }
        if (matched == need) return static_cast<long>(p);
    }
    return -1;
}

// Processed sound may open with silent frames of its own: the stream begins
// that many frames before its first sounding one.
long StreamStartOf(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected)
{
    const long first = FindStreamStart(recorded, WithoutSilence(expected));
    if (first < 0) return -1;
    return std::max(0L, first - static_cast<long>(LeadingSilentFrames(expected)));
}

std::vector<int16_t> WaitForStream(size_t fromFrame, const std::vector<int16_t>& expected, DWORD timeoutMs)
{
    std::vector<int16_t> stream;
    const size_t sounding = WithoutSilence(expected).size();
    if (sounding == 0) return stream;
    auto heard = [&] {
        const std::vector<int16_t> recorded = ReadRecording(fromFrame);
        const long first = StreamStartOf(recorded, expected);
        if (first < 0) return false;
        stream.assign(recorded.begin() + 2 * first, recorded.end());
        return WithoutSilence(stream).size() >= sounding;
    };
    if (PumpUntil(heard, timeoutMs)) {
        PumpFor(300);  // anything sounding after the stream would come now
        heard();
    }
    return stream;
}

Hearing CompareRecording(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected)
{
    Hearing h;
    const size_t want = expected.size() / 2;
    h.frames = want;
    const size_t have = recorded.size() / 2;
    size_t i = 0;
    size_t j = 0;
    while (i < want && j < have) {
        if (SameFrame(recorded, j, expected, i)) {
            ++i;
            ++j;
        } else if (Silent(recorded, j)) {
            const size_t runStart = j;
            while (j < have && Silent(recorded, j)) ++j;
            h.dropouts.push_back({i, j - runStart});
            h.droppedFrames += j - runStart;
            if (j < have && !SameFrame(recorded, j, expected, i)) break;
        } else {
            break;
        }
    }
    h.stoppedAt = j;
    if (i < want) {
        h.firstWrong = static_cast<long>(i);
        return h;
    }
    for (; j < have; ++j)
        if (!Silent(recorded, j)) ++h.soundingAfter;
    return h;
}

std::string DropoutsOfOurs(const Hearing& h, size_t blockFrames, size_t firstFrame)
{
    const PlatformDropouts& bare = kBarePathDropouts;
    const double seconds = h.frames / (1000.0 * kFramesPerMs);
    const double runs = bare.burstRuns + bare.runsPerSecond * seconds;
    const double ms = bare.burstMs + bare.msPerSecond * seconds;
    size_t onBlocks = 0;
    for (const Dropout& d : h.dropouts)
        if ((firstFrame + d.beforeFrame) % blockFrames == 0) ++onBlocks;
    const size_t boundaries = (firstFrame + h.frames - 1) / blockFrames - firstFrame / blockFrames;
    const bool recurring = onBlocks >= bare.recurringOnBlocks && 2 * onBlocks >= boundaries &&
                           2 * onBlocks >= h.dropouts.size();
    if (h.dropouts.size() <= runs && h.droppedFrames / kFramesPerMs <= ms && !recurring) return "";
    char why[160];
    std::snprintf(why, sizeof why, "%zu silent runs, %.1f ms, %zu on the %zu block boundaries; bare: %.1f, %.1f ms",
                  h.dropouts.size(), h.droppedFrames / kFramesPerMs, onBlocks, boundaries, runs, ms);
    return why;
}

void ExpectHeardExactly(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected,
                        uint32_t blockBytes, size_t pauseFrames, size_t firstFrame)
{
    ASSERT_FALSE(recorded.empty()) << "the first frame was never heard";
    Hearing h = CompareRecording(recorded, expected);
    for (const Dropout& d : h.dropouts)
        std::printf("recording: %.1f ms of silence before frame %zu\n", d.frames / kFramesPerMs, d.beforeFrame);
    EXPECT_EQ(h.firstWrong, -1) << "frame heard wrong or missing (recorded frame " << h.stoppedAt << ")";
    EXPECT_EQ(h.soundingAfter, 0u) << "sounding frames after the end of the stream";
    if (pauseFrames > 0) {
        const auto pause = std::max_element(h.dropouts.begin(), h.dropouts.end(),
                                            [](const Dropout& a, const Dropout& b) { return a.frames < b.frames; });
        ASSERT_TRUE(pause != h.dropouts.end() && pause->frames >= pauseFrames) << "the pause was not heard";
        h.droppedFrames -= pause->frames;
        h.dropouts.erase(pause);
    }
    EXPECT_EQ(DropoutsOfOurs(h, blockBytes / 4, firstFrame), "");
}

void ExpectEndsWith(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted, size_t frames,
                    uint32_t blockBytes)
{
    const std::vector<int16_t> tail(wanted.end() - 2 * frames, wanted.end());
    const long at = FindStreamStart(recorded, tail);
    ASSERT_GE(at, 0) << "the end of the sound was never heard";
    ExpectHeardExactly(std::vector<int16_t>(recorded.begin() + 2 * at, recorded.end()), tail, blockBytes, 0,
                       wanted.size() / 2 - frames);
}

void ExpectChangeWithinTwoBlocks(const std::vector<int16_t>& recorded, const std::vector<int16_t>& before,
                                 const std::vector<int16_t>& after, DWORD msAfterStart, uint32_t blockBytes,
                                 size_t glideFrames)
{
    ASSERT_FALSE(recorded.empty()) << "the sound was never heard";
    const long changed = CompareRecording(recorded, before).firstWrong;
    const long blockFrames = static_cast<long>(blockBytes / 4);
    ASSERT_GE(changed, 0) << "the change was never heard";
    EXPECT_GE(changed, blockFrames) << "changed before the change";
    EXPECT_LE(changed, static_cast<long>(msAfterStart * kFramesPerMs) + 2 * blockFrames)
        << "heard later than two blocks after the change";
    // The changed frame itself may take one channel's new gain before the other's.
    const size_t settled = changed + 1 + glideFrames;
    ASSERT_LT(settled, after.size() / 2) << "the change came too late to be heard";
    ExpectEndsWith(recorded, after, after.size() / 2 - settled, blockBytes);
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}
