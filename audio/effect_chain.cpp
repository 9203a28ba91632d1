#include "audio/effect_chain.h"

#include "model/effects.h"

void RunEffectById(int effectId, double* values, int count)
{
    const EffectEntry* e = EffectEntryFor(effectId);
    if (e) e->process(values, count);  // anything else is not an effect: skipped
}

bool IsEffectId(int effectId)
{
    return EffectEntryFor(effectId) != nullptr;
}
