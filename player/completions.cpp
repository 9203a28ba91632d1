#include "player/completions.h"

#include <atomic>

namespace {

std::atomic<uint64_t> g_completionWord{0};
std::atomic<uint32_t> g_lastGeneration{0};

uint32_t GenerationOf(uint64_t word) { return static_cast<uint32_t>(word >> 32); }

HANDLE CreateCompletionEvent()
{
    return CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

}  // namespace

HANDLE CompletionEvent()
{
    static const HANDLE event = CreateCompletionEvent();  // thread-safe static
    return event;
}

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

bool CountCompletion(uint32_t generation)
{
    uint64_t word = g_completionWord.load();
    do {
        if (generation == 0 || GenerationOf(word) != generation) return false;
    } while (!g_completionWord.compare_exchange_weak(word, word + 1));
    SetEvent(CompletionEvent());
    return true;
}

bool TakeCompletion(uint32_t generation)
{
    uint64_t word = g_completionWord.load();
    do {
        if (GenerationOf(word) != generation || static_cast<uint32_t>(word) == 0) return false;
    } while (!g_completionWord.compare_exchange_weak(word, word - 1));
    return true;
}
