// The C-Delay module's entry points: thin wrappers over the one modulated-delay
// state that qbx15 and the player share through this DLL.
#include "audio/effect_modules.h"
#include "audio/dsp/modulated_delay.h"

namespace {
ModulatedDelayState g_chdelay;
}

extern "C" void QBX_FXAPI InitChDelay(double rate)
{
    ModulatedDelayInit(&g_chdelay, &kChDelayKind, rate);
}

extern "C" void QBX_FXAPI ChangeChDelay(double freq, double depth, double rate, double mix, double degree, double feed)
{
    ModulatedDelayChange(&g_chdelay, EffectValues{freq, depth, rate, mix, degree, feed});
}

extern "C" void QBX_FXAPI ChDelay(double* samples, int count)
{
    ModulatedDelayProcess(&g_chdelay, samples, count);
}
