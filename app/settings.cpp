#include "app/settings.h"

#include <mmsystem.h>

#include <cstdio>

#include "audio/source_format.h"
#include "resources/resource_ids.h"

HINSTANCE g_instance = nullptr;
char g_deviceName[kDeviceNameSize] = "";
int32_t g_deviceIndex = 0;

namespace {

const char kWaveOut[] = "Wave Out";
const char kMainWindow[] = "Main Window";

void LoadSettingsFileName(char* name, int size)
{
    name[0] = '\0';
    LoadStringA(g_instance, IDS_SETTINGS_FILE, name, size);
}

void ShowUnownedError(const char* text)
{
    MessageBoxA(nullptr, text, "Quellbox", MB_OK | MB_ICONERROR);
}

void WriteInt(const char* section, const char* key, long value, const char* file)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    WritePrivateProfileStringA(section, key, text, file);
}

}  // namespace

bool ReadWaveOutDeviceName(UINT id, char* name)
{
    WAVEOUTCAPSA caps = {};
    const MMRESULT rc = waveOutGetDevCapsA(id, &caps, sizeof caps);
    if (rc != MMSYSERR_NOERROR) {
        char text[81] = {};
        waveOutGetErrorTextA(rc, text, 80);
        ShowUnownedError(text);
        name[0] = '\0';
        return false;
    }
    lstrcpynA(name, caps.szPname, kDeviceNameSize);
    return true;
}

int32_t LookupWaveOutDevice(char* deviceName)
{
    const UINT count = waveOutGetNumDevs();
    if (count == 0) {
        ShowUnownedError("No Wave Out device/driver has been installed in this system.");
        return kNoDeviceIndex;
    }
    char first[kDeviceNameSize] = "";
    for (UINT id = 0; id < count; ++id) {
        char name[kDeviceNameSize];
        if (!ReadWaveOutDeviceName(id, name)) continue;  // such a device does not match
        if (id == 0) lstrcpyA(first, name);
        if (lstrcmpA(name, deviceName) == 0) return static_cast<int32_t>(id);
    }
    lstrcpyA(deviceName, first);
    return 0;
}

void ReadSettings(int defaultLeft, int defaultTop, int* left, int* top)
{
    char file[12];
    LoadSettingsFileName(file, sizeof file);

    int16_t latency = static_cast<int16_t>(GetPrivateProfileIntA(kWaveOut, "Latency", kDefaultLatency, file));
    if (latency < kMinimumLatency) latency = kMinimumLatency;
    if (latency > kMaximumLatency) latency = kMaximumLatency;
    g_latency = latency;

    GetPrivateProfileStringA(kWaveOut, "Device", "", g_deviceName, kDeviceNameSize, file);
    g_deviceIndex = LookupWaveOutDevice(g_deviceName);

    *left = static_cast<int>(GetPrivateProfileIntA(kMainWindow, "Left", defaultLeft, file));
    *top = static_cast<int>(GetPrivateProfileIntA(kMainWindow, "Top", defaultTop, file));
}

void WriteSettings(HWND mainWindow)
{
    char file[12];
    LoadSettingsFileName(file, sizeof file);
    RECT r = {};
    GetWindowRect(mainWindow, &r);
    WriteInt(kMainWindow, "Left", r.left, file);
    WriteInt(kMainWindow, "Top", r.top, file);
    WritePrivateProfileStringA(kWaveOut, "Device", g_deviceName, file);
    WriteInt(kWaveOut, "Latency", g_latency, file);
}
