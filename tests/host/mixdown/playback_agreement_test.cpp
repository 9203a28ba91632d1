// Playback and the mixdown make the same bytes from the same block: the same
// widening, chain, gains, clip and rounding, each with its own state.
#include <gtest/gtest.h>

#include <vector>

#include "audio/mixdown_render.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "model/source_format.h"
#include "player/block_processing.h"
#include "tests/host/fake_effect_modules.h"

namespace {

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

// One block of source samples through playback's ProcessBlock.
std::vector<int16_t> Played(const std::vector<int16_t>& in, uint16_t channels, int outCount)
{
    std::vector<int16_t> data(kMixdownBlockBytes / 2, 0);
    std::vector<double> values(kMixdownBlockBytes / 2, 0.0);
    std::copy(in.begin(), in.end(), data.begin());
    const PlayerBlockBuffers buffers = {{data.data(), nullptr}, values.data(), channels};
    ProcessBlock(buffers, 1, static_cast<uint32_t>(in.size() * 2));
    return std::vector<int16_t>(data.begin(), data.begin() + outCount);
}

// The same block through the mixdown.
std::vector<int16_t> Rendered(const std::vector<int16_t>& in)
{
    std::vector<int16_t> pcm(kMixdownBlockBytes / 2, 0);
    std::vector<double> values(kMixdownBlockBytes / 2, 0.0);
    std::copy(in.begin(), in.end(), pcm.begin());
    const int n = RenderMixdownBlock(pcm.data(), static_cast<int32_t>(in.size() * 2), values.data());
    return std::vector<int16_t>(pcm.begin(), pcm.begin() + n);
}

TEST(PlaybackAgreement, SameBlockGivesTheSameBytes)
{
    g_fakeEffectsAlterSamples = true;  // each effect adds its id x 1000: the chain matters
    const int16_t patch[] = {2, 4, 1};
    g_effectsPatch.count = 3;
    for (int i = 0; i < 3; ++i) {
        g_effectsPatch.ids[i] = patch[i];
        g_playerCopies.patchIds[i] = patch[i];
    }
    g_playerCopies.patchCount = 3;
    for (double dB : {0.0, -3.5, 4.0}) {
        g_masterVolume = dB;
        g_playerCopies.leftGain = DecibelsToGain(dB);
        g_playerCopies.rightGain = DecibelsToGain(dB);
        for (uint16_t channels : {1, 2}) {
            g_sourceFormat = {44100, channels, 1000000, 0};
            PrepareMixdown("a", "b", kMixdownBlockBytes);
            const std::vector<int16_t> in = Noise(channels == 1 ? 8192 : 16384);
            const std::vector<int16_t> rendered = Rendered(in);
            ASSERT_EQ(rendered.size(), 16384u);
            EXPECT_TRUE(Played(in, channels, 16384) == rendered) << dB << " dB, " << channels << " channels";
        }
    }
    g_fakeEffectsAlterSamples = false;
    g_playerCopies.patchCount = 0;
    g_playerCopies.leftGain = 1.0;
    g_playerCopies.rightGain = 1.0;
    g_masterVolume = 0.0;
    ResetEffectsPatch();
    g_sourceFormat = {44100, 0, 0, 0};
}

}  // namespace
