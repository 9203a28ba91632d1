// The description of the current source file, as the source check recorded
// it, and the latency arithmetic that sizes its blocks. Program-wide state
// of qbx15.
#pragma once
#include <cstdint>

struct SourceFormat {
    uint32_t sampleRate;  // samples per second per channel
    uint16_t channels;    // 1 is mono; anything else is played as interleaved stereo
    uint32_t dataLength;  // bytes of the "data" chunk, as its header states
    int32_t blockSize;    // bytes of 16-bit stereo sound per playback block
};

extern SourceFormat g_sourceFormat;

// Bytes of 16-bit stereo sound in ms milliseconds at the given rate,
// truncated to a whole number of 4-byte frames (toward zero). Pure
// arithmetic, no Win32.
int32_t LatencyToBytesAtRate(int ms, uint32_t sampleRate);

// Block size in bytes for ms milliseconds at the current source rate.
int32_t LatencyToBytes(int ms);
