// The Preferences dialog (IDD_PREFERENCES): wave-out device and latency.
#pragma once
#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, owned by owner.
void RunPreferencesDialog(HINSTANCE instance, HWND owner);

// Reads device id's product name into name (kDeviceNameSize bytes). When
// the device cannot tell it, shows the device service's own error text in a
// box without owner and leaves name empty; false then.
bool ReadWaveOutDeviceName(UINT id, char* name);

// The index of the device whose product name is deviceName. When none
// matches, device 0's name is copied into deviceName and 0 answered; with
// no device at all the user is told and kNoDeviceIndex answered.
int32_t LookupWaveOutDevice(char* deviceName);
