#include "widgets/range_control.h"

void InitRangeControl(RangeControl* control)
{
    control->minimum = 0;
    control->maximum = 255;
    control->position = 128;
    control->text[0] = '\0';
}

bool RangeControl_OnMessage(RangeControl* control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                            bool* redraw)
{
    *result = 0;
    *redraw = false;
    switch (message) {
    case kMsgSetMinimum:
        control->minimum = static_cast<uint16_t>(wParam);
        if (control->position < control->minimum) control->position = control->minimum;
        return true;
    case kMsgSetMaximum:
        control->maximum = static_cast<uint16_t>(wParam);
        if (control->position > control->maximum) control->position = control->maximum;
        return true;
    case kMsgSetPosition:
        control->position = static_cast<uint16_t>(wParam);
        *redraw = true;
        return true;
    case kMsgGetPosition: *result = control->position; return true;
    case kMsgSetText:
        if (lParam) lstrcpynA(control->text, reinterpret_cast<const char*>(lParam), kControlTextSize);
        return true;
    default: return false;
    }
}

void NotifyParent(HWND control, UINT notification, uint16_t position)
{
    const WORD handleBits = static_cast<WORD>(reinterpret_cast<UINT_PTR>(control));
    SendMessageA(GetParent(control), notification, static_cast<WPARAM>(GetDlgCtrlID(control)),
                 MAKELPARAM(handleBits, position));
}

void DragControl_OnLButtonDown(HWND control, int32_t* dragging)
{
    if (*dragging) return;
    SetCapture(control);
    *dragging = 1;
}

void EndDrag(HWND control, int32_t* dragging, uint16_t position)
{
    if (!*dragging) return;
    *dragging = 0;
    NotifyParent(control, kNotifyReleased, position);
}

void DragControl_OnLButtonUp(HWND control, int32_t* dragging, uint16_t position)
{
    if (!*dragging) return;
    ReleaseCapture();  // its WM_CAPTURECHANGED ends the drag
    EndDrag(control, dragging, position);
}

void DragControl_OnCaptureChanged(HWND control, HWND newCapture, int32_t* dragging, uint16_t position)
{
    if (newCapture == control) return;
    EndDrag(control, dragging, position);
}
