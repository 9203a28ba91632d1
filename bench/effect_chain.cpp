#include "bench/effect_chain.h"

#include "audio/effect_modules.h"

const BenchEffect kBenchEffects[4] = {
    {"phaser", InitPhaser, ChangePhaser, Phaser, &kPhaserRange},
    {"flanger", InitFlanger, ChangeFlanger, Flanger, &kFlangerRange},
    {"chorus", InitChorus, ChangeChorus, Chorus, &kChorusRange},
    {"chdelay", InitChDelay, ChangeChDelay, ChDelay, &kChDelayRange},
};

void SendValues(const BenchEffect& e, const EffectValues& v)
{
    e.change(v.freq, v.depth, v.rate, v.mix, v.degree, v.feed);
}
