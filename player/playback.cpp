#include "player/playback.h"

Playback g_playback = {};
TransportWindows g_windows = {};
std::atomic<int32_t> g_pipelineState{Starting};
std::atomic<int32_t> g_halted{1};
DWORD g_interfaceThread = 0;
HWND g_notifyWindow = nullptr;

namespace {
SRWLOCK g_stateLock = SRWLOCK_INIT;
}

void LockPipelineState() { AcquireSRWLockExclusive(&g_stateLock); }

void UnlockPipelineState() { ReleaseSRWLockExclusive(&g_stateLock); }

PipelineState CurrentPipelineState() { return static_cast<PipelineState>(g_pipelineState.load()); }

void SetPipelineState(PipelineState state)
{
    LockPipelineState();
    g_pipelineState.store(state);
    UnlockPipelineState();
}

PipelineState AdvancePipelineState(PipelineState state)
{
    LockPipelineState();
    if (g_pipelineState.load() != Stopping) g_pipelineState.store(state);
    const PipelineState now = CurrentPipelineState();
    UnlockPipelineState();
    return now;
}
