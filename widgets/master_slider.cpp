#include "widgets/master_slider.h"

#include "common/scoped_gdi.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/control_background.h"
#include "widgets/draw_transparent.h"
#include "widgets/offscreen.h"
#include "widgets/panel_windows.h"
#include "widgets/range_control.h"
#include "widgets/slider_curve.h"

namespace {

constexpr COLORREF kKeyColour = RGB(0, 0, 255);

struct SliderRecord {
    RangeControl range;
    HBITMAP background;  // made on the first show
    int32_t dragging;    // set while the slider holds the mouse capture
};

SliderRecord* RecordOf(HWND window) { return ControlRecordOf<SliderRecord>(window); }

// The cap over picture at the place of the range's position, its key
// colour left out; like is the DC that picture is compatible with.
void DrawSliderCap(HDC picture, HDC like, HBITMAP cap, const RECT& client, const RangeControl& range)
{
    BITMAP size = {};
    GetObjectA(cap, sizeof size, &size);
    ScopedMemDC source(like);
    ScopedSelectObject capSelected(source, cap);
    SetBkColor(picture, kKeyColour);
    const int left = SliderCapLeft(client.left, client.right, size.bmWidth);
    const int top = SliderCapTop(range.position, range.maximum, size.bmHeight);
    DrawTransparent(picture, left, top, size.bmWidth, size.bmHeight, source, 0, 0);
}

// Background and cap composed off-screen, then one copy into dc.
void PaintSlider(HDC dc, HWND window, const SliderRecord* record)
{
    if (!record || !record->background) return;
    ScopedGdiObj<HBITMAP> cap(LoadBitmapA(PanelInstanceOf(window), MAKEINTRESOURCEA(IDB_SLIDER_CAP)));
    if (!cap) return;
    Offscreen picture(dc, record->background, window);
    if (!picture.canvas) return;
    DrawSliderCap(picture.dc, dc, cap, picture.client, record->range);
    CopyOffscreen(picture, dc);
}

LRESULT Slider_OnCreate(HWND window)
{
    SliderRecord* record = AttachControlRecord<SliderRecord>(window);
    if (record) InitRangeControl(&record->range);
    return 0;
}

void Slider_OnDestroy(HWND window, SliderRecord* record)
{
    if (record->background) DeleteObject(record->background);
    FreeControlRecord(window);
}

void Slider_OnMouseMove(HWND window, SliderRecord* record, LPARAM lParam)
{
    const uint16_t x = LOWORD(lParam);
    const uint16_t y = HIWORD(lParam);
    if (record->dragging && SliderPointOnTrack(x, y)) {
        RangeControl& r = record->range;
        r.position = SliderPositionFromY(y, r.maximum);
        DrawSlider(window);
        NotifyParent(window, kNotifyChanging, r.position);
    }
    NotifyParent(window, kNotifyPointerOn, record->range.position);
}

void Slider_OnLButtonDown(HWND window, SliderRecord* record, LPARAM lParam)
{
    DragControl_OnLButtonDown(window, &record->dragging);
    Slider_OnMouseMove(window, record, lParam);
}

void Slider_OnPaint(HWND window, const SliderRecord* record)
{
    ScopedPaint paint(window);
    PaintSlider(paint.dc, window, record);
}

}  // namespace

void DrawSlider(HWND slider)
{
    ScopedGetDC dc(slider);
    PaintSlider(dc, slider, RecordOf(slider));
}

LRESULT CALLBACK MasterSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) return Slider_OnCreate(window);
    SliderRecord* record = RecordOf(window);
    // Without its record the slider ignores everything but its destruction.
    if (!record) return message == WM_DESTROY ? 0 : DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool redraw = false;
    if (RangeControl_OnMessage(&record->range, message, wParam, lParam, &result, &redraw)) {
        if (redraw) DrawSlider(window);
        return result;
    }
    switch (message) {
    case WM_DESTROY: Slider_OnDestroy(window, record); return 0;
    case WM_SHOWWINDOW:
        if (!record->background) record->background = CreateControlBackground(window);
        return 0;
    case WM_PAINT: Slider_OnPaint(window, record); return 0;
    case WM_PRINTCLIENT: PaintSlider(reinterpret_cast<HDC>(wParam), window, record); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND:
    case WM_TIMER: return 0;
    case WM_LBUTTONDOWN: Slider_OnLButtonDown(window, record, lParam); return 0;
    case WM_MOUSEMOVE: Slider_OnMouseMove(window, record, lParam); return 0;
    case WM_LBUTTONUP: DragControl_OnLButtonUp(window, &record->dragging, record->range.position); return 0;
    case WM_CAPTURECHANGED:
        DragControl_OnCaptureChanged(window, reinterpret_cast<HWND>(lParam), &record->dragging,
                                     record->range.position);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
