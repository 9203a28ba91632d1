// The LED-drawing module: one small lamp, lit or dark, red or green.
#include "audio/effect_modules.h"
#include "common/scoped_gdi.h"

#include <cstring>

namespace {

struct LampColours {
    COLORREF body;       // the lamp's face
    COLORREF highlight;  // the reflection along its upper edge
    COLORREF shade;      // the lower edge, a little darker
};

LampColours ColoursFor(bool red, bool lit)
{
    if (red) {
        if (lit) return {RGB(255, 40, 30), RGB(255, 200, 190), RGB(200, 20, 15)};
        return {RGB(90, 18, 14), RGB(130, 45, 40), RGB(65, 12, 10)};
    }
    if (lit) return {RGB(70, 255, 60), RGB(210, 255, 200), RGB(30, 190, 25)};
    return {RGB(22, 80, 20), RGB(50, 115, 45), RGB(15, 58, 14)};
}

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    if (right <= left || bottom <= top) return;
    ScopedGdiObj<HBRUSH> brush(CreateSolidBrush(colour));
    const RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

}  // namespace

extern "C" void QBX_FXAPI Led(HDC dc, int x, int y, int width, int height, int lit, const char* colour)
{
    if (!dc || width <= 0 || height <= 0) return;
    const bool red = colour && std::strcmp(colour, "RED") == 0;
    const LampColours c = ColoursFor(red, lit != 0);

    FillBox(dc, x, y, x + width, y + height, c.body);
    if (height >= 3) FillBox(dc, x, y + height - 1, x + width, y + height, c.shade);
    // The highlight sits on the top row, inset by one pixel where the lamp is wide enough.
    const int inset = width >= 5 ? 1 : 0;
    if (height >= 2) FillBox(dc, x + inset, y, x + width - inset, y + 1, c.highlight);
}
