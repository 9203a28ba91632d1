// Where the colour table ends and the bits of a packed bitmap start.
#include "widgets/dib_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(DibLayout, FullColourTablesUpToEightBits)
{
    EXPECT_EQ(DibColourCount(1), 2);
    EXPECT_EQ(DibColourCount(4), 16);
    EXPECT_EQ(DibColourCount(8), 256);
    EXPECT_EQ(DibColourCount(16), 0);
    EXPECT_EQ(DibColourCount(24), 0);
    EXPECT_EQ(DibColourCount(32), 0);
}

TEST(DibLayout, BitsFollowHeaderAndTable)
{
    EXPECT_EQ(DibBitsOffset(40, 4), 40u + 64u);
    EXPECT_EQ(DibBitsOffset(40, 8), 40u + 1024u);
    EXPECT_EQ(DibBitsOffset(40, 24), 40u);
}

}  // namespace
