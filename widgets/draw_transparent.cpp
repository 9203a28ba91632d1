#include "widgets/draw_transparent.h"

#include "common/scoped_gdi.h"

bool DrawTransparent(HDC destination, int x, int y, int width, int height, HDC source, int sx, int sy)
{
    const COLORREF key = GetBkColor(destination);
    const COLORREF destinationText = GetTextColor(destination);
    const COLORREF sourceBackground = GetBkColor(source);

    ScopedMemDC maskDc(source);
    if (!maskDc) return false;
    ScopedGdiObj<HBITMAP> mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask) return false;
    ScopedSelectObject maskSelected(maskDc, mask);

    // Mask: 1 where the source has the key colour, 0 elsewhere.
    SetBkColor(source, key);
    BitBlt(maskDc, 0, 0, width, height, source, sx, sy, SRCCOPY);

    // Monochrome to colour: 1 becomes the background (white), 0 the text colour (black).
    SetTextColor(destination, RGB(0, 0, 0));
    SetBkColor(destination, RGB(255, 255, 255));
    BitBlt(destination, x, y, width, height, source, sx, sy, SRCINVERT);
    BitBlt(destination, x, y, width, height, maskDc, 0, 0, SRCAND);
    BitBlt(destination, x, y, width, height, source, sx, sy, SRCINVERT);

    SetBkColor(destination, key);
    SetTextColor(destination, destinationText);
    SetBkColor(source, sourceBackground);
    return true;
}
