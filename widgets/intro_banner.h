// The display's start-up intro: two banner lines typed out one letter per
// tick, then the end of the intro.
#pragma once
#include <cstdint>

extern const char kBannerLine1[];  // "QBX  v.1.5    "
extern const char kBannerLine2[];  // "  ZANTIL Soft"

struct IntroBanner {
    uint16_t line1Counter;  // characters shown plus 1; 1 before the first tick
    uint16_t line2Counter;
};

constexpr IntroBanner kIntroStart = {1, 1};

struct IntroFrame {
    int line1Chars;  // leading characters of each line to show on this tick
    int line2Chars;
    bool finished;   // this tick ends the intro
};

// One tick: what to show now, then the counters move on. The tick that ends
// the intro puts the counters back to their start.
IntroFrame IntroTick(IntroBanner* banner);
