// The intro's typing: one more letter of each banner line per tick.
#include "widgets/intro_banner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// The shorter second line waits fully typed from the fourteenth tick on
// for the longer first one.
TEST(IntroBanner, TypesOneLetterPerTickAndEndsOnTheFifteenthTick)
{
    ASSERT_EQ(std::strlen(kBannerLine2), 13u);
    IntroBanner banner = kIntroStart;
    for (int tick = 1; tick <= 14; ++tick) {
        const IntroFrame frame = IntroTick(&banner);
        EXPECT_EQ(frame.line1Chars, tick - 1) << tick;
        EXPECT_EQ(frame.line2Chars, std::min(tick - 1, 13)) << tick;
        EXPECT_FALSE(frame.finished) << tick;
    }
    const IntroFrame last = IntroTick(&banner);
    EXPECT_TRUE(last.finished);
    EXPECT_EQ(last.line1Chars, 14);  // the whole banner is on show as it ends
    EXPECT_EQ(last.line2Chars, 13);
    EXPECT_EQ(banner.line1Counter, 1);
    EXPECT_EQ(banner.line2Counter, 1);
}

}  // namespace
