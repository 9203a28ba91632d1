// The four effects behind their module entry points, with the values the
// panel sends them: for the benchmark, the render tool and the tests, which
// drive the modules exactly as qbx15 and the player do. Not part of any
// module.
#pragma once

#include "audio/dsp/effect_ranges.h"
#include "audio/effect_modules.h"

struct EffectEntry {
    const char* name;    // "Phaser", "Flanger", "Chorus", "C-Delay"
    const char* module;  // "phaser", "flanger", "chorus", "chdelay"
    void(QBX_FXAPI* init)(double rate);
    void(QBX_FXAPI* change)(double freq, double depth, double rate, double mix, double degree, double feed);
    void(QBX_FXAPI* process)(double* samples, int count);
    const EffectRange* range;
};

constexpr int kEffectEntryCount = 4;
extern const EffectEntry kEffectEntries[kEffectEntryCount];

// Calls the effect's Change entry point with the six values.
void SendValues(const EffectEntry& e, const EffectValues& v);
