#include "tests/support/real_input.h"

#include <string>
#include <vector>

namespace {

constexpr DWORD kPointerArrival = 3000;  // ms for the system to report a move
constexpr DWORD kPollInterval = 20;
constexpr DWORD kStepPause = 15;         // between the moves of a drag, as a hand's
constexpr DWORD kClickHold = 30;         // a button held down for a click

void SendOne(INPUT* input) { SendInput(1, input, sizeof(INPUT)); }

// A coordinate in the 0..65535 range over a span: the smallest value that
// the system's scaling (value * span / 65536, rounded down) takes back to
// the pixel.
LONG Normalised(LONG pixel, LONG origin, LONG span)
{
    if (span <= 0) return 0;
    return static_cast<LONG>((static_cast<LONGLONG>(pixel - origin) * 65536 + span - 1) / span);
}

void SendAbsoluteMove(POINT screen)
{
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = Normalised(screen.y, top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendOne(&input);
}

bool PointerIsAt(POINT screen)
{
    POINT now = {};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

void SendButton(MouseButton button, bool down)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    if (button == MouseButton::kLeft) input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    else input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendOne(&input);
}

void SendKey(WORD key, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendOne(&input);
}

void SendUnicode(wchar_t ch, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    SendOne(&input);
}

POINT ToScreen(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

}  // namespace

bool WaitForOutcome(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= milliseconds) return condition();
        Sleep(kPollInterval);
    }
}

bool MovePointerToScreen(POINT screen)
{
    // Under X the window system may report an earlier move late and carry
    // the pointer back for a moment, so the pointer has arrived only once it
    // has stayed at the point for a poll; a move that was undone, or seems
    // dropped, is sent again.
    SendAbsoluteMove(screen);
    bool seenThere = false;
    int polls = 0;
    return WaitForOutcome(
        [&] {
            const bool there = PointerIsAt(screen);
            if (there && seenThere) return true;
            if (!there && (seenThere || ++polls % 25 == 0)) SendAbsoluteMove(screen);
            seenThere = there;
            return false;
        },
        kPointerArrival);
}

void SendPointerMove(POINT screen) { SendAbsoluteMove(screen); }

bool MovePointerTo(HWND window, int x, int y) { return MovePointerToScreen(ToScreen(window, {x, y})); }

void PressButton(MouseButton button) { SendButton(button, true); }

void ReleaseButton(MouseButton button) { SendButton(button, false); }

bool ClickAt(HWND window, int x, int y, MouseButton button)
{
    if (!MovePointerTo(window, x, y)) return false;
    PressButton(button);
    Sleep(kClickHold);
    ReleaseButton(button);
    return true;
}

bool RightClickAt(HWND window, int x, int y) { return ClickAt(window, x, y, MouseButton::kRight); }

bool DoubleClickAt(HWND window, int x, int y)
{
    if (!MovePointerTo(window, x, y)) return false;
    for (int i = 0; i < 2; ++i) {
        PressButton(MouseButton::kLeft);
        ReleaseButton(MouseButton::kLeft);
    }
    return true;
}

bool DragThrough(HWND window, std::initializer_list<POINT> points, int steps)
{
    if (points.size() == 0) return false;
    const std::vector<POINT> path(points);
    if (!MovePointerTo(window, path[0].x, path[0].y)) return false;
    PressButton(MouseButton::kLeft);
    Sleep(kStepPause);
    bool arrived = true;
    for (size_t i = 1; i < path.size(); ++i) {
        const POINT a = path[i - 1];
        const POINT b = path[i];
        for (int s = 1; s <= steps; ++s) {
            const POINT p = {a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps};
            arrived = MovePointerTo(window, p.x, p.y) && arrived;
            Sleep(kStepPause);
        }
    }
    ReleaseButton(MouseButton::kLeft);
    return arrived;
}

void PressKey(WORD key) { PressKeys({key}); }

void HoldKeyDown(WORD key) { SendKey(key, true); }

void PressKeys(std::initializer_list<WORD> keys)
{
    for (WORD key : keys) SendKey(key, true);
    Sleep(kClickHold);
    const std::vector<WORD> held(keys);
    for (auto it = held.rbegin(); it != held.rend(); ++it) SendKey(*it, false);
}

void TypeText(const char* text)
{
    // The text is UTF-8; it is typed as its UTF-16 units (a letter beyond
    // the first plane as its two surrogates, as an input method sends it).
    const int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(units > 0 ? units : 1, L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], units);
    for (const wchar_t* c = wide.c_str(); *c; ++c) {
        // The key that gives an ASCII character on this keyboard, with
        // Shift where it needs it; any other character goes as itself.
        const SHORT key = *c < 0x80 ? VkKeyScanW(*c) : -1;
        const bool noKey = key == -1 || (HIBYTE(key) & ~1) != 0;
        if (noKey) {
            SendUnicode(*c, true);
            SendUnicode(*c, false);
            continue;
        }
        const bool shift = (HIBYTE(key) & 1) != 0;
        if (shift) SendKey(VK_SHIFT, true);
        SendKey(LOBYTE(key), true);
        SendKey(LOBYTE(key), false);
        if (shift) SendKey(VK_SHIFT, false);
    }
}

bool BringToForeground(HWND window)
{
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return WaitForOutcome([window] { return GetForegroundWindow() == window; }, kPointerArrival);
}
