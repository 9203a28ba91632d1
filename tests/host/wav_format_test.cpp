#include "audio/wav_format.h"

#include <gtest/gtest.h>

#include "tests/support/wav_builder.h"

namespace {

TEST(PcmFormatFields, ReadsLittleEndianFieldsAndIgnoresExtension)
{
    const FormatFields f = {1, 2, 48000, 16};
    const Bytes payload = FormatPayload(f, 2);  // an 18-byte chunk
    PcmFormatFields out = {};
    ASSERT_TRUE(ReadPcmFormatFields(payload.data(), payload.size(), &out));
    EXPECT_EQ(out.formatTag, 1);
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.samplesPerSec, 48000u);
    EXPECT_EQ(out.bitsPerSample, 16);
}

TEST(PcmFormatFields, ShortChunksAreNeverReadPastTheirEnd)
{
    const Bytes payload = FormatPayload(FormatFields());
    for (size_t size = 0; size < 16; ++size) {
        // Copy exactly size bytes so the sanitizer sees any overread.
        Bytes shortChunk(payload.begin(), payload.begin() + size);
        PcmFormatFields out = {7, 7, 7, 7};
        EXPECT_FALSE(ReadPcmFormatFields(shortChunk.data(), shortChunk.size(), &out));
        EXPECT_EQ(out.formatTag, 7);
    }
    EXPECT_FALSE(ReadPcmFormatFields(nullptr, 16, nullptr));
}

TEST(PcmFormatFields, SupportedFormats)
{
    PcmFormatFields f = {1, 2, 16000, 16};
    EXPECT_TRUE(IsSupportedSampleFormat(f));
    f.samplesPerSec = 15999;
    EXPECT_FALSE(IsSupportedSampleFormat(f));
    f.samplesPerSec = 4294967295u;
    EXPECT_TRUE(IsSupportedSampleFormat(f));
    f.bitsPerSample = 8;
    EXPECT_FALSE(IsSupportedSampleFormat(f));
    f.bitsPerSample = 24;
    EXPECT_FALSE(IsSupportedSampleFormat(f));

    for (uint16_t ch : {1, 2}) {
        f.channels = ch;
        EXPECT_TRUE(IsSupportedChannelCount(f));
    }
    for (uint16_t ch : {0, 3, 6, 65535}) {
        f.channels = ch;
        EXPECT_FALSE(IsSupportedChannelCount(f));
    }
}

}  // namespace
