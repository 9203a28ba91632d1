#include "tests/wine/player/player_harness.h"

#include <cmath>

#include <psapi.h>

#include "audio/effect_modules.h"
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
    const FormatFields f = {1, static_cast<uint16_t>(channels), 44100, 16};
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
