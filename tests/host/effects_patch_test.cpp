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

TEST(EffectsPatch, NamesToIdsAndIdsToDisplayNamesExactly)
{
    const char* const names[] = {"Phaser", "Flanger", "Chorus", "C-Delay"};
    const char* const shown[] = {"PHASER", "FLANGER", "CHORUS", "C-DELAY"};
    for (int16_t id = 1; id <= 4; ++id) {
        EXPECT_EQ(EffectNameToId(names[id - 1]), id);
        EXPECT_STREQ(EffectDisplayName(id), shown[id - 1]);
    }
    for (const char* other : {"phaser", "C-DELAY", ""}) EXPECT_EQ(EffectNameToId(other), 0) << other;
    EXPECT_EQ(EffectNameToId(nullptr), 0);
    EXPECT_STREQ(EffectDisplayName(0), "");
    EXPECT_STREQ(EffectDisplayName(5), "");
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

// Stepping round the patch with UP and DOWN: past either end of a patch of
// three to the other, and a one-effect patch stays at its only position.
TEST(PatchStep, UpAndDownGoRoundThePatch)
{
    const struct { int16_t from, count, next, previous; } rows[] = {{1, 3, 2, 3}, {2, 3, 3, 1}, {3, 3, 1, 2}, {1, 1, 1, 1}};
    for (const auto& row : rows) {
        EXPECT_EQ(NextPatchPosition(row.from, row.count), row.next) << row.from << " of " << row.count;
        EXPECT_EQ(PreviousPatchPosition(row.from, row.count), row.previous) << row.from << " of " << row.count;
    }
}

TEST(MasterVolume, DecibelsToGain)
{
    EXPECT_EQ(DecibelsToGain(0.0), 1.0);
    EXPECT_NEAR(DecibelsToGain(-6.0), 0.501187, 1e-6);
    EXPECT_NEAR(DecibelsToGain(-20.0), 0.1, 1e-12);
    EXPECT_NEAR(DecibelsToGain(3.0), 1.412538, 1e-6);
}

}  // namespace
