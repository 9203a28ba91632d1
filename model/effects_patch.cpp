#include "model/effects_patch.h"

#include <cstring>

#include "model/effect_parameters.h"
#include "model/effects.h"

namespace {
// All four effects in id order, none left out, the first current.
EffectsPatch InitialPatch()
{
    EffectsPatch patch = {};
    for (int i = 0; i < kEffectCount; ++i) {
        std::strcpy(patch.names[i], kEffectEntries[i].name);
        patch.ids[i] = kEffectEntries[i].id;
    }
    patch.count = kEffectCount;
    patch.position = 1;
    return patch;
}
}  // namespace

EffectsPatch g_effectsPatch = InitialPatch();

int16_t EffectNameToId(const char* name)
{
    if (!name) return 0;
    for (const EffectEntry& e : kEffectEntries)
        if (std::strcmp(name, e.name) == 0) return e.id;
    return 0;
}

void ResetEffectsPatch()
{
    g_effectsPatch = InitialPatch();
}

int16_t CurrentEffectId()
{
    const EffectsPatch& p = g_effectsPatch;
    if (p.count <= 0 || p.position < 1 || p.position > p.count) return 0;
    return p.ids[p.position - 1];
}

int16_t NextPatchPosition(int16_t position, int16_t count)
{
    return position < count ? static_cast<int16_t>(position + 1) : static_cast<int16_t>(1);
}

int16_t PreviousPatchPosition(int16_t position, int16_t count)
{
    return position > 1 ? static_cast<int16_t>(position - 1) : count;
}

const char* EffectDisplayName(int effectId)
{
    const EffectEntry* e = EffectEntryFor(effectId);
    return e ? e->displayName : "";
}

EffectParameters* CurrentEffectParameters()
{
    return g_effectsPatch.count == 0 ? nullptr : EffectParametersFor(CurrentEffectId());
}
