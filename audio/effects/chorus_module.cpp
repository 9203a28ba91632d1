// The Chorus module's entry points. Until its signal processing lands the
// module leaves the samples unchanged, which is also what mix 0 requires.
#include "audio/effect_modules.h"

extern "C" void QBX_FXAPI InitChorus(double rate) {}

extern "C" void QBX_FXAPI ChangeChorus(double freq, double depth, double rate, double mix, double degree, double feed) {}

extern "C" void QBX_FXAPI Chorus(double* samples, int count) {}
