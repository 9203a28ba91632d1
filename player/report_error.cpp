#include "player/report_error.h"

#include <cstring>

#include "player/player_state.h"

namespace {

void DeviceErrorText(MMRESULT code, char* text, UINT size)
{
    if (waveOutGetErrorTextA(code, text, size) != MMSYSERR_NOERROR) text[0] = '\0';
}

}  // namespace

void ReportError(const char* text)
{
    HWND owner = FindWindowA("zantil_quellbox", nullptr);
    MessageBoxA(owner, text, "Quellbox", MB_OK | MB_ICONERROR);
}

void ReportDeviceError(MMRESULT code)
{
    char text[256];
    DeviceErrorText(code, text, sizeof text);
    ReportError(text);
}

void ReportPlaybackError(const char* text)
{
    if (GetCurrentThreadId() == g_player.interfaceThread) {
        ReportError(text);
        return;
    }
    const size_t size = std::strlen(text) + 1;
    if (!g_player.notifyWindow) return;  // nothing is posted to a window that is not there
    HLOCAL copy = LocalAlloc(LMEM_FIXED, size);
    if (!copy) return;
    std::memcpy(copy, text, size);
    if (!PostMessageA(g_player.notifyWindow, kPlaybackErrorMessage, 0, reinterpret_cast<LPARAM>(copy))) LocalFree(copy);
}

void ReportPlaybackDeviceError(MMRESULT code)
{
    char text[256];
    DeviceErrorText(code, text, sizeof text);
    ReportPlaybackError(text);
}
