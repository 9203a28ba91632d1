#include "audio/wav_format.h"

namespace {

uint16_t ReadU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadU32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool ReadPcmFormatFields(const unsigned char* chunk, size_t size, PcmFormatFields* out)
{
    if (!chunk || size < kPcmFormatHeaderSize) return false;
    out->formatTag = ReadU16(chunk + 0);
    out->channels = ReadU16(chunk + 2);
    out->samplesPerSec = ReadU32(chunk + 4);
    out->bitsPerSample = ReadU16(chunk + 14);
    return true;
}

bool IsSupportedSampleFormat(const PcmFormatFields& fields)
{
    return fields.samplesPerSec >= kMinimumSourceRate && fields.bitsPerSample == 16;
}

bool IsSupportedChannelCount(const PcmFormatFields& fields)
{
    return fields.channels == 1 || fields.channels == 2;
}
