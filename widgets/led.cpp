#include "widgets/panel_classes.h"

#include "audio/effect_modules.h"
#include "common/scoped_gdi.h"
#include "resources/resource_ids.h"
#include "widgets/panel_windows.h"

namespace {

// The lamp's colour from its control id: the green one lights while
// playing, the red one while paused.
void PaintLed(HDC dc, HWND window)
{
    Led(dc, 0, 0, 7, 3, 0, GetDlgCtrlID(window) == IDC_GREEN_LED ? "GREEN" : "RED");
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
