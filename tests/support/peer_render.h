// What a peer program hears from a file through the effect modules: it
// calls nothing but the modules' own exports (Init, Change and processing
// of each effect) and does the widening, gains and narrowing to 16 bits
// itself, so a fault in the program's own chain or conversion shows up as
// a difference.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

constexpr int kPeerPhaser = 1;
constexpr int kPeerFlanger = 2;
constexpr int kPeerChorus = 3;
constexpr int kPeerChDelay = 4;
constexpr uint32_t kMixdownBlockBytes = 32768;

// Initialises all four effects at rate and gives each the values the
// program starts with; the effects listed are switched on (their mix sent),
// the others off (mix 0).
void StartEffectsAsTheProgramDoes(double rate, std::initializer_list<int> switchedOn);

// 16-bit sample of a value already multiplied by its gain: clipped, then
// rounded to the nearest integer with exact halves toward zero.
int16_t Pcm16Of(double value);

// samples (interleaved, channels 1 or 2) played block by block, each block
// blockBytes of 16-bit stereo output, widened to stereo doubles, passed
// through the effect ids of patch in order and narrowed back at gain.
// Interleaved stereo.
std::vector<int16_t> RenderOffline(const std::vector<int16_t>& samples, int channels, uint32_t blockBytes,
                                   const std::vector<int16_t>& patch, double gain = 1.0);
