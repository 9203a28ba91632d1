// The effects patch: the ordered chain of effects that playback and the
// mixdown run, and the effects left out of it. Program-wide state of qbx15.
#pragma once
#include <cstdint>

#include "model/effects.h"

// Each effect stands at most once in the patch or the available list, so
// either holds one slot per effect.
constexpr int kPatchSlots = kEffectCount;
constexpr int kEffectNameSize = 10;

struct EffectsPatch {
    char names[kPatchSlots][kEffectNameSize];           // in patch order
    int16_t count;                                      // 0..kPatchSlots
    int16_t ids[kPatchSlots];                           // matches names
    char availableNames[kPatchSlots][kEffectNameSize];  // not in the patch
    int16_t availableCount;                             // count + availableCount == kEffectCount
    int16_t position;                                   // 1-based current patch position
};

extern EffectsPatch g_effectsPatch;

// "Phaser" 1, "Flanger" 2, "Chorus" 3, "C-Delay" 4; 0 for anything else.
int16_t EffectNameToId(const char* name);

// All four effects in the order Phaser, Flanger, Chorus, C-Delay, position 1.
void ResetEffectsPatch();

// The id at the current patch position, or 0 when the patch is empty.
int16_t CurrentEffectId();

struct EffectParameters;
// The current effect's parameter record, or null with an empty patch.
EffectParameters* CurrentEffectParameters();

// UP: the next position, after the last back to 1.
int16_t NextPatchPosition(int16_t position, int16_t count);

// DOWN: the previous position, before the first round to the last (count).
int16_t PreviousPatchPosition(int16_t position, int16_t count);

// The display's name of an effect in capitals ("PHASER" ... "C-DELAY"), or "".
const char* EffectDisplayName(int effectId);
