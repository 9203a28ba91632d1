// One playback block: widen the source samples, run the patch in order,
// apply the master gains, clip and narrow back to 16-bit stereo in place.
#pragma once
#include <atomic>
#include <cstdint>

constexpr int kMaxPatchLength = 4;

// The buffers of one playback. data[0] and data[1] are the data1 and data2
// buffers of blockSize bytes; values holds blockSize / 2 doubles.
struct PlayerBlockBuffers {
    int16_t* data[2];
    double* values;
    uint16_t channels;  // of the source; 1 is mono, anything else stereo
};

// The player's copies of what it is sent: the patch's ids and the two
// channel gains. Written by the interface thread while blocks are processed
// on another: each is atomic, so a block sees either the old or the new
// value of each.
struct PlayerCopies {
    std::atomic<int16_t> patchCount{0};
    std::atomic<int16_t> patchIds[kMaxPatchLength] = {};
    std::atomic<double> leftGain{1.0};
    std::atomic<double> rightGain{1.0};
};

extern PlayerCopies g_playerCopies;

// Processes data buffer bufferNumber (1 or 2) of buffers in place;
// byteCount the source bytes just read into it.
void ProcessBlock(const PlayerBlockBuffers& buffers, uint16_t bufferNumber, uint32_t byteCount);

// Gains, clip and rounding of count doubles into samples.
void ConvertToPcm16(double* values, int16_t* samples, int count);
