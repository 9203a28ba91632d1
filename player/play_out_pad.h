// Silence queued behind the last block of a file while the device lingers.
// Wine's wave-out reports a buffer done by its own clock, which runs ahead
// of the sound server once the server has had to wait for data, and it
// pauses the stream the moment its queue is empty: the last milliseconds of
// the real sound would stay unplayed in the server. With silence queued
// behind them the stream keeps running until they are out. On Windows the
// pad is simply silence played while the device waits to be closed.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Queues the pad on device (stereo 16-bit at bytesPerSecond); nothing
// happens when it cannot be queued. At most one device holds the pad.
void QueuePlayOutPad(HWAVEOUT device, uint32_t bytesPerSecond);
// Takes the pad back from device (reset, unprepare) before it is closed.
void TakeBackPlayOutPad(HWAVEOUT device);

// Bytes of pad for a stream of bytesPerSecond: 200 ms in whole stereo
// frames, capped by the pad buffer.
uint32_t PlayOutPadBytes(uint32_t bytesPerSecond);
