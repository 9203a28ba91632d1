#include "model/effects.h"

const EffectEntry kEffectEntries[kEffectCount] = {
    {kPhaserId, "Phaser", "PHASER", "phaser", InitPhaser, ChangePhaser, Phaser, &kPhaserRange, 54.1},
    {kFlangerId, "Flanger", "FLANGER", "flanger", InitFlanger, ChangeFlanger, Flanger, &kFlangerRange, 29.0},
    {kChorusId, "Chorus", "CHORUS", "chorus", InitChorus, ChangeChorus, Chorus, &kChorusRange, 16.6},
    {kChDelayId, "C-Delay", "C-DELAY", "chdelay", InitChDelay, ChangeChDelay, ChDelay, &kChDelayRange, 0.0},
};

const EffectEntry* EffectEntryFor(int effectId)
{
    if (effectId < 1 || effectId > kEffectCount) return nullptr;
    return &kEffectEntries[effectId - 1];
}

void SendValues(const EffectEntry& e, const EffectValues& v)
{
    e.change(v.freq, v.depth, v.rate, v.mix, v.degree, v.feed);
}

void RunEffectById(int effectId, double* values, int count)
{
    const EffectEntry* e = EffectEntryFor(effectId);
    if (e) e->process(values, count);  // anything else is not an effect: skipped
}

bool IsEffectId(int effectId)
{
    return EffectEntryFor(effectId) != nullptr;
}
