#include "model/effect_parameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/host/fake_effect_modules.h"

namespace {

class EffectParametersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectParameters();
        g_changeCalls.clear();
    }
    // Switches an effect on as the on/off LED does.
    void SwitchOn(int id) { EffectParametersFor(id)->on = 1; }
};

TEST_F(EffectParametersTest, DefaultsGiveTheDocumentedKnobPositions)
{
    const int expected[4][6] = {
        {52, 49, 15, 200, 90, 50},   // Phaser
        {33, 22, 20, 200, 45, 50},   // Flanger
        {83, 22, 13, 200, 180, 10},  // Chorus
        {64, 100, 15, 200, 180, 50}, // C-Delay
    };
    for (int id = 1; id <= 4; ++id)
        for (int knob = 1; knob <= 6; ++knob)
            EXPECT_EQ(KnobPositionFor(id, knob), expected[id - 1][knob - 1]) << "effect " << id << " knob " << knob;
}

TEST_F(EffectParametersTest, EveryEffectStartsSwitchedOffAtHalfMix)
{
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ(EffectParametersFor(id)->on, 0);
        EXPECT_DOUBLE_EQ(EffectParametersFor(id)->mix, 0.5);
        EXPECT_DOUBLE_EQ(EffectMixLevel(id), 0.0);
    }
    // The Phaser's default depth is its own value, not freq x depth%.
    EXPECT_DOUBLE_EQ(EffectParametersFor(kPhaserId)->depth, 382.2);
}

TEST_F(EffectParametersTest, KnobMoveSendsAllSixValuesInModuleOrder)
{
    SwitchOn(kFlangerId);
    SetParameterFromKnob(kFlangerId, kKnobRate, 50);
    ASSERT_EQ(g_changeCalls.size(), 1u);
    const ChangeCall& c = g_changeCalls[0];
    EXPECT_EQ(c.effectId, kFlangerId);
    EXPECT_DOUBLE_EQ(c.freq, 2.975);
    EXPECT_DOUBLE_EQ(c.depth, 0.86275);
    EXPECT_DOUBLE_EQ(c.rate, 1.0);
    EXPECT_DOUBLE_EQ(c.mix, 0.5);
    EXPECT_DOUBLE_EQ(c.degree, 45.0);
    EXPECT_DOUBLE_EQ(c.feed, 0.4);
}

TEST_F(EffectParametersTest, PhaserFreqAndDepthRecomputeDepth)
{
    SetParameterFromKnob(kPhaserId, kKnobFreq, 0);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kPhaserId)->freq, 100.0);
    EXPECT_NEAR(EffectParametersFor(kPhaserId)->depth, 54.1, 1e-12);
    SetParameterFromKnob(kPhaserId, kKnobDepth, 100);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kPhaserId)->depthPercent, 100.0);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kPhaserId)->depth, EffectParametersFor(kPhaserId)->freq);
    // The top of the Freq knob.
    SetParameterFromKnob(kPhaserId, kKnobFreq, 100);
    EXPECT_NEAR(EffectParametersFor(kPhaserId)->freq, 4000.002, 1e-3);
}

TEST_F(EffectParametersTest, ChDelayFreqLeavesDepthAndDepthIgnoresFreq)
{
    SetParameterFromKnob(kChDelayId, kKnobFreq, 100);
    EXPECT_NEAR(EffectParametersFor(kChDelayId)->freq, 1000.00003, 1e-4);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kChDelayId)->depth, 3.5);
    SetParameterFromKnob(kChDelayId, kKnobDepth, 0);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kChDelayId)->depth, 0.2);
    SetParameterFromKnob(kChDelayId, kKnobFreq, 0);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kChDelayId)->freq, 50.0);
    EXPECT_DOUBLE_EQ(EffectParametersFor(kChDelayId)->depth, 0.2);
}

TEST_F(EffectParametersTest, RangesAtKnobEnds)
{
    struct Case { int id, knob; uint16_t pos; double value; double EffectParameters::*field; };
    const Case cases[] = {
        {kFlangerId, kKnobFreq, 0, 0.5, &EffectParameters::freq},
        {kFlangerId, kKnobFreq, 100, 8.0, &EffectParameters::freq},
        {kChorusId, kKnobFreq, 0, 8.0, &EffectParameters::freq},
        {kChorusId, kKnobFreq, 100, 30.0, &EffectParameters::freq},
        {kFlangerId, kKnobDepth, 100, 96.0, &EffectParameters::depthPercent},
        {kChorusId, kKnobDepth, 100, 40.0, &EffectParameters::depthPercent},
        {kChDelayId, kKnobDepth, 100, 3.5, &EffectParameters::depth},
        {kPhaserId, kKnobRate, 100, 2.0, &EffectParameters::rate},
        {kPhaserId, kKnobFeed, 100, 0.750001, &EffectParameters::feed},
        {kFlangerId, kKnobFeed, 100, 0.8, &EffectParameters::feed},
        {kChorusId, kKnobFeed, 100, 0.7, &EffectParameters::feed},
        {kChDelayId, kKnobFeed, 100, 0.90001, &EffectParameters::feed},
        {kFlangerId, kKnobDegree, 180, 180.0, &EffectParameters::degree},
        {kChorusId, kKnobDegree, 0, 0.4890275, &EffectParameters::degree},
        {kChDelayId, kKnobDegree, 180, 179.986, &EffectParameters::degree},
    };
    for (const Case& c : cases) {
        SetParameterFromKnob(c.id, c.knob, c.pos);
        EXPECT_NEAR(EffectParametersFor(c.id)->*c.field, c.value, 1e-3) << "effect " << c.id << " knob " << c.knob;
    }
}

