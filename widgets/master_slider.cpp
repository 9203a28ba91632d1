#include "widgets/master_slider.h"

#include "resources/panel_bitmap_ids.h"
#include "widgets/control_background.h"
#include "widgets/display_number.h"
#include "widgets/display_panel.h"
#include "widgets/draw_transparent.h"
#include "widgets/master_volume.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"
#include "widgets/slider_curve.h"

int32_t g_sliderDragging = 0;

namespace {

void WINAPI IgnoreVolume(double, double) {}

constexpr COLORREF kKeyColour = RGB(0, 0, 255);

struct SliderRecord {
    uint16_t minimum;
    uint16_t maximum;
    uint16_t position;
    HBITMAP background;
    char text[kControlTextSize];
};

SliderRecord* RecordOf(HWND window)
{
    return reinterpret_cast<SliderRecord*>(GetWindowLongPtrA(window, 0));
}

// Background and cap composed off-screen, then one copy into dc.
void PaintSlider(HDC dc, HWND window, const SliderRecord* record)
{
    if (!record || !record->background) return;
    HBITMAP cap = LoadBitmapA(g_panelInstance, MAKEINTRESOURCEA(IDB_SLIDER_CAP));
    if (!cap) return;
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    HDC picture = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldCanvas = SelectObject(picture, canvas);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ oldSource = SelectObject(source, record->background);
    BitBlt(picture, 0, 0, width, height, source, 0, 0, SRCCOPY);

    BITMAP size = {};
    GetObjectA(cap, sizeof size, &size);
    SelectObject(source, cap);
    SetBkColor(picture, kKeyColour);
    DrawTransparent(picture, SliderCapLeft(client.left, client.right, size.bmWidth),
                    SliderCapTop(record->position, record->maximum, size.bmHeight), size.bmWidth, size.bmHeight,
                    source, 0, 0);
    SelectObject(source, oldSource);
    DeleteDC(source);

    BitBlt(dc, 0, 0, width, height, picture, 0, 0, SRCCOPY);
    SelectObject(picture, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(picture);
    DeleteObject(cap);
}

void Notify(HWND window, UINT notification, uint16_t position)
{
    const WORD handleBits = static_cast<WORD>(reinterpret_cast<UINT_PTR>(window));
    SendMessageA(GetParent(window), notification, static_cast<WPARAM>(GetDlgCtrlID(window)),
                 MAKELPARAM(handleBits, position));
}

void ShowVolume(HWND window)
{
    char label[40] = "";
    GetWindowTextA(window, label, sizeof label);
    char value[kDisplayNumberSize];
    FormatDisplayNumber(g_masterVolume, value, sizeof value);
    DrawDisplayText(g_displayWindow, "MASTER", kTopLeft, "", 0, label, kBottomLeft, value, kBottomRight);
}

LRESULT Slider_OnCreate(HWND window)
{
    SliderRecord* record = static_cast<SliderRecord*>(LocalAlloc(LPTR, sizeof(SliderRecord)));
    if (record) {
        record->maximum = 255;
        record->position = 128;
    }
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record));
    return 0;
}

void Slider_OnDestroy(HWND window, SliderRecord* record)
{
    if (record->background) DeleteObject(record->background);
    LocalFree(record);
    SetWindowLongPtrA(window, 0, 0);
}

void Slider_OnMouseMove(HWND window, SliderRecord* record, LPARAM lParam)
{
    const uint16_t x = LOWORD(lParam);
    const uint16_t y = HIWORD(lParam);
    if (g_sliderDragging && SliderPointOnTrack(x, y)) {
        record->position = SliderPositionFromY(y, record->maximum);
        DrawSlider(window);
        Notify(window, kNotifyChanging, record->position);
        g_masterVolume = SliderVolumeDb(record->position);
        g_changeVolume(g_masterVolume, g_masterVolume);
    }
    ShowVolume(window);
}

void Slider_OnLButtonDown(HWND window, SliderRecord* record, LPARAM lParam)
{
    if (!g_sliderDragging) {
        SetCapture(window);
        g_sliderDragging = 1;
    }
    Slider_OnMouseMove(window, record, lParam);
}

void Slider_OnLButtonUp(HWND window, SliderRecord* record)
{
    if (!g_sliderDragging) return;
    ReleaseCapture();
    g_sliderDragging = 0;
    Notify(window, kNotifyReleased, record->position);
}

void Slider_OnPaint(HWND window, const SliderRecord* record)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintSlider(dc, window, record);
    EndPaint(window, &ps);
}

}  // namespace

ChangeVolumeFunction g_changeVolume = IgnoreVolume;

void DrawSlider(HWND slider)
{
    HDC dc = GetDC(slider);
    PaintSlider(dc, slider, RecordOf(slider));
    ReleaseDC(slider, dc);
}

LRESULT CALLBACK MasterSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) return Slider_OnCreate(window);
    SliderRecord* record = RecordOf(window);
    // Without its record the slider ignores everything but its destruction.
    if (!record) return message == WM_DESTROY ? 0 : DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case kMsgSetMinimum:
        record->minimum = static_cast<uint16_t>(wParam);
        if (record->position < record->minimum) record->position = record->minimum;
        return 0;
    case kMsgSetMaximum:
        record->maximum = static_cast<uint16_t>(wParam);
        if (record->position > record->maximum) record->position = record->maximum;
        return 0;
    case kMsgSetPosition:
        record->position = static_cast<uint16_t>(wParam);
        DrawSlider(window);
        return 0;
    case kMsgGetPosition: return record->position;
    case kMsgSetText:
        if (lParam) lstrcpynA(record->text, reinterpret_cast<const char*>(lParam), kControlTextSize);
        return 0;
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
    case WM_LBUTTONUP: Slider_OnLButtonUp(window, record); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
