// The About picture: bitmap IDB_ABOUT in a captionless popup centred on the
// screen, closed by one complete left click inside it.
#include "app/main_window.h"
#include "common/scoped_gdi.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/dib_resources.h"

namespace {

constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 200;

// DWLP_USER is set while the left button went down inside the picture.
void SetPressed(HWND dialog, bool pressed) { SetWindowLongPtrA(dialog, DWLP_USER, pressed ? 1 : 0); }

void About_OnInitDialog(HWND dialog)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    RECT r;
    SetRect(&r, cx - kPictureWidth / 2, cy - kPictureHeight / 2, cx + kPictureWidth / 2, cy + kPictureHeight / 2);
    AdjustWindowRect(&r, WS_POPUP | WS_DLGFRAME, FALSE);
    SetWindowPos(dialog, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

void About_OnPaint(HWND dialog)
{
    ScopedPaint paint(dialog);
    PaintDibResource(dialog, IDB_ABOUT);
}

void About_OnLButtonUp(HWND dialog)
{
    if (!GetWindowLongPtrA(dialog, DWLP_USER)) return;
    SetPressed(dialog, false);
    EndDialog(dialog, 0);
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: About_OnInitDialog(dialog); return FALSE;
    case WM_PAINT: About_OnPaint(dialog); return TRUE;
    case WM_PRINTCLIENT:
        PaintDibResourceOn(reinterpret_cast<HDC>(wParam),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), IDB_ABOUT);
        return TRUE;
    case WM_LBUTTONDOWN: SetPressed(dialog, true); return TRUE;
    case WM_LBUTTONUP: About_OnLButtonUp(dialog); return TRUE;
    default: return FALSE;
    }
}
