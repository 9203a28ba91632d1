#include "model/source_format.h"

#include <limits>

SourceFormat g_sourceFormat = {44100, 0, 0, 0};

int32_t LatencyToBytesAtRate(int ms, uint32_t sampleRate)
{
    // ms x rate x 4 bytes per stereo frame. Computed in 64 bits so that an
    // absurd rate saturates instead of wrapping into a negative block size;
    // every product that fits in 32 bits gives the same result as before.
    int64_t product = static_cast<int64_t>(ms) * sampleRate * 4;
    const int64_t limit = std::numeric_limits<int32_t>::max();
    if (product > limit) product = limit;
    if (product < -limit) product = -limit;
    const int32_t bytes = static_cast<int32_t>(static_cast<double>(product) * 0.001);
    return bytes - bytes % 4;
}

int32_t LatencyToBytes(int ms)
{
    return LatencyToBytesAtRate(ms, g_sourceFormat.sampleRate);
}
