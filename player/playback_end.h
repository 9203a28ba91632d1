// Taking a playback down, on the interface thread: after Stop, after the
// last buffer has played, and when a start fails half-way.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Stops the indicator timer, claims the pipeline (Stopping), resets the
// device so that it hands back every queued buffer, waits for the engine to
// finish a refill in progress, then releases headers, buffers and device.
// Returns the reset's result, 0 when no device was open. The file stays
// open.
MMRESULT AbandonPlayback();

// Closes the source file, if it is open.
void CloseSourceFile();

// The stopped look after a playback: file closed, PLAY enabled, STOP and
// PAUSE disabled, both LEDs dark, halted flag set.
void FinishStoppedLook();

// The engine's notice that the last buffer of generation has played.
void EndOfPlayback(uint32_t generation);

// Called by the indicator timer: when the device has stopped playing (its
// sound server died) the playback is taken down as by Stop and the device
// service's text for a missing driver is shown, so the transport never
// stays lit over a silent, dead device.
void EndPlaybackIfDeviceLost();
