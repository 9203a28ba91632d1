// The values each effect receives from the panel: the start-up values (with
// the effect switched on) and the values with every knob at either end, and
// the bounds the effect's signal processing holds any Change value to.
// The modules start from the start-up values with mix 0 until the first
// Change; tests, the benchmark and the render tool drive them with these.
#pragma once

// The six values a Change call hands an effect.
struct EffectValues {
    double freq;
    double depth;
    double rate;
    double mix;
    double degree;
    double feed;
};

struct EffectRange {
    EffectValues defaults;  // start-up values, mix as stored (0.5)
    EffectValues lowest;    // every knob at its minimum
    EffectValues highest;   // every knob at its maximum
    bool depthIsShareOfFreq;  // the Depth knob sets depth as a share of freq
    // Every value of a Change call is held to these (a value that is no
    // number gives the start-up value, or 0 for mix). The delay effects'
    // highest freq is also the longest delay their lines hold.
    EffectValues acceptedLowest;
    EffectValues acceptedHighest;
};

extern const EffectRange kPhaserRange;
extern const EffectRange kFlangerRange;
extern const EffectRange kChorusRange;
extern const EffectRange kChDelayRange;

// The start-up values switched off: what a module uses before any Change.
inline EffectValues SwitchedOff(const EffectValues& v)
{
    EffectValues off = v;
    off.mix = 0.0;
    return off;
}
