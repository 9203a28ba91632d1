#include "player/engine.h"

#include <atomic>

#include "player/blocks.h"
#include "player/player_state.h"

namespace {

std::atomic<uint64_t> g_completionWord{0};
std::atomic<uint32_t> g_lastGeneration{0};
std::atomic<bool> g_engineQuit{false};
std::atomic<uint32_t> g_completionsHandled{0};
RefillStats g_stats = {};  // written by the engine thread only

uint32_t GenerationOf(uint64_t word) { return static_cast<uint32_t>(word >> 32); }

// The engine's wake-up, a process-lifetime auto-reset event: no late
// completion can signal a closed or reused handle.
HANDLE CompletionEvent()
{
    static const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // thread-safe static
    return event;
}

// The callback's share: counts a returned buffer of generation and wakes the
// engine. False when the generation is not the current one.
bool CountCompletion(uint32_t generation)
{
    uint64_t word = g_completionWord.load();
    do {
        if (generation == 0 || GenerationOf(word) != generation) return false;
    } while (!g_completionWord.compare_exchange_weak(word, word + 1));
    SetEvent(CompletionEvent());
    return true;
}

// The engine's share: takes one pending completion of generation, if any.
bool TakeCompletion(uint32_t generation)
{
    uint64_t word = g_completionWord.load();
    do {
        if (GenerationOf(word) != generation || static_cast<uint32_t>(word) == 0) return false;
    } while (!g_completionWord.compare_exchange_weak(word, word - 1));
    return true;
}

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
    MMRESULT code = MMSYSERR_NOERROR;
    const BlockOutcome outcome = QueueNextBlock(n, true, &bytes, &code);
    if (outcome != BlockQueued && outcome != BlockUnwritten) {
        // A failed read, a file that ends before its data chunk claims, a
        // last block of less than one frame, or no header for it: nothing
        // more to queue; the buffer still playing ends the playback.
        MovePipeline(Finished);
        return;
    }

    const double seconds = SecondsSince(start);
    ++g_stats.refills;
    g_stats.totalSeconds += seconds;
    if (seconds > g_stats.longestSeconds) g_stats.longestSeconds = seconds;
}

// One buffer has come back from the device.
void HandleCompletion(uint32_t generation)
{
    --g_player.inFlight;
    g_completionsHandled.fetch_add(1);
    switch (CurrentPipelineState()) {
    case Buffer1Queued: RefillBuffer(2); break;
    case Buffer2Queued: RefillBuffer(1); break;
    case LastBlockQueued: MovePipeline(Finished); break;
    default: break;  // Starting, Stopping, Finished: nothing to queue
    }
    if (CurrentPipelineState() == Finished && g_player.inFlight <= 0)
        PostMessageA(g_player.notifyWindow, kEndOfPlaybackMessage, generation, 0);
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

uint32_t BeginCompletionGeneration()
{
    CompletionEvent();
    uint32_t generation = g_lastGeneration.fetch_add(1) + 1;
    if (generation == 0) generation = g_lastGeneration.fetch_add(1) + 1;  // 0 never names a playback
    g_completionWord.store(static_cast<uint64_t>(generation) << 32);
    return generation;
}

void EndCompletionGeneration()
{
    g_completionWord.store(0);
}

void CALLBACK WaveOutCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2)
{
    // Only counting and waking here: the device service allows no wave,
    // window or timer calls inside its callback.
    if (message == WOM_DONE) CountCompletion(static_cast<uint32_t>(instance));
}

bool StartRefillEngine(uint32_t generation)
{
    g_engineQuit.store(false);
    g_player.engine = CreateThread(nullptr, 0, RefillEngineThread,
                                   reinterpret_cast<void*>(static_cast<UINT_PTR>(generation)), 0, nullptr);
    if (!g_player.engine) return false;
    // Completions that came in before the thread ran are still counted.
    SetEvent(CompletionEvent());
    return true;
}

void StopRefillEngine()
{
    if (!g_player.engine) return;
    g_engineQuit.store(true);
    SetEvent(CompletionEvent());
    WaitForSingleObject(g_player.engine, INFINITE);
    CloseHandle(g_player.engine);
    g_player.engine = nullptr;
    g_engineQuit.store(false);
}

RefillStats CurrentRefillStats() { return g_stats; }

void ResetRefillStats() { g_stats = {}; }

uint32_t CompletionsHandled() { return g_completionsHandled.load(); }
