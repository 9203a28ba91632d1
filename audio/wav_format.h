// The fields of a WAVE "fmt " chunk that the source check reads, and the
// rules it applies to them. Pure: no file access.
#pragma once
#include <cstddef>
#include <cstdint>

// The standard PCM header occupies the first 16 bytes of the chunk.
constexpr uint32_t kPcmFormatHeaderSize = 16;
constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint32_t kMinimumSourceRate = 16000;

struct PcmFormatFields {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint16_t bitsPerSample;
};

// Reads the little-endian fields; false (and out untouched) when the chunk
// is shorter than the 16-byte PCM header.
bool ReadPcmFormatFields(const unsigned char* chunk, size_t size, PcmFormatFields* out);

// 16 bits per sample at no less than 16000 Hz.
bool IsSupportedSampleFormat(const PcmFormatFields& fields);

// Mono or stereo: anything else would be played as garbage.
bool IsSupportedChannelCount(const PcmFormatFields& fields);
