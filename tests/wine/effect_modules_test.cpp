// The five effect DLLs: their export tables and the LED drawing; and the
// four effects as qbx15 and the player load them: mix 0 leaves the samples
// alone, the blocking of the stream does not change the sound, and Change
// calls from another thread while a block is processed are safe.
#include "audio/effect_modules.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "model/effects.h"

namespace {

TEST(EffectModules, ExportTheEntryPointsUndecorated)
{
    const struct {
        const char* dll;
        std::vector<const char*> names;
    } modules[] = {
        {"phaser.dll", {"InitPhaser", "ChangePhaser", "Phaser"}},
        {"flanger.dll", {"InitFlanger", "ChangeFlanger", "Flanger"}},
        {"chorus.dll", {"InitChorus", "ChangeChorus", "Chorus"}},
        {"chdelay.dll", {"InitChDelay", "ChangeChDelay", "ChDelay"}},
        {"led.dll", {"Led"}},
    };
    for (const auto& m : modules) {
        HMODULE h = LoadLibraryA(m.dll);
        ASSERT_NE(h, nullptr) << m.dll;
        for (const char* name : m.names) {
            EXPECT_NE(GetProcAddress(h, name), nullptr) << m.dll << " " << name;
            const std::string decorated = std::string("_") + name;
            EXPECT_EQ(GetProcAddress(h, decorated.c_str()), nullptr) << m.dll << " " << decorated;
        }
        FreeLibrary(h);
    }
}

// A 16 x 8 DIB section with a memory DC, cleared to a marker colour.
class LedCanvas {
public:
    LedCanvas()
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < kWidth * kHeight; ++i) bits_[i] = kMarker;
    }
    ~LedCanvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD v = bits_[y * kWidth + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    static constexpr int kWidth = 16, kHeight = 8;
    static constexpr DWORD kMarker = 0x00102030;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

TEST(LedModule, DrawsExactlyItsSevenByThreeLamp)
{
    LedCanvas canvas;
    Led(canvas.Dc(), 2, 3, 7, 3, 1, "GREEN");
    const COLORREF marker = RGB(0x10, 0x20, 0x30);
    for (int y = 0; y < LedCanvas::kHeight; ++y) {
        for (int x = 0; x < LedCanvas::kWidth; ++x) {
            const bool inside = x >= 2 && x < 9 && y >= 3 && y < 6;
            EXPECT_EQ(canvas.At(x, y) != marker, inside) << x << "," << y;
        }
    }
}

TEST(LedModule, LitIsBrightDarkIsDimInTheNamedColour)
{
    const char* colours[] = {"GREEN", "RED"};
    for (const char* colour : colours) {
        LedCanvas lit, dark;
        Led(lit.Dc(), 0, 0, 7, 3, 1, colour);
        Led(dark.Dc(), 0, 0, 7, 3, 0, colour);
        const COLORREF on = lit.At(3, 1), off = dark.At(3, 1);
        const bool green = colour[0] == 'G';
        const int onMain = green ? GetGValue(on) : GetRValue(on);
        const int offMain = green ? GetGValue(off) : GetRValue(off);
        EXPECT_GE(onMain, 200) << colour;
        EXPECT_LT(offMain, 130) << colour;
        // The named channel dominates, lit or dark.
        EXPECT_GT(onMain, 2 * (green ? GetRValue(on) : GetGValue(on))) << colour;
        EXPECT_GT(offMain, 2 * (green ? GetRValue(off) : GetGValue(off))) << colour;
        // A highlight along the top, lighter than the body.
        EXPECT_GT(Brightness(lit.At(3, 0)), Brightness(on)) << colour;
        EXPECT_GT(Brightness(dark.At(3, 0)), Brightness(off)) << colour;
    }
}

TEST(LedModule, IgnoresDegenerateCalls)
{
    LedCanvas canvas;
    Led(canvas.Dc(), 0, 0, 0, 3, 1, "RED");
    Led(canvas.Dc(), 0, 0, 7, 0, 1, "RED");
    Led(nullptr, 0, 0, 7, 3, 1, "RED");
    EXPECT_EQ(canvas.At(0, 0), RGB(0x10, 0x20, 0x30));
    // An unknown colour name draws green rather than nothing.
    Led(canvas.Dc(), 0, 0, 7, 3, 1, nullptr);
    EXPECT_GE(GetGValue(canvas.At(3, 1)), 200);
}

// Every knob at its maximum, mix as given.
void Send(const EffectEntry& d, double mix)
{
    EffectValues v = d.range->highest;
    v.mix = mix;
    SendValues(d, v);
}

std::vector<double> Noise(size_t values)
{
    std::vector<double> v(values);
    uint32_t x = 2463534242u;
    for (double& s : v) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s = static_cast<double>(static_cast<int32_t>(x) >> 16);  // -32768 .. 32767
    }
    return v;
}

