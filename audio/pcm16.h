// Widening 16-bit samples to doubles and narrowing them back: the one
// conversion rule shared by playback and the mixdown, so both give the same
// bytes for the same sound. Pure: no Win32.
#pragma once
#include <cstdint>

// Clip to -32768..32767, then round to the nearest integer with halves
// toward zero (2.5 -> 2, -2.5 -> -2, 2.6 -> 3).
int16_t NearestPcm16(double v);

// Copies sampleCount 16-bit samples into values as interleaved stereo; a mono
// source is duplicated into both channels. Returns the number of doubles
// written (2 x sampleCount for mono, else sampleCount). samples and values
// may not overlap.
int WidenPcm16(const int16_t* samples, int sampleCount, bool mono, double* values);

// The interleaved stereo values that bytes of 16-bit source make: whole
// frames only (two bytes per mono frame, four per stereo frame), so a
// stray trailing byte or half frame makes no sound, in playback as in the
// mixdown. 0 for no bytes or fewer than one frame.
int WholeFrameValueCount(int64_t bytes, bool mono);

// For each left/right pair: multiply by the channel's gain (stored back into
// values), clip and round into samples. A lone last value is a left value;
// nothing at or past count is read or written.
void NarrowToPcm16(double* values, int16_t* samples, int count, double leftGain, double rightGain);
