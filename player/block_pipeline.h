// The block pipeline: reading, wrapping and queuing blocks of the two data
// buffers, and releasing what a playback holds on the device. Used by the
// stream set-up (interface thread) and the refill engine (engine thread);
// never from the device's completion callback.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "player/playback.h"

// Reads the next block into data buffer n (1 or 2). False on a read error,
// which has been reported; *bytes may be anything from 0 to a full block.
bool ReadBlock(int n, uint32_t* bytes);

// Wraps data buffer n in a fresh header and record and prepares it for the
// device. 0, 7 when memory runs out, else the device's code (reported).
MMRESULT PrepareBlock(int n, uint32_t bytes);

// Queues header n unless the playback is stopping or finished, and sets
// the pipeline state that follows. A refused write is reported and gives
// Finished; *writeError (when given) receives its code.
PipelineState WriteBlock(int n, uint32_t bytes, MMRESULT* writeError = nullptr);

// Unlocks and frees the data buffer (when withData), the header and the
// record itself.
void ReleaseBlockRecord(BlockRecord* record, bool withData);

// Unprepares header n and frees it with its record, keeping the data buffer
// for the next refill.
void ReleaseHeader(int n);

// Unprepares and frees both headers and records, frees the three buffers
// and closes the device. The caller has made sure that nothing is queued
// (the device was reset or every buffer has come back) and that no refill
// runs. Safe to call when nothing is held. After the last buffer of a file
// the device may be left open for a moment (lingering) so that the sound
// still on its way to the speakers is not cut off; CloseLingeringDevice
// closes it, on the notify window's timer or before anything else uses
// the device.
void ReleaseDeviceSide(bool linger = false);
void CloseLingeringDevice();

// The callback given to waveOutOpen: counts WOM_DONE for its generation and
// wakes the engine, nothing else.
void CALLBACK WaveOutCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

// A movable shareable global block of size bytes; FreeLockedBlock unlocks
// and frees one (a null handle is ignored).
HGLOBAL AllocateSharedBlock(SIZE_T size);
void FreeLockedBlock(HGLOBAL block);
