// The four effects: the one table that gives each its id, its names, its
// module's entry points and its start-up values and knob ranges. The patch,
// the parameter model, the display, the dispatch of playback and mixdown,
// the benchmark and the tests all read it.
#pragma once

#include <cstdint>

#include "model/effect_entry_points.h"
#include "model/effect_ranges.h"

enum EffectId : int16_t {
    kPhaserId = 1,
    kFlangerId = 2,
    kChorusId = 3,
    kChDelayId = 4,
};
constexpr int kEffectCount = 4;
// The effect table and the parameter table are indexed by id - 1.
static_assert(kPhaserId == 1 && kFlangerId == 2 && kChorusId == 3 && kChDelayId == kEffectCount,
              "the effect ids run from 1 to kEffectCount in table order");

struct EffectEntry {
    EffectId id;
    const char* name;         // in the patch: "Phaser", "Flanger", "Chorus", "C-Delay"
    const char* displayName;  // on the display: "PHASER", "FLANGER", "CHORUS", "C-DELAY"
    const char* module;       // the DLL: "phaser", "flanger", "chorus", "chdelay"
    void(QBX_FXAPI* init)(double rate);
    void(QBX_FXAPI* change)(double freq, double depth, double rate, double mix, double degree, double feed);
    void(QBX_FXAPI* process)(double* samples, int count);
    const EffectRange* range;     // start-up values and the values at the knobs' ends
    double depthPercentAtStart;   // the Depth knob's start-up share of freq (0 where Depth is in ms)
};

// In id order: entry i has id i + 1.
extern const EffectEntry kEffectEntries[kEffectCount];

// The entry of an id, or null for an id outside 1..4.
const EffectEntry* EffectEntryFor(int effectId);

// Calls the effect's Change entry point with the six values.
void SendValues(const EffectEntry& e, const EffectValues& v);

// Runs one effect of a patch by its id, the same dispatch for playback and
// the mixdown: 1 Phaser, 2 Flanger, 3 Chorus, 4 C-Delay process count
// values in place; any other id is skipped.
void RunEffectById(int effectId, double* values, int count);

// True for the ids that RunEffectById runs.
bool IsEffectId(int effectId);
