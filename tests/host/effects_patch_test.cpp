#include "model/effects_patch.h"

#include <gtest/gtest.h>

#include "model/master_volume.h"

namespace {

TEST(EffectsPatch, StartsWithAllFourInOrder)
{
    ResetEffectsPatch();
    EXPECT_EQ(g_effectsPatch.count, 4);
    EXPECT_EQ(g_effectsPatch.availableCount, 0);
    EXPECT_EQ(g_effectsPatch.position, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g_effectsPatch.ids[i], EffectNameToId(g_effectsPatch.names[i]));
    EXPECT_EQ(CurrentEffectId(), 1);
}

TEST(EffectsPatch, NamesToIdsExactly)
{
    EXPECT_EQ(EffectNameToId("Phaser"), 1);
    EXPECT_EQ(EffectNameToId("Flanger"), 2);
    EXPECT_EQ(EffectNameToId("Chorus"), 3);
    EXPECT_EQ(EffectNameToId("C-Delay"), 4);
    EXPECT_EQ(EffectNameToId("phaser"), 0);
    EXPECT_EQ(EffectNameToId("C-DELAY"), 0);
    EXPECT_EQ(EffectNameToId(""), 0);
    EXPECT_EQ(EffectNameToId(nullptr), 0);
}

TEST(EffectsPatch, CurrentEffectOfAnEmptyOrShortPatch)
{
    ResetEffectsPatch();
    g_effectsPatch.count = 0;
    EXPECT_EQ(CurrentEffectId(), 0);
    g_effectsPatch.count = 2;
    g_effectsPatch.position = 3;
    EXPECT_EQ(CurrentEffectId(), 0);
    g_effectsPatch.position = 2;
    EXPECT_EQ(CurrentEffectId(), 2);
    ResetEffectsPatch();
}

TEST(EffectsPatch, DisplayNames)
{
    EXPECT_STREQ(EffectDisplayName(1), "PHASER");
    EXPECT_STREQ(EffectDisplayName(2), "FLANGER");
    EXPECT_STREQ(EffectDisplayName(3), "CHORUS");
    EXPECT_STREQ(EffectDisplayName(4), "C-DELAY");
    EXPECT_STREQ(EffectDisplayName(0), "");
    EXPECT_STREQ(EffectDisplayName(5), "");
}

// Stepping round the patch with UP and DOWN.
TEST(PatchStep, UpFromTheLastOfThreeGoesToTheFirst)
{
    EXPECT_EQ(2, NextPatchPosition(1, 3));
    EXPECT_EQ(3, NextPatchPosition(2, 3));
    EXPECT_EQ(1, NextPatchPosition(3, 3));
}

TEST(PatchStep, DownFromTheFirstOfThreeGoesToTheLast)
{
    EXPECT_EQ(3, PreviousPatchPosition(1, 3));
    EXPECT_EQ(1, PreviousPatchPosition(2, 3));
    EXPECT_EQ(2, PreviousPatchPosition(3, 3));
}

TEST(PatchStep, AOneEffectPatchStaysAtItsOnlyPosition)
{
    EXPECT_EQ(1, NextPatchPosition(1, 1));
    EXPECT_EQ(1, PreviousPatchPosition(1, 1));
}

TEST(MasterVolume, DecibelsToGain)
{
    EXPECT_EQ(DecibelsToGain(0.0), 1.0);
    EXPECT_NEAR(DecibelsToGain(-6.0), 0.501187, 1e-6);
    EXPECT_NEAR(DecibelsToGain(-20.0), 0.1, 1e-12);
    EXPECT_NEAR(DecibelsToGain(3.0), 1.412538, 1e-6);
}

}  // namespace
