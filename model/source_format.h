// The description of the current source file, as the source check recorded
// it, and the playback latency and device. Program-wide state of qbx15.
#pragma once
#include <cstdint>

struct SourceFormat {
    uint32_t sampleRate;  // samples per second per channel
    uint16_t channels;    // 1 is mono; anything else is played as interleaved stereo
    uint32_t dataLength;  // bytes of the "data" chunk, as its header states
    int32_t blockSize;    // bytes of 16-bit stereo sound per playback block
};

constexpr int16_t kMinimumLatency = 10;
constexpr int16_t kMaximumLatency = 500;
constexpr int16_t kDefaultLatency = 150;

extern SourceFormat g_sourceFormat;
extern int16_t g_latency;  // milliseconds

// A product name is at most 31 UTF-16 units; in the process code page
// (UTF-8) each takes up to three bytes, and the terminating zero one.
constexpr int kDeviceNameSize = 3 * 31 + 1;
constexpr int32_t kNoDeviceIndex = 21;

// The wave-out device the player opens, by product name and by index.
extern char g_deviceName[kDeviceNameSize];
extern int32_t g_deviceIndex;

// Bytes of 16-bit stereo sound in ms milliseconds at the given rate,
// truncated to a whole number of 4-byte frames (toward zero). Pure
// arithmetic, no Win32.
int32_t LatencyToBytesAtRate(int ms, uint32_t sampleRate);

// Block size in bytes for ms milliseconds at the current source rate.
int32_t LatencyToBytes(int ms);