TEST_F(EffectParametersTest, SwitchedOffEffectSendsMixZeroButKeepsIt)
{
    SetParameterFromKnob(kChorusId, kKnobMix, 100);
    ASSERT_EQ(g_changeCalls.size(), 1u);
    EXPECT_DOUBLE_EQ(g_changeCalls[0].mix, 0.0);
    EXPECT_NEAR(EffectParametersFor(kChorusId)->mix, 99 / 398.0, 1e-12);

    SwitchOn(kChorusId);
    SendEffectParameters(kChorusId);
    ASSERT_EQ(g_changeCalls.size(), 2u);
    EXPECT_NEAR(g_changeCalls[1].mix, 99 / 398.0, 1e-12);

    EffectParametersFor(kChorusId)->on = 0;
    SendEffectParameters(kChorusId);
    EXPECT_DOUBLE_EQ(g_changeCalls[2].mix, 0.0);
    EXPECT_NEAR(EffectParametersFor(kChorusId)->mix, 99 / 398.0, 1e-12);
}

TEST_F(EffectParametersTest, UnknownEffectsAndKnobsChangeNothing)
{
    const EffectParameters before = g_effectParameters[0];
    KnobValue v;
    for (int id : {0, 5, -1, 1000}) {
        SetParameterFromKnob(id, kKnobFreq, 50);
        SendEffectParameters(id);
        EXPECT_EQ(KnobPositionFor(id, kKnobFreq), 0);
        EXPECT_DOUBLE_EQ(EffectMixLevel(id), 0.0);
        EXPECT_FALSE(KnobValueText(id, kKnobFreq, 50, &v));
    }
    EXPECT_TRUE(g_changeCalls.empty());
    EXPECT_EQ(std::memcmp(&before, &g_effectParameters[0], sizeof before), 0);
    EXPECT_EQ(KnobPositionFor(kPhaserId, 7), 0);
    EXPECT_FALSE(KnobValueText(kPhaserId, 0, 0, &v));
}

// Every position of every knob maps to a value whose inverse lands on the
// same position or one step below it (the inverse constants are not exact).
TEST_F(EffectParametersTest, KnobRoundTripLandsWithinOneStep)
{
    const int maxima[6] = {100, 100, 100, 200, 180, 100};
    const int minima[6] = {0, 0, 0, 1, 0, 0};
    for (int id = 1; id <= 4; ++id) {
        for (int knob = 1; knob <= 6; ++knob) {
            for (int pos = minima[knob - 1]; pos <= maxima[knob - 1]; ++pos) {
                SetParameterFromKnob(id, knob, static_cast<uint16_t>(pos));
                const int back = KnobPositionFor(id, knob);
                EXPECT_LE(std::abs(back - pos), 1) << "effect " << id << " knob " << knob << " pos " << pos;
            }
        }
    }
}

TEST_F(EffectParametersTest, ChorusFreqInverseIsAStepOffAsDocumented)
{
    // Forward 0.22 per step, inverse 99/22 per unit plus one: position 0
    // comes back as 1.
    SetParameterFromKnob(kChorusId, kKnobFreq, 0);
    EXPECT_EQ(KnobPositionFor(kChorusId, kKnobFreq), 1);
}

std::string Text(int id, int knob, uint16_t pos, const char** label = nullptr)
{
    SetParameterFromKnob(id, knob, pos);
    KnobValue v;
    EXPECT_TRUE(KnobValueText(id, knob, pos, &v));
    if (label) *label = v.label;
    return v.text;
}

TEST_F(EffectParametersTest, ValueTexts)
{
    const char* label = "unset";
    EXPECT_EQ(Text(kPhaserId, kKnobFreq, 52, &label), "680");  // 100 e^(0.0368888 x 52) = 680.88
    EXPECT_EQ(label, nullptr);
    EXPECT_EQ(Text(kFlangerId, kKnobFreq, 33, &label), "2.97");
    EXPECT_STREQ(label, "Delay");
    EXPECT_EQ(Text(kChorusId, kKnobFreq, 100, &label), "30.00");
    EXPECT_STREQ(label, "Delay");
    EXPECT_EQ(Text(kChDelayId, kKnobFreq, 0, &label), "50.00");
    EXPECT_STREQ(label, "Delay");
    const struct { int id, knob; uint16_t pos; const char* text; } unlabelled[] = {
        {kPhaserId, kKnobDepth, 37, "37"}, {kPhaserId, kKnobRate, 15, "0.30"}, {kPhaserId, kKnobMix, 1, "0%"},
        {kPhaserId, kKnobMix, 200, "100%"}, {kFlangerId, kKnobDegree, 45, "45\xC2\xB0"},
        {kChorusId, kKnobDegree, 180, "180\xC2\xB0"}, {kChorusId, kKnobDegree, 0, "0\xC2\xB0"},
        {kPhaserId, kKnobFeed, 100, "100"}, {kFlangerId, kKnobFeed, 50, "50"}, {kChDelayId, kKnobFeed, 100, "100"},
    };
    for (const auto& c : unlabelled)
        EXPECT_EQ(Text(c.id, c.knob, c.pos), c.text) << "effect " << c.id << " knob " << c.knob << " at " << c.pos;
}

}  // namespace
