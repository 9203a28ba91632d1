// The state of the one playback the player runs at a time, shared by the
// stream set-up, the block pipeline and the transport. Everything here is
// touched by the interface thread (the thread that calls Play) and, while a
// playback runs, by the engine thread that refills the buffers; the device's
// completion callback touches only the completion word (completions.h).
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "player/block_plan.h"

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

struct Playback {
    uint32_t blockSize;  // bytes of stereo output per block, as Play was given
    HWAVEOUT device;
    HWAVEOUT lingeringDevice;  // played to its end, closed a moment later
    uint32_t outputBytesPerSecond;  // of the stereo 16-bit stream on the device
    HMMIO file;
    uint32_t generation;  // names this playback's completions (completions.h)
    BlockPlan plan;
    uint32_t blockCounter;  // the block the next read fetches, 1-based
    int inFlight;           // buffers queued on the device and not yet back
    HGLOBAL valuesMemory;
    HGLOBAL dataMemory[2];
    HGLOBAL headerMemory[2];
    WAVEHDR* header[2];  // the current header of data1 and data2
    UINT_PTR timerId;
    HANDLE engine;  // the refill thread while the playback runs
};

extern Playback g_playback;
extern TransportWindows g_windows;
extern std::atomic<int32_t> g_pipelineState;
extern std::atomic<int32_t> g_halted;  // set while paused or stopped
extern DWORD g_interfaceThread;       // the thread that called Play

// The state word is written under a lock that the device write also takes,
// so Stop's Stopping can never be overtaken by a block queued after it.
void LockPipelineState();
void UnlockPipelineState();
PipelineState CurrentPipelineState();
// Sets state under the lock (Stop's Stopping, a start's Starting).
void SetPipelineState(PipelineState state);
// Sets state under the lock unless Stop has already claimed the playback;
// returns the state the word then holds.
PipelineState AdvancePipelineState(PipelineState state);

// Posted to the player's message window by the engine thread.
constexpr UINT kEndOfPlaybackMessage = WM_APP + 1;  // wParam: the generation
constexpr UINT kPlaybackErrorMessage = WM_APP + 2;  // lParam: a LocalAlloc'd text
extern HWND g_notifyWindow;
// The notify window's timer that closes a device after its last buffer.
constexpr UINT_PTR kLingerTimerId = 1;
constexpr UINT kLingerMs = 300;
