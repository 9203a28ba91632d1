// The mixdown's size arithmetic for every data length up to 4 GB, mono and
// stereo, the program's block size and any block that PrepareMixdown can
// make (a positive multiple of 4), and a user name of any length: no count
// or size wraps, every block's output fits the 16-bit buffer, the blocks
// add up to the data chunk and to the announced output length.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "audio/mixdown_layout.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint32_t dataLength = in.U32();
    const uint8_t flags = in.Byte();
    const bool mono = flags & 1;
    int32_t blockBytes = kMixdownBlockBytes;
    if (flags & 2) blockBytes = static_cast<int32_t>(in.U32() & 0x7FFFFFFC);
    if (blockBytes < 4) blockBytes = 4;

    const int32_t readSize = MixdownReadSize(blockBytes, mono);
    FUZZ_EXPECT(readSize > 0 && readSize <= blockBytes);
    const int32_t count = MixdownBlockCount(dataLength, readSize);
    FUZZ_EXPECT(count >= 0);
    const uint64_t covered = static_cast<uint64_t>(count) * static_cast<uint64_t>(readSize);
    // The blocks cover the chunk, but for less than a frame that makes no sound.
    const uint64_t frame = mono ? 2 : 4;
    FUZZ_EXPECT(covered >= dataLength || (count == 0x7FFFFFFF && dataLength - covered < frame));
    const bool saturated = covered < dataLength;
    if (count > 0) FUZZ_EXPECT(covered - static_cast<uint64_t>(readSize) < dataLength);
    FUZZ_EXPECT((count == 0) == (dataLength == 0));

    // Every block, checked at the first, the last, around them and at a
    // few in between: its length, and that its output fits the buffer.
    uint64_t outputBytes = 0;
    const int32_t last = MixdownBlockReadLength(dataLength, readSize, count);
    if (count > 0) {
        FUZZ_EXPECT(last > 0 && last <= readSize);
        if (!saturated)
            FUZZ_EXPECT(static_cast<uint64_t>(last) == dataLength - (covered - static_cast<uint64_t>(readSize)));
        const int fullValues = MixdownBlockValueCount(readSize, mono);
        outputBytes = static_cast<uint64_t>(count - 1) * static_cast<uint64_t>(fullValues) * 2 +
                      static_cast<uint64_t>(MixdownBlockValueCount(last, mono)) * 2;
    }
    const int32_t after = count < 0x7FFFFFFF ? count + 1 : count;
    const int32_t probes[] = {0, 1, 2, count - 1, count, after, count / 2, static_cast<int32_t>(in.U32())};
    for (int32_t block : probes) {
        const int32_t length = MixdownBlockReadLength(dataLength, readSize, block);
        FUZZ_EXPECT(length >= 0 && length <= readSize);
        if (block < 1 || block > count) FUZZ_EXPECT(length == 0);
        else if (block < count) FUZZ_EXPECT(length == readSize);
        const int values = MixdownBlockValueCount(length, mono);
        FUZZ_EXPECT(values >= 0 && values % 2 == 0);
        FUZZ_EXPECT(static_cast<int64_t>(values) * 2 <= blockBytes);     // the 16-bit buffer
        FUZZ_EXPECT(values <= blockBytes / 2);                           // the buffer of doubles
        FUZZ_EXPECT(static_cast<int64_t>(values) * 2 <= (mono ? 2 * static_cast<int64_t>(length) : length));
    }

    // The Progress bar: within its range at every step, never moving back.
    const uint16_t range = MixdownProgressRange(dataLength, readSize);
    uint16_t before = 0;
    for (int32_t block : probes) {
        const uint32_t step = block < 0 ? 0u : static_cast<uint32_t>(block);
        FUZZ_EXPECT(MixdownProgressPosition(step, dataLength, readSize) <= range);
    }
    const uint32_t steps = static_cast<uint32_t>(count);
    uint32_t ordered[] = {0, 1, steps / 3, steps / 2, steps > 0 ? steps - 1 : 0, steps, steps + 1};
    std::sort(std::begin(ordered), std::end(ordered));
    for (uint32_t step : ordered) {
        const uint16_t at = MixdownProgressPosition(step, dataLength, readSize);
        FUZZ_EXPECT(at >= before);
        before = at;
    }
    if (dataLength >= static_cast<uint32_t>(readSize))
        FUZZ_EXPECT(MixdownProgressPosition(static_cast<uint32_t>(count), dataLength, readSize) == range);

    const uint64_t announced = MixdownOutputDataLength(dataLength, mono);
    FUZZ_EXPECT(announced % 4 == 0);
    FUZZ_EXPECT(announced <= (mono ? 2ull * dataLength : static_cast<uint64_t>(dataLength)));
    // What the blocks write is what the header announces, when blocks hold
    // whole frames (the program's block always does).
    if (readSize % (mono ? 2 : 4) == 0) FUZZ_EXPECT(outputBytes == announced);

    // The user name field and the sizes that follow from it.
    const std::string name(reinterpret_cast<const char*>(in.Rest()), in.Left());
    char field[kMixdownUserNameSize];
    std::memset(field, 0x7F, sizeof field);
    MixdownUserNameField(in.Left() ? name.c_str() : nullptr, field);
    const char* end = static_cast<const char*>(std::memchr(field, '\0', sizeof field));
    FUZZ_EXPECT(end != nullptr && end != field);
    for (const char* p = end; p < field + sizeof field; ++p) FUZZ_EXPECT(*p == '\0');
    const uint32_t ieng = MixdownIengSize(field);
    const size_t length = std::strlen(field);
    FUZZ_EXPECT(ieng % 2 == 0 && ieng >= length + 1 && ieng <= length + 2);
    FUZZ_EXPECT(MixdownListSize(ieng) > ieng);
    const uint64_t riff = MixdownRiffSize(announced, ieng);
    FUZZ_EXPECT(riff > announced);
    FUZZ_EXPECT(MixdownSizesFit(announced, ieng) == (riff <= 0xFFFFFFFFull));
    return 0;
}
