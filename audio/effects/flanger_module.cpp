// The Flanger module's entry points: thin wrappers over the one modulated-delay
// state that qbx15 and the player share through this DLL.
#include "audio/effect_modules.h"
#include "audio/dsp/modulated_delay.h"

namespace {
ModulatedDelayState g_flanger;
}

extern "C" void QBX_FXAPI InitFlanger(double rate)
{
    ModulatedDelayInit(&g_flanger, &kFlangerKind, rate);
}

extern "C" void QBX_FXAPI ChangeFlanger(double freq, double depth, double rate, double mix, double degree, double feed)
{
    ModulatedDelayChange(&g_flanger, EffectValues{freq, depth, rate, mix, degree, feed});
}

extern "C" void QBX_FXAPI Flanger(double* samples, int count)
{
    ModulatedDelayProcess(&g_flanger, samples, count);
}
