// The four settings kept between runs in "qbx15.ini" in the Windows
// directory: latency, wave-out device name, and the main window's position.
#pragma once
#include <windows.h>

#include "model/settings.h"

// Reads the whole record from the file that instance's string
// IDS_SETTINGS_FILE names: the latency (limited to 10..500), the device name
// and its index, and the window position. defaultFrame is the window's
// rectangle where it stands without a stored position; its left and top
// are taken as well when the stored position would put the window wholly
// off the work area (a screen since removed, a resolution since lowered).
void ReadSettings(HINSTANCE instance, const RECT& defaultFrame, Settings* settings);

// Takes the main window's position into the record and writes the record
// to the file that instance's string IDS_SETTINGS_FILE names.
// The position is that of the normal window, also while it is minimised or
// maximised.
void WriteSettings(HINSTANCE instance, HWND mainWindow, Settings* settings);
