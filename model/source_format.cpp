#include "model/source_format.h"

#include "model/latency.h"

SourceFormat g_sourceFormat = {44100, 0, 0, 0};
int16_t g_latency = kDefaultLatency;

int32_t LatencyToBytes(int ms)
{
    return LatencyToBytesAtRate(ms, g_sourceFormat.sampleRate);
}
