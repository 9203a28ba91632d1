#include "model/settings.h"

#include <cstring>

#include "model/source_format.h"

Settings g_settings = {kDefaultLatency, "", 0, 0, 0};

bool ChangesPlayback(const Settings& edited)
{
    return edited.latency != g_settings.latency || std::strcmp(edited.deviceName, g_settings.deviceName) != 0;
}

void CommitPreferences(const Settings& edited)
{
    if (!ChangesPlayback(edited)) return;
    g_settings.latency = edited.latency;
    std::memcpy(g_settings.deviceName, edited.deviceName, kDeviceNameSize);
    g_settings.deviceIndex = edited.deviceIndex;
    g_sourceFormat.blockSize = LatencyToBytes(edited.latency);
}
