#include "widgets/panel_classes.h"

#include "audio/effect_modules.h"
#include "common/scoped_gdi.h"
#include "widgets/panel_windows.h"

namespace {

void PaintLed(HDC dc, HWND window)
{
    Led(dc, 0, 0, 7, 3, 0, window == ThePanel().greenLed ? "GREEN" : "RED");
}

void Led_OnPaint(HWND window)
{
    ScopedPaint paint(window);
    ScopedGetDC dc(window);
    PaintLed(dc, window);
}

}  // namespace

LRESULT CALLBACK LedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: Led_OnPaint(window); return 0;
    case WM_PRINTCLIENT: PaintLed(reinterpret_cast<HDC>(wParam), window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
