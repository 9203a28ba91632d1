#include "audio/mixdown_render.h"

#include <cstring>

#include "audio/pcm16.h"
#include "model/effect_parameters.h"
#include "model/effects.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"

MixdownState g_mixdown = {};

namespace {

// A path too long for the buffer is not cut short (that would name another
// file, which the render would then create or read): it is left empty, so
// opening it fails and the render reports its error.
void CopyPath(char (&to)[kMixdownPathSize], const char* from)
{
    std::memset(to, 0, sizeof to);
    if (from && std::strlen(from) < sizeof to) std::strcpy(to, from);
}

// True when the block comes out as it went in: no effect of the patch runs
// and both gains are exactly 1, so widening, gain, clip and rounding give
// back every sample unchanged.
bool BlockPassesUnchanged()
{
    if (g_mixdown.leftGain != 1.0 || g_mixdown.rightGain != 1.0) return false;
    for (int i = 0; i < g_effectsPatch.count && i < kPatchSlots; ++i)
        if (IsEffectId(g_effectsPatch.ids[i])) return false;
    return true;
}

// A mono block spread over both channels in place, from the last sample back
// so that no sample is overwritten before it is copied.
void SpreadMonoInPlace(int16_t* pcm, int sampleCount)
{
    for (int i = sampleCount - 1; i >= 0; --i) pcm[2 * i] = pcm[2 * i + 1] = pcm[i];
}

}  // namespace

bool PrepareMixdown(const char* sourcePath, const char* tempPath, int32_t blockBytes)
{
    CopyPath(g_mixdown.sourcePath, sourcePath);
    CopyPath(g_mixdown.tempPath, tempPath);
    blockBytes -= blockBytes % 4;
    g_mixdown.blockBytes = blockBytes < 4 ? 4 : blockBytes;
    g_mixdown.mono = g_sourceFormat.channels == 1;
    g_mixdown.dataLength = g_sourceFormat.dataLength;
    g_mixdown.sampleRate = g_sourceFormat.sampleRate;
    g_mixdown.readSize = MixdownReadSize(g_mixdown.blockBytes, g_mixdown.mono);
    g_mixdown.blockCount = MixdownBlockCount(g_mixdown.dataLength, g_mixdown.readSize);
    g_mixdown.blockNumber = 1;
    g_mixdown.currentBlockBytes = g_mixdown.blockBytes;
    g_mixdown.leftGain = DecibelsToGain(g_masterVolume);
    g_mixdown.rightGain = g_mixdown.leftGain;
    g_mixdown.outputDataLength = 0;
    g_mixdown.bytesWritten = 0;
    g_mixdown.completed = false;
    g_mixdown.startPending = true;
    return true;
}

void PrepareEffectModules(uint32_t sampleRate)
{
    const double rate = static_cast<double>(sampleRate);
    for (const EffectEntry& e : kEffectEntries) e.init(rate);
    for (const EffectEntry& e : kEffectEntries) SendEffectParameters(e.id);
}

int RenderMixdownBlock(int16_t* pcm, int32_t bytesRead, double* values)
{
    const int valueCount = MixdownBlockValueCount(bytesRead, g_mixdown.mono);
    if (BlockPassesUnchanged()) {
        if (g_mixdown.mono) SpreadMonoInPlace(pcm, valueCount / 2);
        return valueCount;
    }
    WidenPcm16(pcm, g_mixdown.mono ? valueCount / 2 : valueCount, g_mixdown.mono, values);
    // The patch is read as it stands; the chain runs even for an empty block.
    for (int i = 0; i < g_effectsPatch.count && i < kPatchSlots; ++i) RunEffectById(g_effectsPatch.ids[i], values, valueCount);
    ConvertBlockToPcm16(values, pcm, valueCount);
    return valueCount;
}

void ConvertBlockToPcm16(double* values, int16_t* samples, int count)
{
    NarrowToPcm16(values, samples, count, g_mixdown.leftGain, g_mixdown.rightGain);
}
