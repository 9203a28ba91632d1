// The four settings kept between runs in "qbx15.ini" in the Windows
// directory: latency, wave-out device name, and the main window's position.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr int kDeviceNameSize = 32;  // 31 characters and the terminating zero
constexpr int32_t kNoDeviceIndex = 21;

// The wave-out device the player opens, by product name and by index.
extern char g_deviceName[kDeviceNameSize];
extern int32_t g_deviceIndex;

// Reads the latency (into g_latency, limited to 10..500), the device name
// and its index, and the window position. defaultFrame is the window's
// rectangle where it stands without a stored position; its left and top
// are taken as well when the stored position would put the window wholly
// off the work area (a screen since removed, a resolution since lowered).
void ReadSettings(const RECT& defaultFrame, int* left, int* top);

// Writes the main window's position, the device name and the latency. The
// position is that of the normal window, also while it is minimised or
// maximised.
void WriteSettings(HWND mainWindow);

// Reads device id's product name into name (kDeviceNameSize bytes). When
// the device cannot tell it, shows the device service's own error text in a
// box without owner and leaves name empty; false then.
bool ReadWaveOutDeviceName(UINT id, char* name);

// The index of the device whose product name is deviceName. When none
// matches, device 0's name is copied into deviceName and 0 answered; with
// no device at all the user is told and kNoDeviceIndex answered.
int32_t LookupWaveOutDevice(char* deviceName);
