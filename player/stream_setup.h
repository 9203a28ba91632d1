// The start of a playback: the source file opened and checked, the device
// opened for 16-bit stereo at the source's rate, the three buffers, the
// indicator timer and the first two blocks queued. Interface thread only.
#pragma once
#include <cstdint>

// 0 when the playback runs; otherwise 100 (file, format, read or timer
// failure), 7 (out of memory) or the multimedia service's code, after one
// message and with nothing left held but the caller's windows.
uint32_t OpenStream(uint32_t deviceId, const char* fileName, uint32_t ioBufferSize);

// The start refused before anything is taken, when the player's notify
// window cannot be made: the device service's text for MMSYSERR_NOMEM,
// and its code, 7.
uint32_t RefuseWithoutNotifyWindow();
