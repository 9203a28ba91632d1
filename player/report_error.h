// The player's messages to the user.
#pragma once
#include <windows.h>
#include <mmsystem.h>

// A modal box captioned "Quellbox" with the error icon and one OK button,
// owned by the main window ("zantil_quellbox") when one exists. Returns
// when the user closes it.
void ReportError(const char* text);

// ReportError with the device service's own text for code.
void ReportDeviceError(MMRESULT code);

// For the pipeline, which runs on the interface thread during a start and
// on the engine thread afterwards: shows text at once on the interface
// thread, else hands it to the interface thread's player window.
void ReportPlaybackError(const char* text);
void ReportPlaybackDeviceError(MMRESULT code);
