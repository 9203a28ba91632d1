#include "tests/wine/player/player_harness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <psapi.h>

#include <gtest/gtest.h>

#include "audio/effect_modules.h"
#include "audio/pcm16.h"
#include "model/effects.h"
#include "resources/resource_ids.h"
#include "tests/support/wav_builder.h"

std::vector<int16_t> TestSignal(int frames, int channels, unsigned seed)
{
    std::vector<int16_t> out;
    out.reserve(static_cast<size_t>(frames) * channels);
    unsigned state = seed * 2654435761u + 12345u;
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            state = state * 1103515245u + 12345u;
            const int noise = static_cast<int>((state >> 16) % 2001) - 1000;
            const double tone = 9000.0 * std::sin(6.283185307179586 * (220.0 + 110.0 * c) * i / 44100.0);
            int v = static_cast<int>(tone) + noise;
            if (v == 0) v = 1;  // no silent frame: silence is the sink's, not the file's
            out.push_back(static_cast<int16_t>(v));
        }
    }
    if (frames > 0) {
        out[0] = 23456;  // distinctive first frame
        if (channels > 1) out[1] = -19876;
    }
    return out;
}

bool WriteTestWave(const std::string& path, const std::vector<int16_t>& samples, int channels)
{
    FormatFields f;
    f.channels = static_cast<uint16_t>(channels);
    f.rate = 44100;
    return WriteFileBytes(path, PcmWave(f, samples));
}

void SetUpAllEffects(double sampleRate)
{
    InitPhaser(sampleRate);
    InitFlanger(sampleRate);
    InitChorus(sampleRate);
    InitChDelay(sampleRate);
    ChangePhaser(0.5, 50, 0.5, 50, 30, 40);
    ChangeFlanger(0.3, 40, 0.3, 50, 20, 30);
    ChangeChorus(0.8, 30, 0.8, 50, 10, 20);
    ChangeChDelay(0.2, 60, 0.2, 50, 25, 35);
}

namespace {

void RunOfflineEffect(int16_t id, double* values, int count)
{
    switch (id) {
    case kPhaserId: Phaser(values, count); break;
    case kFlangerId: Flanger(values, count); break;
    case kChorusId: Chorus(values, count); break;
    case kChDelayId: ChDelay(values, count); break;
    default: break;
    }
}

}  // namespace

std::vector<int16_t> RenderOffline(const std::vector<int16_t>& samples, int channels, uint32_t blockSize,
                                   const std::vector<int16_t>& patch)
{
    const size_t perBlock = channels == 1 ? blockSize / 4 : blockSize / 2;  // source samples per block
    std::vector<int16_t> out;
    std::vector<double> values(blockSize / 2);
    std::vector<int16_t> block(blockSize / 2);
    for (size_t at = 0; at < samples.size(); at += perBlock) {
        const int count = static_cast<int>(std::min(perBlock, samples.size() - at));
        const int n = WidenPcm16(samples.data() + at, count, channels == 1, values.data());
        for (int16_t id : patch) RunOfflineEffect(id, values.data(), n);
        NarrowToPcm16(values.data(), block.data(), n, 1.0, 1.0);
        out.insert(out.end(), block.begin(), block.begin() + n);
    }
    return out;
}

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

// Processed sound may begin with silent frames of its own, so no single
// frame can mark the start: a run of sounding frames does.
long FindStreamStart(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted)
{
    const size_t frames = recorded.size() / 2;
    const size_t need = std::min<size_t>(32, wanted.size() / 2);
    if (need == 0) return -1;
    for (size_t p = 0; p < frames; ++p) {
        if (recorded[2 * p] != wanted[0] || recorded[2 * p + 1] != wanted[1]) continue;
        size_t matched = 0;
        for (size_t q = p; q < frames && matched < need; ++q) {
            if (recorded[2 * q] == 0 && recorded[2 * q + 1] == 0) continue;
            if (recorded[2 * q] != wanted[2 * matched] || recorded[2 * q + 1] != wanted[2 * matched + 1]) break;
            ++matched;
        }
        if (matched == need) return static_cast<long>(p);
    }
    return -1;
}

