#include "player/notify_window.h"

#include <windows.h>

#include "player/block_pipeline.h"
#include "player/playback.h"
#include "player/playback_end.h"
#include "player/report_error.h"

namespace {

const char kNotifyClass[] = "QuellboxPlayerNotify";

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EnsureNotifyWindow), &module);
    return module;
}

void Notify_OnPlaybackError(LPARAM lParam)
{
    auto text = reinterpret_cast<HLOCAL>(lParam);
    ReportError(static_cast<const char*>(text));
    LocalFree(text);
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kEndOfPlaybackMessage: EndOfPlayback(static_cast<uint32_t>(wParam)); return 0;
    case kPlaybackErrorMessage: Notify_OnPlaybackError(lParam); return 0;
    case WM_TIMER:
        if (wParam == kLingerTimerId) CloseLingeringDevice();
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool EnsureNotifyWindow()
{
    if (g_notifyWindow && IsWindow(g_notifyWindow) &&
        GetWindowThreadProcessId(g_notifyWindow, nullptr) == GetCurrentThreadId())
        return true;
    if (g_notifyWindow && IsWindow(g_notifyWindow)) DestroyWindow(g_notifyWindow);
    g_notifyWindow = nullptr;
    const HINSTANCE module = ThisModule();
    WNDCLASSA cls = {};
    if (!GetClassInfoA(module, kNotifyClass, &cls)) {
        cls.lpfnWndProc = NotifyWindowProc;
        cls.hInstance = module;
        cls.lpszClassName = kNotifyClass;
        if (!RegisterClassA(&cls)) return false;
    }
    g_notifyWindow = CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    return g_notifyWindow != nullptr;
}
