#include "widgets/control_background.h"

#include "common/scoped_gdi.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/panel_windows.h"

HBITMAP CreateControlBackground(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    ScopedGdiObj<HBITMAP> panel(LoadBitmapA(PanelInstanceOf(control), MAKEINTRESOURCEA(IDB_PANEL_BACKGROUND)));
    if (!panel) return nullptr;
    BITMAP description = {};
    GetObjectA(panel, sizeof description, &description);
    description.bmWidth = width;
    description.bmHeight = height;
    description.bmWidthBytes = ((width * description.bmBitsPixel + 15) / 16) * 2;
    description.bmBits = nullptr;
    HBITMAP piece = CreateBitmapIndirect(&description);
    if (!piece) return nullptr;

    // The control's client origin in the parent's client coordinates, which
    // are the background's own since the parent paints it at its origin.
    POINT origin = {client.left, client.top};
    ClientToScreen(control, &origin);
    HWND parent = GetParent(control);
    if (parent) ScreenToClient(parent, &origin);

    ScopedGetDC screen(nullptr);
    ScopedMemDC from(screen);
    ScopedMemDC to(screen);
    ScopedSelectObject panelSelected(from, panel);
    ScopedSelectObject pieceSelected(to, piece);
    BitBlt(to, 0, 0, width, height, from, origin.x, origin.y, SRCCOPY);
    return piece;
}
