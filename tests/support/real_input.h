// Works a window as a hand does: the pointer is moved with SendInput to a
// point first, then the buttons and keys are pressed with SendInput, so the
// input takes the system's own input path (the window under the pointer,
// the capture, the focus) rather than being posted to a chosen window.
// Then the caller waits for the visible outcome with WaitForOutcome.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>

// Polls condition every 20 ms until it holds or milliseconds have passed;
// its last answer.
bool WaitForOutcome(const std::function<bool()>& condition, DWORD milliseconds);

// Moves the pointer to a screen point (absolute coordinates over the whole
// virtual desktop); true once the system reports the pointer there.
bool MovePointerToScreen(POINT screen);
// Sends one move of the pointer to a screen point and returns at once,
// without waiting to see it arrive: a hand that keeps moving.
void SendPointerMove(POINT screen);
// Moves the pointer to a client point of window.
bool MovePointerTo(HWND window, int x, int y);

enum class MouseButton { kLeft, kRight };

// Presses or releases a button where the pointer is.
void PressButton(MouseButton button);
void ReleaseButton(MouseButton button);

// Moves the pointer to the client point, then presses and releases the
// button; false when the pointer could not be brought there.
bool ClickAt(HWND window, int x, int y, MouseButton button = MouseButton::kLeft);
bool RightClickAt(HWND window, int x, int y);
// Two left clicks in quick succession at the point.
bool DoubleClickAt(HWND window, int x, int y);

// Presses the left button at the first client point, moves through the
// others in steps of its own (steps moves between each two points) and
// releases at the last.
bool DragThrough(HWND window, std::initializer_list<POINT> points, int steps = 4);

// Presses and releases a key (a virtual-key code: VK_RETURN, VK_ESCAPE,
// VK_SPACE, 'A'...), given to the window that has the keyboard focus.
void PressKey(WORD key);
// Sends one key-down stroke and no release: called again and again, it is a
// key held down as the keyboard's auto-repeat sends it; PressKey ends it.
void HoldKeyDown(WORD key);
// Holds the keys down in order and releases them in reverse, as a chord:
// PressKeys({VK_MENU, VK_TAB}) is Alt+Tab.
void PressKeys(std::initializer_list<WORD> keys);
// Types the UTF-8 text into the focus window: each ASCII character by its
// key (with Shift where the keyboard needs it), any other as a Unicode stroke.
void TypeText(const char* text);

// Makes window the foreground window, so that keys reach it and it lies
// over the others under the pointer; true once it is.
bool BringToForeground(HWND window);
