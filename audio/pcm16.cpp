#include "audio/pcm16.h"

int16_t NearestPcm16(double v)
{
    if (v > 32767.0) v = 32767.0;
    if (v < -32768.0) v = -32768.0;
    if (!(v == v)) v = 0.0;  // NaN never reaches the device as garbage
    int s = static_cast<int>(v);  // toward zero
    const double rest = v - s;
    if (rest > 0.5) ++s;
    else if (rest < -0.5) --s;
    return static_cast<int16_t>(s);
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
    for (int i = 0; i < count; i += 2) {
        values[i] *= leftGain;
        samples[i] = NearestPcm16(values[i]);
        if (i + 1 < count) {
            values[i + 1] *= rightGain;
            samples[i + 1] = NearestPcm16(values[i + 1]);
        }
    }
}
