// The arithmetic of one playback's blocks and the pipeline's states: pure,
// no Win32, so it is tested natively.
#pragma once
#include <cstdint>

// The pipeline state word; the numbers are the values it takes.
enum PipelineState : int32_t {
    Starting = 0,         // a start is running; completions do nothing
    Buffer1Queued = 1,    // data1 was queued last; data2 comes back next
    Buffer2Queued = 2,    // data2 was queued last; data1 comes back next
    Stopping = 10,        // Stop is releasing the playback
    LastBlockQueued = 11, // the last block is queued; the other still plays
    Finished = 12,        // nothing more is queued; the last return ends it
};

struct BlockPlan {
    uint32_t dataSize;         // bytes of the "data" chunk, as its header states
    uint32_t sourceBlockSize;  // bytes read from the source per block
    uint32_t totalBlocks;      // blocks the data chunk claims
};

// blockSize bytes of stereo output per block; a mono source reads half.
BlockPlan PlanBlocks(uint32_t dataSize, uint32_t blockSize, uint16_t channels);

// Bytes the read of block number counter (1-based) asks for; 0 past the end.
uint32_t BlockReadSize(const BlockPlan& plan, uint32_t counter);

// Bytes the device plays for bytesRead source bytes: the whole frames among
// them as 16-bit stereo (a mono block doubles), exactly what the mixdown
// makes of them; a trailing partial frame is dropped.
uint32_t PlayedBytes(uint32_t bytesRead, uint16_t channels);

// True when blockSize bytes per block give buffers that can be sized in 32
// bits: the buffer of doubles holds blockSize / 2 values of 8 bytes.
bool BlockBuffersFit(uint32_t blockSize);

// The state after block counter of bytes was queued from buffer n (1 or 2):
// the last block, short or counted, gives LastBlockQueued.
PipelineState StateAfterWrite(const BlockPlan& plan, uint32_t counter, int n, uint32_t bytes);

// True when the pipeline may move from `from` to `to`: the table of its
// moves, each by its one cause (player_state.cpp). A refused move leaves
// the state as it is.
bool PipelineMayMove(PipelineState from, PipelineState to);
