// The transport on the interface thread (the thread that calls Play): the
// start of a playback, its end, the look of the buttons and LEDs that Play
// is handed, and the notify window through which the engine thread reaches
// this thread.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// --- The start (transport_start.cpp) ---

// The source file opened and checked, the device opened for 16-bit stereo
// at the source's rate, the three buffers, the indicator timer and the
// first two blocks queued. 0 when the playback runs; otherwise 100 (file,
// format, read or timer failure), 7 (out of memory) or the multimedia
// service's code, after one message and with nothing left held but the
// caller's windows.
uint32_t OpenStream(uint32_t deviceId, const char* fileName, uint32_t ioBufferSize);

// The start refused before anything is taken, when the player's notify
// window cannot be made: the device service's text for MMSYSERR_NOMEM,
// and its code, 7.
uint32_t RefuseWithoutNotifyWindow();

// --- The end, the look and the notify window (transport.cpp) ---

// Stops the indicator timer, claims the pipeline (Stopping), resets the
// device so that it hands back every queued buffer, waits for the engine to
// finish a refill in progress, then releases headers, buffers and device.
// Returns the reset's result, 0 when no device was open. The file stays
// open.
MMRESULT AbandonPlayback();

// Closes the source file, if it is open.
void CloseSourceFile();

// Closes the device left playing out its last buffer, if there is one.
// After the last buffer of a file the device stays open for a moment so
// that the sound still on its way to the speakers is not cut off; this
// closes it, on the notify window's timer or before anything else uses the
// device.
void CloseLingeringDevice();

// The stopped look after a playback: file closed, PLAY enabled, STOP and
// PAUSE disabled, both LEDs dark, halted flag set.
void FinishStoppedLook();

// One drawing of an LED window: a device context got and released around
// one call of Led. A missing window is skipped.
void DrawLed(HWND led, bool lit, const char* colour);
// PLAY disabled, STOP and PAUSE enabled; green lit, red dark.
void ShowPlayingLook();
// PLAY enabled, STOP and PAUSE disabled.
void ShowStoppedButtons();
// Green dark, then red dark.
void DrawBothLedsDark();

// Every 100 ms while a playback holds the timer: green lit, red lit while
// halted (paused); a device that has stopped playing (its sound server
// died) takes the playback down as Stop does and shows the device
// service's text for a missing driver, so the transport never stays lit
// over a silent, dead device.
constexpr UINT kIndicatorMs = 100;
void CALLBACK IndicatorTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

// Creates the notify window, a message-only window, on the calling thread
// unless it already has it. The engine thread posts the end of a playback
// and its failure texts there, so the release, the device close, the timer
// and every window call happen on the thread that owns them. False when it
// cannot be created.
bool EnsureNotifyWindow();
