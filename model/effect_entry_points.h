// Entry points of the four effect modules (phaser, flanger, chorus,
// chorus-delay). Both qbx15 and the player link these DLLs, so the two share
// one loaded instance of each effect's state: a knob's Change call reaches
// the very state that playback runs.
//
// Calling convention: __cdecl, exported undecorated (no leading underscore,
// no @N), as listed in each module's .def file.
#pragma once

#ifdef _WIN32
#define QBX_FXAPI __cdecl
#else
#define QBX_FXAPI
#endif

extern "C" {

// Prepare an effect for a source sample rate (Hz); resets all its state.
void QBX_FXAPI InitPhaser(double rate);
void QBX_FXAPI InitFlanger(double rate);
void QBX_FXAPI InitChorus(double rate);
void QBX_FXAPI InitChDelay(double rate);

// The effect's six current values; mix is 0 while the effect is switched off.
// May be called at any time from any thread, also during processing.
void QBX_FXAPI ChangePhaser(double freq, double depth, double rate, double mix, double degree, double feed);
void QBX_FXAPI ChangeFlanger(double freq, double depth, double rate, double mix, double degree, double feed);
void QBX_FXAPI ChangeChorus(double freq, double depth, double rate, double mix, double degree, double feed);
void QBX_FXAPI ChangeChDelay(double freq, double depth, double rate, double mix, double degree, double feed);

// Process count interleaved stereo values (16-bit units, unscaled) in place.
void QBX_FXAPI Phaser(double* samples, int count);
void QBX_FXAPI Flanger(double* samples, int count);
void QBX_FXAPI Chorus(double* samples, int count);
void QBX_FXAPI ChDelay(double* samples, int count);

}  // extern "C"
