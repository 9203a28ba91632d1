// Playback and the mixdown make the same bytes from the same block: the same
// widening, chain, gains, clip and rounding, each with its own state. The
// mixdown's own cases pin what those bytes are; here playback must match
// them on every shape of block: mono and stereo, full, odd and empty
// lengths, unknown and repeated ids in the patch, gains that clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/mixdown_render.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "player/block_processing.h"
#include "tests/host/fake_effect_modules.h"

namespace {

constexpr int16_t kUntouched = 0x5A5A;

std::vector<int16_t> Noise(size_t count)
{
    std::vector<int16_t> out(count);
    uint32_t x = 99;
    for (auto& s : out) {
        x = x * 1103515245u + 12345u;
        s = static_cast<int16_t>(x >> 12);
    }
    return out;
}

// A whole buffer: the samples given, then kUntouched.
std::vector<int16_t> Buffer(const std::vector<int16_t>& in)
{
    std::vector<int16_t> data(kMixdownBlockBytes / 2, kUntouched);
    std::copy(in.begin(), in.end(), data.begin());
    return data;
}

struct Outcome {
    std::vector<int16_t> buffer;  // all of it, so a write past the block shows
    std::vector<ProcessCall> calls;
};

// byteCount bytes of in, played from the player's second buffer.
Outcome Played(const std::vector<int16_t>& in, uint32_t byteCount, uint16_t channels)
{
    Outcome o = {Buffer(in), {}};
    std::vector<int16_t> other(kMixdownBlockBytes / 2, kUntouched);
    std::vector<double> values(kMixdownBlockBytes / 2, 0.0);
    const PlayerBlockBuffers buffers = {{other.data(), o.buffer.data()}, values.data(), channels};
    g_processCalls.clear();
    ProcessBlock(buffers, 2, byteCount);
    o.calls = g_processCalls;
    EXPECT_EQ(other, std::vector<int16_t>(other.size(), kUntouched)) << "the other buffer was touched";
    return o;
}

// The same bytes through the mixdown.
Outcome Rendered(const std::vector<int16_t>& in, uint32_t byteCount)
{
    Outcome o = {Buffer(in), {}};
    std::vector<double> values(kMixdownBlockBytes / 2, 0.0);
    g_processCalls.clear();
    const int n = RenderMixdownBlock(o.buffer.data(), static_cast<int32_t>(byteCount), values.data());
    o.calls = g_processCalls;
    const std::vector<int16_t> before = Buffer(in);
    EXPECT_TRUE(std::equal(o.buffer.begin() + n, o.buffer.end(), before.begin() + n))
        << "the mixdown wrote past its " << n << " values";
    return o;
}

void SetBothPatches(const std::vector<int16_t>& ids)
{
    g_effectsPatch.count = static_cast<int16_t>(ids.size());
    g_playerCopies.patchCount = static_cast<int16_t>(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) {
        g_effectsPatch.ids[i] = ids[i];
        g_playerCopies.patchIds[i] = ids[i];
    }
}

TEST(PlaybackAgreement, SameBlockGivesTheSameBytesAndTheSameChain)
{
    g_fakeEffectsAlterSamples = true;  // each effect adds its id x 1000: the chain matters
    const std::vector<std::vector<int16_t>> patches = {{}, {2, 4, 1}, {4, 9, 0, 3}, {2, 2}};
    for (const std::vector<int16_t>& patch : patches) {
        SetBothPatches(patch);
        for (double dB : {0.0, -3.5, 6.0}) {
            g_masterVolume = dB;
            g_playerCopies.leftGain = DecibelsToGain(dB);
            g_playerCopies.rightGain = DecibelsToGain(dB);
            for (uint16_t channels : {1, 2}) {
                g_sourceFormat = {44100, channels, 1000000, 0};
                PrepareMixdown("a", "b", kMixdownBlockBytes);
                const uint32_t full = channels == 1 ? kMixdownBlockBytes / 2 : kMixdownBlockBytes;
                const std::vector<int16_t> in = Noise(full / 2);
                for (uint32_t bytes : {full, full - 2, 7u, 3u, 0u}) {
                    const Outcome rendered = Rendered(in, bytes);
                    const Outcome played = Played(in, bytes, channels);
                    const std::string where = std::to_string(patch.size()) + "-effect patch, " + std::to_string(dB) +
                                              " dB, " + std::to_string(channels) + " channels, " +
                                              std::to_string(bytes) + " bytes";
                    EXPECT_TRUE(played.buffer == rendered.buffer) << where;
                    ASSERT_EQ(played.calls.size(), rendered.calls.size()) << where;
                    for (size_t i = 0; i < played.calls.size(); ++i) {
                        EXPECT_EQ(played.calls[i].effectId, rendered.calls[i].effectId) << where;
                        EXPECT_EQ(played.calls[i].count, rendered.calls[i].count) << where;
                    }
                }
            }
        }
    }
    g_fakeEffectsAlterSamples = false;
    SetBothPatches({});
    g_playerCopies.leftGain = 1.0;
    g_playerCopies.rightGain = 1.0;
    g_masterVolume = 0.0;
    ResetEffectsPatch();
    g_sourceFormat = {44100, 0, 0, 0};
}

}  // namespace
