#include "audio/mixdown_layout.h"

#include "audio/pcm16.h"

#include <cstdio>
#include <cstring>

const char kMixdownSoftwareText[] = "Quellbox v. 1.5";
const char kMixdownUnknownUser[] = "Unknown";

namespace {

constexpr uint64_t kRiffFixedBytes = 116;  // WAVE, fmt, data and LIST headers with ISFT and ICRD
constexpr uint32_t kListFixedBytes = 72;   // INFO, ISFT and ICRD with their headers, IENG header

void PutU16(unsigned char* p, uint16_t v)
{
    p[0] = static_cast<unsigned char>(v & 0xFF);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void PutU32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

int32_t MixdownReadSize(int32_t blockBytes, bool mono)
{
    return mono ? blockBytes / 2 : blockBytes;
}

int32_t MixdownBlockCount(uint32_t dataLength, int32_t readSize)
{
    if (readSize <= 0) return 0;
    const uint32_t size = static_cast<uint32_t>(readSize);
    const uint64_t count = dataLength / size + (dataLength % size != 0 ? 1 : 0);
    // Only 2-byte reads (a mono source in the smallest, 4-byte block) of a
    // data chunk of 0xFFFFFFFF bytes make more blocks than an int32_t holds;
    // what lies past the last of INT32_MAX blocks is then the chunk's stray
    // odd byte, which makes no sound. Found by fuzzing: the count wrapped
    // negative.
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(count);
}

int32_t MixdownBlockReadLength(uint32_t dataLength, int32_t readSize, int32_t blockNumber)
{
    if (readSize <= 0 || blockNumber < 1) return 0;
    const uint64_t consumed = static_cast<uint64_t>(blockNumber - 1) * static_cast<uint64_t>(readSize);
    if (consumed >= dataLength) return 0;
    const uint64_t left = dataLength - consumed;
    return left < static_cast<uint64_t>(readSize) ? static_cast<int32_t>(left) : readSize;
}

int MixdownBlockValueCount(int32_t bytesRead, bool mono)
{
    return WholeFrameValueCount(bytesRead, mono);
}

uint64_t MixdownOutputDataLength(uint32_t dataLength, bool mono)
{
    return mono ? static_cast<uint64_t>(dataLength / 2) * 4 : static_cast<uint64_t>(dataLength / 4) * 4;
}

uint16_t MixdownProgressRange(uint32_t dataLength, int32_t readSize)
{
    if (readSize <= 0) return 0;
    const int32_t steps = static_cast<int32_t>(dataLength) / readSize;
    return static_cast<uint16_t>(static_cast<uint32_t>(steps) & 0xFFFF);
}

uint16_t MixdownProgressPosition(uint32_t stepsTaken, uint32_t dataLength, int32_t readSize)
{
    if (readSize <= 0) return 0;
    const uint64_t fullBlocks = dataLength / static_cast<uint32_t>(readSize);
    if (fullBlocks == 0) return 0;
    const uint64_t done = stepsTaken < fullBlocks ? stepsTaken : fullBlocks;
    return static_cast<uint16_t>(done * MixdownProgressRange(dataLength, readSize) / fullBlocks);
}

int ProgressBarAfterStep(int position, int low, int high, int step)
{
    if (low == high) return position;
    const int64_t span = static_cast<int64_t>(high) - low;
    int64_t at = static_cast<int64_t>(position) + step;
    if (at > high) at = (at - low) % span + low;
    if (at < low) at = (at - low) % span + high;
    return static_cast<int>(at);
}

int16_t MixdownNamePad(size_t nameLength)
{
    return nameLength % 2 != 0 ? 1 : 2;
}

uint32_t MixdownIengSize(const char* userName)
{
    const size_t length = std::strlen(userName);
    return static_cast<uint32_t>(length) + static_cast<uint32_t>(MixdownNamePad(length));
}

uint64_t MixdownRiffSize(uint64_t dataBytes, uint32_t iengSize)
{
    return kRiffFixedBytes + dataBytes + iengSize;
}

uint32_t MixdownListSize(uint32_t iengSize)
{
    return kListFixedBytes + iengSize;
}

bool MixdownSizesFit(uint64_t dataBytes, uint32_t iengSize)
{
    return MixdownRiffSize(dataBytes, iengSize) <= 0xFFFFFFFFull;
}

void MixdownUserNameField(const char* name, char out[kMixdownUserNameSize])
{
    std::memset(out, 0, kMixdownUserNameSize);
    const char* source = (name && name[0]) ? name : kMixdownUnknownUser;
    std::strncpy(out, source, kMixdownUserNameSize - 1);
}

void MixdownDateField(int month, int day, int year, char out[kMixdownDateSize])
{
    std::memset(out, 0, kMixdownDateSize);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", month % 100, day % 100, year % 100);
    std::memcpy(out, text, 8);
}

void MixdownSoftwareField(char out[kMixdownSoftwareSize])
{
    std::memset(out, 0, kMixdownSoftwareSize);
    std::memcpy(out, kMixdownSoftwareText, sizeof kMixdownSoftwareText);
}

void MixdownFormatRecord(uint32_t sampleRate, unsigned char out[kMixdownFormatSize])
{
    PutU16(out, 1);
    PutU16(out + 2, 2);
    PutU32(out + 4, sampleRate);
    PutU32(out + 8, sampleRate * 4);
    PutU16(out + 12, 4);
    PutU16(out + 14, 16);
}
