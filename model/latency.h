// Playback block size from a latency: pure arithmetic, no Win32.
#pragma once
#include <cstdint>

// Bytes of 16-bit stereo sound in ms milliseconds at the given rate,
// truncated to a whole number of 4-byte frames (toward zero).
int32_t LatencyToBytesAtRate(int ms, uint32_t sampleRate);
