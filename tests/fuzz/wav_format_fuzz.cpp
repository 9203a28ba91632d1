// The WAVE "fmt " field reader on chunks of every length, each in a heap
// block of exactly that length so that a read past it is caught by ASan.
#include <cstring>
#include <vector>

#include "audio/wav_format.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<unsigned char> chunk(data, data + size);
    const unsigned char* p = chunk.empty() ? nullptr : chunk.data();

    PcmFormatFields fields;
    std::memset(&fields, 0xA5, sizeof fields);
    const PcmFormatFields untouched = fields;
    const bool read = ReadPcmFormatFields(p, size, &fields);
    FUZZ_EXPECT(read == (size >= kPcmFormatHeaderSize));
    if (!read) {
        FUZZ_EXPECT(std::memcmp(&fields, &untouched, sizeof fields) == 0);
        return 0;
    }
    FuzzInput in(data, size);
    FUZZ_EXPECT(fields.formatTag == in.U16());
    FUZZ_EXPECT(fields.channels == in.U16());
    FUZZ_EXPECT(fields.samplesPerSec == in.U32());
    in.U32();
    in.U16();
    FUZZ_EXPECT(fields.bitsPerSample == in.U16());

    FUZZ_EXPECT(IsSupportedSampleFormat(fields) ==
                (fields.samplesPerSec >= kMinimumSourceRate && fields.bitsPerSample == 16));
    FUZZ_EXPECT(IsSupportedChannelCount(fields) == (fields.channels == 1 || fields.channels == 2));
    return 0;
}
