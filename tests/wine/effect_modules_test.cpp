// The five effect DLLs: their export tables and the LED drawing.
#include "audio/effect_modules.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

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

}  // namespace