std::vector<int16_t> WithoutSilence(const std::vector<int16_t>& samples)
{
    std::vector<int16_t> out;
    out.reserve(samples.size());
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        if (samples[i] == 0 && samples[i + 1] == 0) continue;
        out.push_back(samples[i]);
        out.push_back(samples[i + 1]);
    }
    return out;
}

std::vector<int16_t> WaitForStream(size_t fromFrame, const std::vector<int16_t>& expected, DWORD timeoutMs)
{
    std::vector<int16_t> stream;
    if (expected.size() < 2) return stream;
    const std::vector<int16_t> sounding = WithoutSilence(expected);
    const size_t wanted = sounding.size();
    auto heard = [&] {
        const std::vector<int16_t> recorded = ReadRecording(fromFrame);
        const long first = FindStreamStart(recorded, sounding);
        if (first < 0) return false;
        stream = WithoutSilence(std::vector<int16_t>(recorded.begin() + 2 * first, recorded.end()));
        return stream.size() >= wanted;
    };
    if (PumpUntil(heard, timeoutMs)) {
        PumpFor(300);  // anything sounding after the stream would come now
        heard();
    }
    return stream;
}

void ExpectHeardExactly(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected)
{
    const std::vector<int16_t> wanted = WithoutSilence(expected);
    ASSERT_FALSE(heard.empty()) << "the first frame was never heard";
    EXPECT_EQ(FirstMismatch(heard, wanted), -1) << "first frame heard wrong or missing";
    EXPECT_EQ(heard.size(), wanted.size()) << "sounding frames after the end of the stream";
}

long FirstMismatch(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) {
            if (GetEnvironmentVariableA("QBX_DUMP_MISMATCH", nullptr, 0)) {
                for (size_t j = i - i % 2; j < std::min(n, i + 16); j += 2)
                    std::printf("frame %zu: heard %d %d wanted %d %d\n", j / 2, a[j], a[j + 1], b[j], b[j + 1]);
            }
            return static_cast<long>(i / 2);
        }
    if (a.size() < b.size()) return static_cast<long>(a.size() / 2);
    return -1;
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

unsigned CountOpenHandles()
{
    unsigned count = 0;
    for (UINT_PTR value = 4; value < (UINT_PTR(1) << 16); value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

size_t CommittedBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

namespace {

const char kLedClass[] = "QbxTestLed";

LRESULT CALLBACK TestLedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: ValidateRect(window, nullptr); return 0;  // only the player draws
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id)
{
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TransportPanel CreateTransportPanel()
{
    WNDCLASSA cls = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kLedClass, &cls)) {
        cls.lpfnWndProc = TestLedProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = kLedClass;
        RegisterClassA(&cls);
    }
    TransportPanel p;
    p.frame = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 200, 60, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    p.play = Child(p.frame, "BUTTON", "PLAY", BS_PUSHBUTTON, 0, 0, 50, 20, IDC_PLAY);
    p.pause = Child(p.frame, "BUTTON", "PAUSE", BS_PUSHBUTTON | WS_DISABLED, 50, 0, 50, 20, IDC_PAUSE);
    p.stop = Child(p.frame, "BUTTON", "STOP", BS_PUSHBUTTON | WS_DISABLED, 100, 0, 50, 20, IDC_STOP);
    p.greenLed = Child(p.frame, kLedClass, "", 0, 10, 30, 7, 3, IDC_GREEN_LED);
    p.redLed = Child(p.frame, kLedClass, "", 0, 30, 30, 7, 3, IDC_RED_LED);
    UpdateWindow(p.frame);
    PumpFor(20);
    return p;
}

void DestroyTransportPanel(TransportPanel* panel)
{
    if (panel->frame) DestroyWindow(panel->frame);
    *panel = TransportPanel();
}

COLORREF LampColour(bool lit, const char* colour)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 7, 3);
    HGDIOBJ old = SelectObject(dc, bitmap);
    Led(dc, 0, 0, 7, 3, lit ? 1 : 0, colour);
    const COLORREF c = GetPixel(dc, 3, 1);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
}

COLORREF LedCentre(HWND led)
{
    HDC dc = GetDC(led);
    const COLORREF c = GetPixel(dc, 3, 1);
    ReleaseDC(led, dc);
    return c;
}
