// Reading pixels for the panel tests: a 32-bit top-down DIB section that a
// window prints its client area into, and the decoded bitmap resources.
#pragma once
#include <windows.h>

#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> data;  // row by row from the top

    COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
    COLORREF& At(int x, int y) { return data[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Pixels& o) const { return width == o.width && height == o.height && data == o.data; }
    bool operator!=(const Pixels& o) const { return !(*this == o); }
    Pixels Crop(int x, int y, int w, int h) const;
};

// A memory DC with a 32-bit DIB section selected, pre-filled with fill.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC Dc() const { return dc_; }
    Pixels Read() const;
    void Write(const Pixels& pixels);

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_;
};

// What the window draws on WM_PRINTCLIENT, over a canvas filled with fill.
Pixels PrintClient(HWND window, COLORREF fill = RGB(1, 2, 3));

// The window's client area as it stands on the screen.
Pixels ScreenPixels(HWND window);

// The pixels of a bitmap (a DDB or a DIB section).
Pixels ReadBitmap(HBITMAP bitmap);

// The pixels of a bitmap resource of this program, decoded from its own
// colour table (4 or 8 bits per pixel).
Pixels DecodeBitmapResource(int id);

// The raw header of a bitmap resource and its size in bytes.
const BITMAPINFOHEADER* BitmapResourceHeader(int id, DWORD* size);

#include <ostream>
// Test failures name the picture's size rather than dumping every byte.
inline void PrintTo(const Pixels& p, std::ostream* os) { *os << p.width << " x " << p.height << " pixels"; }
