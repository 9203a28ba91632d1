#include "player/refill_engine.h"

#include <windows.h>

#include <atomic>

#include "player/block_pipeline.h"
#include "player/block_processing.h"
#include "player/completions.h"
#include "player/playback.h"

namespace {

std::atomic<bool> g_engineQuit{false};
std::atomic<uint32_t> g_completionsHandled{0};
RefillStats g_stats = {};  // written by the engine thread only

double SecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Data buffer n is back: read, process and queue its next block.
void RefillBuffer(int n)
{
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);

    ReleaseHeader(n);
    uint32_t bytes = 0;
    if (!ReadBlock(n, &bytes) || PlayedBytes(bytes, g_blockBuffers.channels) == 0) {
        // A failed read, a file that ends before its data chunk claims, or a
        // last block of less than one frame: nothing more to queue; the
        // buffer still playing ends the playback.
        AdvancePipelineState(Finished);
        return;
    }
    ProcessBlock(static_cast<uint16_t>(n), bytes);
    if (PrepareBlock(n, bytes) != MMSYSERR_NOERROR) {
        AdvancePipelineState(Finished);
        return;
    }
    WriteBlock(n, bytes);

    const double seconds = SecondsSince(start);
    ++g_stats.refills;
    g_stats.totalSeconds += seconds;
    if (seconds > g_stats.longestSeconds) g_stats.longestSeconds = seconds;
}

// One buffer has come back from the device.
void HandleCompletion(uint32_t generation)
{
    --g_playback.inFlight;
    g_completionsHandled.fetch_add(1);
    switch (CurrentPipelineState()) {
    case Buffer1Queued: RefillBuffer(2); break;
    case Buffer2Queued: RefillBuffer(1); break;
    case LastBlockQueued: AdvancePipelineState(Finished); break;
    default: break;  // Starting, Stopping, Finished: nothing to queue
    }
    if (CurrentPipelineState() == Finished && g_playback.inFlight <= 0)
        PostMessageA(g_notifyWindow, kEndOfPlaybackMessage, generation, 0);
}

DWORD WINAPI RefillEngineThread(void* parameter)
{
    const auto generation = static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(parameter));
    for (;;) {
        WaitForSingleObject(CompletionEvent(), INFINITE);
        if (g_engineQuit.load()) return 0;
        while (!g_engineQuit.load() && TakeCompletion(generation)) HandleCompletion(generation);
    }
}

}  // namespace

bool StartRefillEngine(uint32_t generation)
{
    g_engineQuit.store(false);
    g_playback.engine = CreateThread(nullptr, 0, RefillEngineThread,
                                     reinterpret_cast<void*>(static_cast<UINT_PTR>(generation)), 0, nullptr);
    if (!g_playback.engine) return false;
    // Completions that came in before the thread ran are still counted.
    SetEvent(CompletionEvent());
    return true;
}

void StopRefillEngine()
{
    if (!g_playback.engine) return;
    g_engineQuit.store(true);
    SetEvent(CompletionEvent());
    WaitForSingleObject(g_playback.engine, INFINITE);
    CloseHandle(g_playback.engine);
    g_playback.engine = nullptr;
    g_engineQuit.store(false);
}

RefillStats CurrentRefillStats() { return g_stats; }

uint32_t CompletionsHandled() { return g_completionsHandled.load(); }

void ResetRefillStats() { g_stats = {}; }
