#include "model/source_format.h"

#include "model/latency.h"

SourceFormat g_sourceFormat = {44100, 0, 0, 0};
int16_t g_latency = kDefaultLatency;
char g_deviceName[kDeviceNameSize] = "";
int32_t g_deviceIndex = 0;

int32_t LatencyToBytes(int ms)
{
    return LatencyToBytesAtRate(ms, g_sourceFormat.sampleRate);
}