// Runs the effect from Init over a copy of input, cut into blocks of the
// given sizes in turn.
std::vector<double> RunFromInit(const EffectEntry& d, double mix, const std::vector<double>& input,
                                const std::vector<int>& sizes)
{
    Send(d, mix);
    d.init(44100.0);
    std::vector<double> v = input;
    size_t at = 0;
    for (size_t i = 0; at < v.size(); ++i) {
        const int n = static_cast<int>(std::min<size_t>(sizes[i % sizes.size()], v.size() - at));
        d.process(v.data() + at, n);
        at += n;
    }
    return v;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(EffectDlls, MixZeroLeavesTheSamplesBitIdentical)
{
    const std::vector<double> input = Noise(2 * 44100);
    for (const EffectEntry& d : kEffectEntries) EXPECT_TRUE(SameBits(RunFromInit(d, 0.0, input, {6614}), input)) << d.module;
}

TEST(EffectDlls, BlockingDoesNotChangeTheOutput)
{
    const std::vector<double> input = Noise(2 * 44100);
    for (const EffectEntry& d : kEffectEntries) {
        const std::vector<double> whole = RunFromInit(d, 0.5, input, {static_cast<int>(input.size())});
        const std::vector<double> cut = RunFromInit(d, 0.5, input, {0, 2, 882, 2, 13230, 0, 4});
        EXPECT_TRUE(SameBits(whole, cut)) << d.module;
        EXPECT_FALSE(SameBits(whole, input)) << d.module << " did nothing";
    }
}

struct Hammer {
    const EffectEntry* dll;
    volatile LONG stop;
};

DWORD WINAPI TurnKnobs(void* arg)
{
    Hammer* h = static_cast<Hammer*>(arg);
    for (int i = 0; !h->stop; ++i) {
        // Sweeps every knob between its two ends, the way a drag would.
        const double k = (i % 100) / 99.0;
        const EffectValues& lo = h->dll->range->lowest;
        const EffectValues& hi = h->dll->range->highest;
        auto at = [k](double a, double b) { return a + k * (b - a); };
        h->dll->change(at(lo.freq, hi.freq), at(lo.depth, hi.depth), at(lo.rate, hi.rate), at(lo.mix, hi.mix),
                       at(lo.degree, hi.degree), at(lo.feed, hi.feed));
    }
    return 0;
}

TEST(EffectDlls, ChangeFromAnotherThreadDuringProcessingIsSafe)
{
    for (const EffectEntry& d : kEffectEntries) {
        Send(d, 0.5);
        d.init(48000.0);
        Hammer h = {&d, 0};
        HANDLE thread = CreateThread(nullptr, 0, TurnKnobs, &h, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        std::vector<double> v = Noise(2 * 48000 * 3);
        for (size_t at = 0; at < v.size(); at += 960) d.process(v.data() + at, 960);
        InterlockedExchange(&h.stop, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        double peak = 0.0;
        for (double x : v) {
            ASSERT_TRUE(std::isfinite(x)) << d.module;
            peak = std::fmax(peak, std::fabs(x));
        }
        EXPECT_LE(peak, 2.5 * 32768.0) << d.module;
    }
}

}  // namespace
