#include "player/block_processing.h"

#include "audio/pcm16.h"
#include "model/effects.h"

std::atomic<int16_t> g_patchCount{0};
std::atomic<int16_t> g_patchIds[kMaxPatchLength] = {};
std::atomic<double> g_leftGain{1.0};
std::atomic<double> g_rightGain{1.0};

void ConvertToPcm16(double* values, int16_t* samples, int count)
{
    NarrowToPcm16(values, samples, count, g_leftGain.load(std::memory_order_relaxed),
                  g_rightGain.load(std::memory_order_relaxed));
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

    const int patchCount = g_patchCount.load(std::memory_order_relaxed);
    for (int i = 0; i < patchCount && i < kMaxPatchLength; ++i)
        RunEffectById(g_patchIds[i].load(std::memory_order_relaxed), values, n);

    ConvertToPcm16(values, data, n);
}
