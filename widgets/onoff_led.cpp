#include "widgets/panel_classes.h"

#include "common/scoped_gdi.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/range_control.h"

namespace {

void PaintOnOff(HDC dc, HWND window)
{
    const EffectParameters* effect = CurrentEffectParameters();
    HBITMAP picture = OnOffLedBitmap(effect && effect->on);
    if (!picture) return;
    RECT client;
    GetClientRect(window, &client);
    ScopedMemDC memory(dc);
    ScopedSelectObject pictureSelected(memory, picture);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

// Through a DC of its own, so that a WM_PAINT sent without an invalid region
// still draws.
void DrawOnOff(HWND window)
{
    ScopedGetDC dc(window);
    PaintOnOff(dc, window);
}

void OnOff_OnPaint(HWND window)
{
    {
        ScopedPaint paint(window);  // validates the window; the drawing follows
    }
    DrawOnOff(window);
}

// The parent switches the current effect in or out and has the LED
// repainted; then it shows the effect's state, as it does for a hover.
void OnOff_OnLButtonDown(HWND window)
{
    const int id = GetDlgCtrlID(window);
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
    NotifyParent(window, kNotifyPointerOn, 0);
}

}  // namespace

LRESULT CALLBACK OnOffLedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnOff_OnPaint(window); return 0;
    case WM_PRINTCLIENT: PaintOnOff(reinterpret_cast<HDC>(wParam), window); return 0;
    case WM_MOUSEMOVE: NotifyParent(window, kNotifyPointerOn, 0); return 0;
    case WM_LBUTTONDOWN: OnOff_OnLButtonDown(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
