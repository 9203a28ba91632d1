#include "tests/wine/e2e/reference_panel.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kBackgroundBitmap = 123;
constexpr int kKnobBitmap = 200;
constexpr int kFaderCapBitmap = 165;
constexpr COLORREF kKeyColour = RGB(0, 0, 255);  // the artwork's see-through colour

// Where the controls lie on the panel, and their sizes.
constexpr RECT kDisplayPlace = {135, 18, 135 + 98, 18 + 38};
constexpr RECT kFaderPlace = {328, 4, 328 + 22, 4 + 84};
constexpr POINT kKnobOrigins[] = {{8, 5}, {48, 5}, {8, 50}, {88, 50}, {88, 5}, {48, 50}};
constexpr int kKnobSize = 30;

// The display's lettering.
constexpr COLORREF kTextColour = RGB(45, 45, 45);
constexpr int kFontHeight = 12;
constexpr int kFontWidth = 5;
constexpr RECT kTextInset = {12, 9, 10, 6};  // left, top, right, bottom

// The knob's pointer: its length and its sweep in radians.
constexpr int kPointerLength = 11;
constexpr double kPointerStart = 2.36;
constexpr double kPointerSweep = 4.71;

// The fader's track, in client y.
constexpr int kTrackTop = 14;
constexpr int kTrackLength = 56;

// The panel background under a control.
Pixels Background(int x, int y, int width, int height)
{
    static const Pixels panel = DecodeBitmapResource(kBackgroundBitmap);
    return panel.Crop(x, y, width, height);
}

Pixels Background(const RECT& place)
{
    return Background(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

// Artwork laid over a picture at (x, y), its key colour left out and what
// falls outside clipped.
void LayOver(Pixels* picture, const Pixels& art, int x, int y)
{
    for (int j = 0; j < art.height; ++j)
        for (int i = 0; i < art.width; ++i) {
            const int px = x + i, py = y + j;
            if (px < 0 || py < 0 || px >= picture->width || py >= picture->height) continue;
            if (art.At(i, j) != kKeyColour) picture->At(px, py) = art.At(i, j);
        }
}

void Line(HDC dc, COLORREF colour, int x0, int y0, int x1, int y1)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

Pixels ReferenceDisplay(const char* text1, unsigned format1, const char* text2, unsigned format2, const char* text3,
                        unsigned format3, const char* text4, unsigned format4)
{
    const Pixels background = Background(kDisplayPlace);
    DibCanvas canvas(background.width, background.height);
    canvas.Write(background);
    HDC dc = canvas.Dc();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    HFONT font = CreateFontA(kFontHeight, kFontWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    const char* texts[] = {text1, text2, text3, text4};
    const unsigned formats[] = {format1, format2, format3, format4};
    for (int i = 0; i < 4; ++i) {
        RECT r = {kTextInset.left, kTextInset.top, background.width - kTextInset.right,
                  background.height - kTextInset.bottom};
        // The texts are given in UTF-8 (the degree sign of a value).
        wchar_t wide[64] = L"";
        MultiByteToWideChar(CP_UTF8, 0, texts[i] ? texts[i] : "", -1, wide, 64);
        DrawTextW(dc, wide, -1, &r, formats[i]);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    return canvas.Read();
}

std::string TwoDecimals(double value)
{
    char digits[64] = "";
    std::snprintf(digits, sizeof digits, "%.7f", std::fabs(value));  // seven places, the last rounded
    const std::string text(digits);
    return (value < 0 ? "-" : "") + text.substr(0, text.find('.') + 3);
}

Pixels ReferenceKnob(int number, int minimum, int maximum, int position)
{
    const POINT origin = kKnobOrigins[number - 1];
    Pixels face = Background(origin.x, origin.y, kKnobSize, kKnobSize);
    static const Pixels knob = DecodeBitmapResource(kKnobBitmap);
    LayOver(&face, knob, (kKnobSize - knob.width) / 2, (kKnobSize - knob.height) / 2);
    DibCanvas canvas(kKnobSize, kKnobSize);
    canvas.Write(face);
    const int c = kKnobSize / 2;
    const double angle = kPointerStart + kPointerSweep * (position - minimum) / (maximum - minimum);
    const int ex = c + static_cast<int>(kPointerLength * std::cos(angle));
    const int ey = c + static_cast<int>(kPointerLength * std::sin(angle));
    Line(canvas.Dc(), RGB(0, 0, 0), c + 1, c + 1, ex + 1, ey + 1);  // the shadow
    Line(canvas.Dc(), RGB(255, 255, 255), c, c, ex, ey);
    return canvas.Read();
}

int FaderPositionAt(int y)
{
    return static_cast<int>(std::floor((y - kTrackTop) * 0.017857142857142856 * kFaderMaximum + 0.5));
}

double FaderVolumeDb(int position)
{
    if (position == kFaderZeroDb) return 0.0;
    const double p = position;
    return 3 - 0.14299442 * p + 0.0016542398 * p * p - 7.3697501e-6 * p * p * p;
}

Pixels ReferenceSlider(int position)
{
    Pixels picture = Background(kFaderPlace);
    static const Pixels cap = DecodeBitmapResource(kFaderCapBitmap);
    const int top = static_cast<int>(kTrackTop + static_cast<double>(kTrackLength) * position / kFaderMaximum -
                                     cap.height * 0.5);
    LayOver(&picture, cap, (picture.width - cap.width) / 2, top);
    return picture;
}
