#include "dialogs/device_list.h"

#include <mmsystem.h>

#include "dialogs/error_box.h"
#include "model/settings.h"

bool ReadWaveOutDeviceName(UINT id, char* name)
{
    // The name is read as the driver gives it, in UTF-16, and written in the
    // process code page here: the ANSI call would squeeze it into 32 bytes,
    // which cuts a name with letters of several bytes short.
    WAVEOUTCAPSW caps = {};
    const MMRESULT rc = waveOutGetDevCapsW(id, &caps, sizeof caps);
    if (rc != MMSYSERR_NOERROR) {
        char text[81] = {};
        waveOutGetErrorTextA(rc, text, 80);
        ShowErrorBox(nullptr, text);
        name[0] = '\0';
        return false;
    }
    caps.szPname[MAXPNAMELEN - 1] = L'\0';
    if (WideCharToMultiByte(CP_ACP, 0, caps.szPname, -1, name, kDeviceNameSize, nullptr, nullptr) <= 0) name[0] = '\0';
    return true;
}

int32_t LookupWaveOutDevice(char* deviceName)
{
    const UINT count = waveOutGetNumDevs();
    if (count == 0) {
        ShowErrorBox(nullptr, "No Wave Out device/driver has been installed in this system.");
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
