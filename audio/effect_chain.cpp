#include "audio/effect_chain.h"

#include "audio/effect_modules.h"

void RunEffectById(int effectId, double* values, int count)
{
    switch (effectId) {
    case 1: Phaser(values, count); break;
    case 2: Flanger(values, count); break;
    case 3: Chorus(values, count); break;
    case 4: ChDelay(values, count); break;
    default: break;  // not an effect: skipped
    }
}

bool IsEffectId(int effectId)
{
    return effectId >= 1 && effectId <= 4;
}
