// The one playback the player runs at a time: its record, the state lock and
// the pipeline state machine. The interface thread (the thread that calls
// Play) and, while a playback runs, the engine thread share the record; the
// device's completion callback touches none of it (engine.h).
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "player/block_plan.h"
#include "player/block_processing.h"
#include "player/device_watch.h"

// The windows Play is handed; owned by the caller.
struct TransportWindows {
    HWND playButton;
    HWND stopButton;
    HWND pauseButton;
    HWND greenLed;
    HWND redLed;
};

// The instance data record of a queued block: its own memory handle, the
// header's, and the data buffer's.
struct BlockRecord {
    HGLOBAL self;
    HGLOBAL header;
    HGLOBAL data;
};

struct Player {
    // Handed in by Play.
    TransportWindows windows = {};
    uint32_t blockSize = 0;       // bytes of stereo output per block
    DWORD interfaceThread = 0;    // the thread that called Play

    // The interface thread's own: the message window the engine posts to,
    // the indicator timer and the watch it keeps over the device.
    HWND notifyWindow = nullptr;
    UINT_PTR timerId = 0;
    DeviceWatch deviceWatch = {};
    uint32_t watchedGeneration = 0;  // the playback the watch looks at

    // The source file and the blocks read from it.
    HMMIO file = nullptr;
    BlockPlan plan = {};
    uint32_t blockCounter = 0;  // the block the next read fetches, 1-based

    // The device and the engine thread that feeds it.
    HWAVEOUT device = nullptr;
    HWAVEOUT lingeringDevice = nullptr;  // played to its end, closed a moment later
    uint32_t outputBytesPerSecond = 0;   // of the stereo 16-bit stream on the device
    uint32_t generation = 0;             // names this playback's completions (engine.h)
    int inFlight = 0;                    // buffers queued on the device and not yet back
    HANDLE engine = nullptr;

    // The buffers (data1, data2 and the doubles), their memory, and the
    // current header of each data buffer.
    PlayerBlockBuffers buffers = {{nullptr, nullptr}, nullptr, 2};
    HGLOBAL valuesMemory = nullptr;
    HGLOBAL dataMemory[2] = {};
    HGLOBAL headerMemory[2] = {};
    WAVEHDR* header[2] = {};
    // The silence queued behind the last block while the device lingers.
    WAVEHDR padHeader = {};
    HWAVEOUT padDevice = nullptr;

    // The pipeline state word, written only by EnterPipelineState under
    // stateLock, and the halted flag (set while paused or stopped).
    SRWLOCK stateLock = SRWLOCK_INIT;
    std::atomic<int32_t> state{Starting};
    std::atomic<int32_t> halted{1};
};

extern Player g_player;

// Holds the state lock for its scope. The device write of a block takes it
// as well, so Stop's Stopping can never be overtaken by a block queued
// after it.
struct ScopedPipelineLock {
    ScopedPipelineLock() { AcquireSRWLockExclusive(&g_player.stateLock); }
    ~ScopedPipelineLock() { ReleaseSRWLockExclusive(&g_player.stateLock); }
    ScopedPipelineLock(const ScopedPipelineLock&) = delete;
    ScopedPipelineLock& operator=(const ScopedPipelineLock&) = delete;
};

PipelineState CurrentPipelineState();

// True when the pipeline may move from its present state to `to`. Lock held.
bool PipelineMayEnter(PipelineState to);
// The one writer of the state word; a move the table refuses leaves it as it
// is. Lock held.
void EnterPipelineState(PipelineState to);
// EnterPipelineState under the lock; returns the state the word then holds.
PipelineState MovePipeline(PipelineState to);

// Posted to the player's notify window by the engine thread.
constexpr UINT kEndOfPlaybackMessage = WM_APP + 1;  // wParam: the generation
constexpr UINT kPlaybackErrorMessage = WM_APP + 2;  // lParam: a LocalAlloc'd text
// The notify window's timer that closes a device after its last buffer.
constexpr UINT_PTR kLingerTimerId = 1;
constexpr UINT kLingerMs = 300;
