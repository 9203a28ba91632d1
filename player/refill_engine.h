// The engine thread of a playback: woken by the device's completions, it
// does every refill (read, effects, header, queuing) off the device's own
// notification thread, and hands the end of the playback to the interface
// thread through the player's message window.
#pragma once
#include <cstdint>

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

// The buffers the engine has taken back from the device since the player
// was loaded: it grows for as long as the device plays.
uint32_t CompletionsHandled();
void ResetRefillStats();
