#include "app/settings.h"

#include <climits>
#include <cstdio>

#include "dialogs/device_list.h"
#include "model/settings.h"
#include "resources/resource_ids.h"

namespace {

const char kWaveOut[] = "Wave Out";
const char kMainWindow[] = "Main Window";

void LoadSettingsFileName(HINSTANCE instance, char* name, int size)
{
    name[0] = '\0';
    LoadStringA(instance, IDS_SETTINGS_FILE, name, size);
}

void WriteInt(const char* section, const char* key, long value, const char* file)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    WritePrivateProfileStringA(section, key, text, file);
}

// True when a window of frame's size at (left, top) shares at least one
// pixel with the work area of the monitor nearest to it.
bool OnWorkArea(int left, int top, const RECT& frame)
{
    const long long right = static_cast<long long>(left) + (frame.right - frame.left);
    const long long bottom = static_cast<long long>(top) + (frame.bottom - frame.top);
    if (right > INT_MAX || bottom > INT_MAX) return false;  // no screen reaches out there
    RECT placed;
    SetRect(&placed, left, top, static_cast<int>(right), static_cast<int>(bottom));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) return true;
    RECT shared;
    return IntersectRect(&shared, &placed, &monitor.rcWork) != FALSE;
}

// The window's outer rectangle on the screen as it stands when neither
// minimised nor maximised.
RECT NormalWindowRect(HWND window)
{
    RECT r = {};
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!(IsIconic(window) || IsZoomed(window)) || !GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &r);
        return r;
    }
    // The normal rectangle is given in work-area coordinates.
    r = placement.rcNormalPosition;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor))
        OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return r;
}

}  // namespace

void ReadSettings(HINSTANCE instance, const RECT& defaultFrame, Settings* settings)
{
    char file[12];
    LoadSettingsFileName(instance, file, sizeof file);

    int16_t latency = static_cast<int16_t>(GetPrivateProfileIntA(kWaveOut, "Latency", kDefaultLatency, file));
    if (latency < kMinimumLatency) latency = kMinimumLatency;
    if (latency > kMaximumLatency) latency = kMaximumLatency;
    settings->latency = latency;

    GetPrivateProfileStringA(kWaveOut, "Device", "", settings->deviceName, kDeviceNameSize, file);
    settings->deviceIndex = LookupWaveOutDevice(settings->deviceName);

    const int left = static_cast<int>(GetPrivateProfileIntA(kMainWindow, "Left", defaultFrame.left, file));
    const int top = static_cast<int>(GetPrivateProfileIntA(kMainWindow, "Top", defaultFrame.top, file));
    const bool placed = OnWorkArea(left, top, defaultFrame);
    settings->windowLeft = placed ? left : defaultFrame.left;
    settings->windowTop = placed ? top : defaultFrame.top;
}

void WriteSettings(HINSTANCE instance, HWND mainWindow, Settings* settings)
{
    char file[12];
    LoadSettingsFileName(instance, file, sizeof file);
    const RECT r = NormalWindowRect(mainWindow);
    settings->windowLeft = r.left;
    settings->windowTop = r.top;
    WriteInt(kMainWindow, "Left", settings->windowLeft, file);
    WriteInt(kMainWindow, "Top", settings->windowTop, file);
    WritePrivateProfileStringA(kWaveOut, "Device", settings->deviceName, file);
    WriteInt(kWaveOut, "Latency", settings->latency, file);
}
