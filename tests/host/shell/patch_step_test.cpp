#include "model/effects_patch.h"

#include <gtest/gtest.h>

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
