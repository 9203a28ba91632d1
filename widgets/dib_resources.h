// Bitmap resources with their own colours: loading, their palettes, painting.
#pragma once
#include <windows.h>

// A palette with one entry per colour-table entry of a bitmap of the
// header's depth (none above 8 bits per pixel); the entry count goes to
// colourCount.
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header, int* colourCount);

// A device-dependent bitmap of the resource in the resource's colours, and
// its palette (or none); both belong to the caller. A missing or truncated
// resource gives no bitmap and no palette.
HBITMAP LoadDibResource(HINSTANCE instance, int bitmapId, HPALETTE* palette);

// Paints the bitmap resource with its palette at the window's client origin,
// at the bitmap's own size.
void PaintDibResource(HWND window, int bitmapId);

// The same into a given device context (painting and WM_PRINTCLIENT).
void PaintDibResourceOn(HDC dc, HINSTANCE instance, int bitmapId);
