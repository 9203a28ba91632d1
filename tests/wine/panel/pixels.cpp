#include "pixels.h"

Pixels Pixels::Crop(int x, int y, int w, int h) const
{
    Pixels out;
    out.width = w;
    out.height = h;
    out.data.resize(static_cast<size_t>(w) * h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.At(i, j) = At(x + i, y + j);
    return out;
}

DibCanvas::DibCanvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    const DWORD v = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < width * height; ++i) bits_[i] = v;
}

DibCanvas::~DibCanvas()
{
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Pixels DibCanvas::Read() const
{
    GdiFlush();
    Pixels p;
    p.width = width_;
    p.height = height_;
    p.data.resize(static_cast<size_t>(width_) * height_);
    for (int i = 0; i < width_ * height_; ++i) {
        const DWORD v = bits_[i];
        p.data[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    return p;
}

void DibCanvas::Write(const Pixels& pixels)
{
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) {
        const COLORREF c = pixels.data[i];
        bits_[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
}

Pixels PrintClient(HWND window, COLORREF fill)
{
    RECT r;
    GetClientRect(window, &r);
    DibCanvas canvas(r.right, r.bottom, fill);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    return canvas.Read();
}

Pixels ScreenPixels(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    DibCanvas canvas(client.right, client.bottom);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Read();
}

Pixels ReadBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    DibCanvas canvas(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas.Dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return canvas.Read();
}

const BITMAPINFOHEADER* BitmapResourceHeader(int id, DWORD* size)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(nullptr, found);
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
}

Pixels DecodeBitmapResource(int id)
{
    Pixels p;
    const BITMAPINFOHEADER* h = BitmapResourceHeader(id, nullptr);
    if (!h) return p;
    const int bits = h->biBitCount;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(h) + h->biSize);
    const BYTE* data = reinterpret_cast<const BYTE*>(table + (1 << bits));
    const int stride = ((h->biWidth * bits + 31) / 32) * 4;
    p.width = h->biWidth;
    p.height = h->biHeight;
    p.data.resize(static_cast<size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y) {
        const BYTE* row = data + static_cast<size_t>(p.height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < p.width; ++x) {
            const int index = bits == 8 ? row[x] : (x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
            p.At(x, y) = RGB(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue);
        }
    }
    return p;
}
