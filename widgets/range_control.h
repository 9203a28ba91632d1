// What the knob and the slider share: a position within a range, a stored
// text, the messages that set them, and the notifications of a drag.
#pragma once
#include <windows.h>

#include <cstdint>

#include "widgets/panel_messages.h"

struct RangeControl {
    uint16_t minimum;
    uint16_t maximum;
    uint16_t position;
    char text[kControlTextSize];  // set by kMsgSetText, never drawn
};

// The values at creation: range 0 to 255, position 128, no text.
void InitRangeControl(RangeControl* control);

// Handles kMsgSetMinimum to kMsgSetText (false for any other message). Setting the
// minimum or maximum pulls the position into the range without a redraw;
// setting the position stores it unclamped and asks for a redraw.
bool RangeControl_OnMessage(RangeControl* control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                            bool* redraw);

// Sends kNotifyChanging or kNotifyReleased to the control's parent: wParam the
// control id, lParam the low 16 bits of its handle and the position.
void NotifyParent(HWND control, UINT notification, uint16_t position);

// Starts a drag of control that *dragging marks, with the mouse capture;
// nothing while one runs (the capture keeps a second control from starting).
void DragControl_OnLButtonDown(HWND control, int32_t* dragging);

// Ends a drag of control that *dragging marks: clears the flag and tells the
// parent with kNotifyReleased, as a release does. Nothing when no drag runs, so a
// button-up and the loss of capture that it causes end a drag once.
void EndDrag(HWND control, int32_t* dragging, uint16_t position);

// The drag ends when the button goes up (the control gives the capture
// back) or when the capture is taken away first: WM_CAPTURECHANGED, which
// a message box over the panel, a switch to another program or
// WM_CANCELMODE brings. A drag that ended so stays ended: later moves over
// the control only show its value.
void DragControl_OnLButtonUp(HWND control, int32_t* dragging, uint16_t position);
void DragControl_OnCaptureChanged(HWND control, HWND newCapture, int32_t* dragging, uint16_t position);
