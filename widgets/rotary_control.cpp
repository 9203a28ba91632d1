#include "widgets/rotary_control.h"

#include "common/scoped_gdi.h"
#include "model/effects_patch.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/control_background.h"
#include "widgets/draw_transparent.h"
#include "widgets/knob_geometry.h"
#include "widgets/offscreen.h"
#include "widgets/panel_windows.h"
#include "widgets/range_control.h"

namespace {

constexpr int kPointerRadius = 11;
constexpr COLORREF kKeyColour = RGB(0, 0, 255);

struct KnobRecord {
    RangeControl range;
    HBITMAP face;      // made on the first show
    int32_t dragging;  // set while the knob holds the mouse capture
};

KnobRecord* RecordOf(HWND window) { return ControlRecordOf<KnobRecord>(window); }

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void DrawLine(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2)
{
    ScopedGdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    ScopedSelectObject penSelected(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Face and pointer composed off-screen, then one copy into dc.
void PaintKnob(HDC dc, HWND window, const KnobRecord* record)
{
    if (!record || !record->face) return;
    Offscreen picture(dc, record->face, window);
    if (!picture.canvas) return;
    const RangeControl& r = record->range;
    const POINT c = CentreOf(picture.client);
    const PointerPoint end = PointerEnd(r.minimum, r.maximum, r.position, c.x, c.y, kPointerRadius);
    DrawLine(picture.dc, RGB(0, 0, 0), c.x + 1, c.y + 1, end.x + 1, end.y + 1);
    DrawLine(picture.dc, RGB(255, 255, 255), c.x, c.y, end.x, end.y);
    CopyOffscreen(picture, dc);
}

LRESULT Knob_OnCreate(HWND window)
{
    KnobRecord* record = AttachControlRecord<KnobRecord>(window);
    if (!record) return -1;  // a knob without its record cannot work: creation fails
    InitRangeControl(&record->range);
    return 0;
}

void Knob_OnDestroy(HWND window, KnobRecord* record)
{
    if (record->face) DeleteObject(record->face);
    FreeControlRecord(window);
}

void Knob_OnMouseMove(HWND window, KnobRecord* record, LPARAM lParam)
{
    if (record->dragging && g_effectsPatch.count != 0) {
        RECT client;
        GetClientRect(window, &client);
        const POINT c = CentreOf(client);
        const int16_t x = static_cast<int16_t>(LOWORD(lParam));
        const int16_t y = static_cast<int16_t>(HIWORD(lParam));
        RangeControl& r = record->range;
        r.position = AngleToPosition(r.minimum, r.maximum, c.x, c.y, x, y);
        DrawKnob(window);
        NotifyParent(window, kNotifyChanging, r.position);
    }
    NotifyParent(window, kNotifyPointerOn, record->range.position);
}

void Knob_OnLButtonDown(HWND window, KnobRecord* record, LPARAM lParam)
{
    DragControl_OnLButtonDown(window, &record->dragging);
    Knob_OnMouseMove(window, record, lParam);
}

void Knob_OnPaint(HWND window, const KnobRecord* record)
{
    ScopedPaint paint(window);
    PaintKnob(paint.dc, window, record);
}

}  // namespace

HBITMAP MakeKnobFace(HWND knob)
{
    HBITMAP face = CreateControlBackground(knob);
    if (!face) return nullptr;
    ScopedGdiObj<HBITMAP> picture(LoadBitmapA(PanelInstanceOf(knob), MAKEINTRESOURCEA(IDB_KNOB)));
    if (!picture) return face;
    BITMAP size = {};
    GetObjectA(picture, sizeof size, &size);
    RECT client;
    GetClientRect(knob, &client);
    const int x = client.left + (client.right - client.left - size.bmWidth) / 2;
    const int y = client.top + (client.bottom - client.top - size.bmHeight) / 2;

    ScopedGetDC screen(nullptr);
    ScopedMemDC faceDc(screen);
    ScopedMemDC pictureDc(screen);
    ScopedSelectObject faceSelected(faceDc, face);
    ScopedSelectObject pictureSelected(pictureDc, picture);
    SetBkColor(faceDc, kKeyColour);
    DrawTransparent(faceDc, x, y, size.bmWidth, size.bmHeight, pictureDc, 0, 0);
    return face;
}

void DrawKnob(HWND knob)
{
    ScopedGetDC dc(knob);
    PaintKnob(dc, knob, RecordOf(knob));
}

LRESULT CALLBACK RotaryControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) return Knob_OnCreate(window);
    KnobRecord* record = RecordOf(window);
    if (!record) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool redraw = false;
    if (RangeControl_OnMessage(&record->range, message, wParam, lParam, &result, &redraw)) {
        if (redraw) DrawKnob(window);
        return result;
    }
    switch (message) {
    case WM_DESTROY: Knob_OnDestroy(window, record); return 0;
    case WM_SHOWWINDOW:
        if (!record->face) record->face = MakeKnobFace(window);
        return 0;
    case WM_PAINT: Knob_OnPaint(window, record); return 0;
    case WM_PRINTCLIENT: PaintKnob(reinterpret_cast<HDC>(wParam), window, record); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND:
    case WM_TIMER: return 0;
    case WM_LBUTTONDOWN: Knob_OnLButtonDown(window, record, lParam); return 0;
    case WM_MOUSEMOVE: Knob_OnMouseMove(window, record, lParam); return 0;
    case WM_LBUTTONUP: DragControl_OnLButtonUp(window, &record->dragging, record->range.position); return 0;
    case WM_CAPTURECHANGED:
        DragControl_OnCaptureChanged(window, reinterpret_cast<HWND>(lParam), &record->dragging,
                                     record->range.position);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
