// The only thing the device's completion callback touches: one 64-bit word
// holding the playback generation (high half) and the number of buffers
// returned and not yet handled (low half). A new playback replaces the word
// as a whole, so a late completion of an earlier playback, whose generation
// no longer matches, cannot count itself into the new one.
#pragma once
#include <windows.h>

#include <cstdint>

// Starts a new generation with no pending completions; returns its number.
uint32_t BeginCompletionGeneration();
// Ends the current generation: its late completions are ignored from now on.
void EndCompletionGeneration();

// The callback's share: counts a returned buffer of generation and wakes the
// engine. False when the generation is not the current one.
bool CountCompletion(uint32_t generation);
// The engine's share: takes one pending completion of generation, if any.
bool TakeCompletion(uint32_t generation);

// The engine's wake-up, a process-lifetime auto-reset event: no late
// completion can signal a closed or reused handle.
HANDLE CompletionEvent();
