// The engine thread of a playback and the completions that wake it. The
// device's completion callback only counts a returned buffer into one
// 64-bit word and wakes the engine; the engine does every refill (read,
// effects, header, queuing) off the device's own notification thread, and
// hands the end of the playback to the interface thread through the
// player's notify window.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// The completion word holds the playback generation (high half) and the
// number of buffers returned and not yet handled (low half). A new playback
// replaces the word as a whole, so a late completion of an earlier
// playback, whose generation no longer matches, cannot count itself into
// the new one.
//
// Starts a new generation with no pending completions; returns its number.
uint32_t BeginCompletionGeneration();
// Ends the current generation: its late completions are ignored from now on.
void EndCompletionGeneration();

// The callback given to waveOutOpen, with the generation as its instance
// data: counts WOM_DONE for its generation and wakes the engine, nothing
// else.
void CALLBACK WaveOutCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

// Starts the engine for the playback of generation; false when no thread
// could be created.
bool StartRefillEngine(uint32_t generation);

// Lets the engine finish the refill it may be running and waits for it to
// end. Returns at once when no engine runs. Interface thread only.
void StopRefillEngine();

// Time spent per refill, for the latency measurement.
struct RefillStats {
    uint64_t refills;
    double totalSeconds;
    double longestSeconds;
};
RefillStats CurrentRefillStats();
void ResetRefillStats();

// The buffers the engine has taken back from the device since the player
// was loaded: it grows for as long as the device plays.
uint32_t CompletionsHandled();
