#include "audio/effects/effect_table.h"

const EffectEntry kEffectEntries[kEffectEntryCount] = {
    {"Phaser", "phaser", InitPhaser, ChangePhaser, Phaser, &kPhaserRange},
    {"Flanger", "flanger", InitFlanger, ChangeFlanger, Flanger, &kFlangerRange},
    {"Chorus", "chorus", InitChorus, ChangeChorus, Chorus, &kChorusRange},
    {"C-Delay", "chdelay", InitChDelay, ChangeChDelay, ChDelay, &kChDelayRange},
};

void SendValues(const EffectEntry& e, const EffectValues& v)
{
    e.change(v.freq, v.depth, v.rate, v.mix, v.degree, v.feed);
}
