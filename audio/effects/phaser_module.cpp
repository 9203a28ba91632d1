// The Phaser module's entry points: thin wrappers over the one phaser state
// that qbx15 and the player share through this DLL.
#include "audio/effect_modules.h"
#include "audio/dsp/phaser.h"

namespace {
PhaserState g_phaser;
}

extern "C" void QBX_FXAPI InitPhaser(double rate)
{
    PhaserInit(&g_phaser, rate);
}

extern "C" void QBX_FXAPI ChangePhaser(double freq, double depth, double rate, double mix, double degree, double feed)
{
    PhaserChange(&g_phaser, EffectValues{freq, depth, rate, mix, degree, feed});
}

extern "C" void QBX_FXAPI Phaser(double* samples, int count)
{
    PhaserProcess(&g_phaser, samples, count);
}
