#include "widgets/dib_resources.h"

#include "common/scoped_gdi.h"
#include "widgets/dib_layout.h"
#include "widgets/panel_windows.h"

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header, int* colourCount)
{
    const int count = DibColourCount(header->biBitCount);
    if (colourCount) *colourCount = count;
    if (count == 0) return nullptr;

    const size_t size = sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY);
    LOGPALETTE* logical = static_cast<LOGPALETTE*>(LocalAlloc(LPTR, size));
    if (!logical) return nullptr;
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const BYTE*>(header) + header->biSize);
    for (int i = 0; i < count; ++i) {
        logical->palPalEntry[i].peRed = table[i].rgbRed;
        logical->palPalEntry[i].peGreen = table[i].rgbGreen;
        logical->palPalEntry[i].peBlue = table[i].rgbBlue;
        logical->palPalEntry[i].peFlags = 0;
    }
    HPALETTE palette = CreatePalette(logical);
    LocalFree(logical);
    return palette;
}

namespace {

// A device-dependent bitmap of the screen made from the packed DIB's bits,
// its colours matched through palette (none above 8 bits per pixel).
HBITMAP CreateScreenBitmap(const BITMAPINFOHEADER* header, HPALETTE palette)
{
    ScopedGetDC screen(nullptr);
    ScopedSelectPalette paletteSelected(screen, palette);
    if (palette) RealizePalette(screen);
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + DibBitsOffset(header->biSize, header->biBitCount);
    return CreateDIBitmap(screen, header, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
}

}  // namespace

HBITMAP LoadDibResource(HINSTANCE instance, int bitmapId, HPALETTE* palette)
{
    *palette = nullptr;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(bitmapId), RT_BITMAP);
    if (!found) return nullptr;
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const BITMAPINFOHEADER* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    // The bits are read after the header and its colour table: a resource
    // too short for them is refused rather than read past its end.
    if (!header || size < sizeof(BITMAPINFOHEADER) || header->biSize > size ||
        DibBitsOffset(header->biSize, header->biBitCount) > size) {
        return nullptr;
    }

    int colourCount = 0;
    HPALETTE own = CreateDibPalette(header, &colourCount);
    HBITMAP bitmap = CreateScreenBitmap(header, own);
    if (!bitmap) {
        if (own) DeleteObject(own);
        return nullptr;
    }
    *palette = own;
    return bitmap;
}

void PaintDibResourceOn(HDC dc, HINSTANCE instance, int bitmapId)
{
    HPALETTE loadedPalette = nullptr;
    const HBITMAP loaded = LoadDibResource(instance, bitmapId, &loadedPalette);
    ScopedGdiObj<HPALETTE> palette(loadedPalette);
    ScopedGdiObj<HBITMAP> bitmap(loaded);
    if (!bitmap) return;
    ScopedMemDC memory(dc);
    ScopedSelectPalette windowPalette(dc, palette);
    if (palette) RealizePalette(dc);
    ScopedSelectPalette memoryPalette(memory, palette);
    if (palette) RealizePalette(memory);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    ScopedSelectObject bitmapSelected(memory, bitmap);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
}

void PaintDibResource(HWND window, int bitmapId)
{
    ScopedGetDC dc(window);
    if (!dc) return;
    PaintDibResourceOn(dc, PanelInstanceOf(window), bitmapId);
}
