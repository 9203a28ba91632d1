#include "widgets/offscreen.h"

namespace {

RECT ClientRectOf(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return client;
}

int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

}  // namespace

Offscreen::Offscreen(HDC target, HBITMAP background, HWND window)
    : client(ClientRectOf(window)),
      dc(target),
      canvas(dc ? CreateCompatibleBitmap(target, WidthOf(client), HeightOf(client)) : nullptr),
      canvasSelected(dc, canvas)
{
    if (!canvas) return;
    ScopedMemDC source(target);
    ScopedSelectObject sourceSelected(source, background);
    BitBlt(dc, 0, 0, WidthOf(client), HeightOf(client), source, 0, 0, SRCCOPY);
}

void CopyOffscreen(const Offscreen& picture, HDC target)
{
    BitBlt(target, 0, 0, WidthOf(picture.client), HeightOf(picture.client), picture.dc, 0, 0, SRCCOPY);
}
