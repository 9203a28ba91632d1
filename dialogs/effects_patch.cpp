#include "dialogs/effects_patch.h"

#include <cstring>

namespace {
const EffectsPatch kInitialPatch = {
    {"Phaser", "Flanger", "Chorus", "C-Delay"}, 4, {1, 2, 3, 4}, {"", "", "", ""}, 0, 1};
}  // namespace

EffectsPatch g_effectsPatch = kInitialPatch;

int16_t EffectNameToId(const char* name)
{
    static const char* const kNames[] = {"Phaser", "Flanger", "Chorus", "C-Delay"};
    if (!name) return 0;
    for (int i = 0; i < 4; ++i)
        if (std::strcmp(name, kNames[i]) == 0) return static_cast<int16_t>(i + 1);
    return 0;
}

void ResetEffectsPatch()
{
    g_effectsPatch = kInitialPatch;
}

int16_t CurrentEffectId()
{
    const EffectsPatch& p = g_effectsPatch;
    if (p.count <= 0 || p.position < 1 || p.position > p.count) return 0;
    return p.ids[p.position - 1];
}

const char* EffectDisplayName(int effectId)
{
    switch (effectId) {
    case 1: return "PHASER";
    case 2: return "FLANGER";
    case 3: return "CHORUS";
    case 4: return "C-DELAY";
    default: return "";
    }
}
