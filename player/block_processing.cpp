#include "player/block_processing.h"

#include "audio/pcm16.h"
#include "model/effects.h"

PlayerCopies g_playerCopies;

void ConvertToPcm16(double* values, int16_t* samples, int count)
{
    NarrowToPcm16(values, samples, count, g_playerCopies.leftGain.load(std::memory_order_relaxed),
                  g_playerCopies.rightGain.load(std::memory_order_relaxed));
}

void ProcessBlock(const PlayerBlockBuffers& buffers, uint16_t bufferNumber, uint32_t byteCount)
{
    if (bufferNumber != 1 && bufferNumber != 2) return;
    int16_t* data = buffers.data[bufferNumber - 1];
    double* values = buffers.values;
    if (!data || !values) return;

    // Whole frames only, as the mixdown takes them: a trailing partial frame
    // is neither processed nor played.
    const bool mono = buffers.channels == 1;
    const int n = WholeFrameValueCount(byteCount, mono);
    WidenPcm16(data, mono ? n / 2 : n, mono, values);

    const int patchCount = g_playerCopies.patchCount.load(std::memory_order_relaxed);
    for (int i = 0; i < patchCount && i < kMaxPatchLength; ++i)
        RunEffectById(g_playerCopies.patchIds[i].load(std::memory_order_relaxed), values, n);

    ConvertToPcm16(values, data, n);
}
