#include "bench/dsp/wav_file.h"

#include <cstdio>

namespace {

void Put32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void Put16(unsigned char* p, uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

}  // namespace

bool WriteStereoWav(const char* path, const std::vector<int16_t>& samples, uint32_t rate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    unsigned char h[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                           1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a'};
    Put32(h + 4, 36 + dataBytes);
    Put32(h + 24, rate);
    Put32(h + 28, rate * 4);
    Put32(h + 40, dataBytes);
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(h, 1, sizeof h, f) == sizeof h;
    std::vector<unsigned char> bytes(dataBytes);
    for (size_t i = 0; i < samples.size(); ++i) Put16(&bytes[2 * i], static_cast<uint16_t>(samples[i]));
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadStereoWav(const char* path, std::vector<int16_t>* samples)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char h[44];
    bool ok = std::fread(h, 1, sizeof h, f) == sizeof h;
    const uint32_t dataBytes = h[40] | h[41] << 8 | h[42] << 16 | static_cast<uint32_t>(h[43]) << 24;
    std::vector<unsigned char> bytes(ok ? dataBytes : 0);
    ok = ok && std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    samples->resize(bytes.size() / 2);
    for (size_t i = 0; i < samples->size(); ++i)
        (*samples)[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return ok;
}
