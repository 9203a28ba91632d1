// The Chorus module's entry points: thin wrappers over the one modulated-delay
// state that qbx15 and the player share through this DLL.
#include "audio/effect_modules.h"
#include "audio/dsp/modulated_delay.h"

namespace {
ModulatedDelayState g_chorus;
}

extern "C" void QBX_FXAPI InitChorus(double rate)
{
    ModulatedDelayInit(&g_chorus, &kChorusKind, rate);
}

extern "C" void QBX_FXAPI ChangeChorus(double freq, double depth, double rate, double mix, double degree, double feed)
{
    ModulatedDelayChange(&g_chorus, EffectValues{freq, depth, rate, mix, degree, feed});
}

extern "C" void QBX_FXAPI Chorus(double* samples, int count)
{
    ModulatedDelayProcess(&g_chorus, samples, count);
}
