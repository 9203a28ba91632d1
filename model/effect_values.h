// The six values a Change call hands an effect.
#pragma once

struct EffectValues {
    double freq;
    double depth;
    double rate;
    double mix;
    double degree;
    double feed;
};
