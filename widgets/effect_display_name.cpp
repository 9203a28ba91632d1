#include "widgets/effect_display_name.h"

const char* EffectDisplayName(int effectId)
{
    switch (effectId) {
    case 1: return "PHASER";
    case 2: return "FLANGER";
    case 3: return "CHORUS";
    case 4: return "C-DELAY";
    default: return nullptr;
    }
}
