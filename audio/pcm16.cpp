#include "audio/pcm16.h"

// Written without branches: the rounding direction of real sound changes
// unpredictably from sample to sample, so branches on it would be guessed
// wrong about half the time; these selects cost the same for every sample.
int16_t NearestPcm16(double v)
{
    v = v > 32767.0 ? 32767.0 : v;
    v = v < -32768.0 ? -32768.0 : v;
    v = v == v ? v : 0.0;  // NaN never reaches the device as garbage
    const int t = static_cast<int>(v);  // toward zero
    const double rest = v - t;
    return static_cast<int16_t>(t + (rest > 0.5) - (rest < -0.5));
}

int WholeFrameValueCount(int64_t bytes, bool mono)
{
    if (bytes <= 0) return 0;
    return static_cast<int>(mono ? (bytes / 2) * 2 : (bytes / 4) * 2);
}

int WidenPcm16(const int16_t* samples, int sampleCount, bool mono, double* values)
{
    if (sampleCount <= 0) return 0;
    if (mono) {
        for (int i = 0; i < sampleCount; ++i) values[2 * i] = values[2 * i + 1] = samples[i];
        return 2 * sampleCount;
    }
    for (int i = 0; i < sampleCount; ++i) values[i] = samples[i];
    return sampleCount;
}

void NarrowToPcm16(double* values, int16_t* samples, int count, double leftGain, double rightGain)
{
    int i = 0;
    for (; i + 1 < count; i += 2) {
        values[i] *= leftGain;
        samples[i] = NearestPcm16(values[i]);
        values[i + 1] *= rightGain;
        samples[i + 1] = NearestPcm16(values[i + 1]);
    }
    if (i < count) {
        values[i] *= leftGain;
        samples[i] = NearestPcm16(values[i]);
    }
}
