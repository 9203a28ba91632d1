// The blocks of a playback: each is read from the source into data buffer n
// (1 or 2), run through the patch, wrapped in a header, queued on the
// device, and released when it comes back. Used by the start (interface
// thread) and the refill engine (engine thread); never from the device's
// completion callback.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// What became of the next block of a data buffer.
enum BlockOutcome {
    BlockQueued,      // on the device
    BlockEmpty,       // no whole frame was read: nothing to queue
    BlockUnread,      // the read failed (reported)
    BlockUnprepared,  // no header for it (reported); *code says why
    BlockUnwritten,   // not queued: the device refused it (reported, *code
                      // set, pipeline Finished) or the pipeline stops (*code 0)
};

// Reads the next block into data buffer n, processes it, wraps it and
// queues it. With emptyEnds a block that holds no whole frame is left
// unqueued (BlockEmpty); without, it is queued as it is. *bytes receives the
// bytes read, *code the device's code of a refused prepare or write.
BlockOutcome QueueNextBlock(int n, bool emptyEnds, uint32_t* bytes, MMRESULT* code);

// Unprepares header n and frees it with its record, keeping the data buffer
// for the next refill.
void ReleaseHeader(int n);

// Unprepares and frees both headers and records and frees the three
// buffers. The caller has made sure that nothing is queued (the device was
// reset or every buffer has come back) and that no refill runs. Safe to
// call when nothing is held.
void ReleaseBlocks();

// A movable shareable global block of size bytes; FreeLockedBlock unlocks
// and frees one (a null handle is ignored).
HGLOBAL AllocateSharedBlock(SIZE_T size);
void FreeLockedBlock(HGLOBAL block);
