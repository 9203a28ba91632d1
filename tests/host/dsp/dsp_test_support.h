// Shared pieces of the effect tests: the four effects behind their entry
// points with their knob ranges, test signals and block-wise processing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/effects.h"

using EffectUnderTest = EffectEntry;

// Phaser, Flanger, Chorus, C-Delay.
const std::vector<EffectUnderTest>& AllEffects();

// The setting with each of the six knobs at its minimum or maximum as the
// bits of corner say (bit 0 freq, 1 depth, 2 rate, 3 mix, 4 degree, 5 feed).
EffectValues CornerValues(const EffectUnderTest& e, int corner);

// Interleaved stereo test signals in 16-bit units.
std::vector<double> Sine(int frames, double hz, double amplitude, double rate, double rightPhase = 0.0);
std::vector<double> WhiteNoise(int frames, double amplitude, uint32_t seed);
std::vector<double> Impulse(int frames, double amplitude);

// Runs the effect over the buffer in blocks of blockValues values.
void ProcessInBlocks(const EffectUnderTest& e, std::vector<double>* buffer, int blockValues);

// Bitwise equality of two buffers (no tolerance), with the first difference.
bool BitIdentical(const std::vector<double>& a, const std::vector<double>& b, std::size_t* firstDifference);

double PeakAbs(const std::vector<double>& v, std::size_t from = 0, std::size_t to = SIZE_MAX);
