// Writes and reads 16-bit stereo PCM WAV files for the benchmark and the
// render tool (plain 44-byte header; only what these tools themselves write).
#pragma once

#include <cstdint>
#include <vector>

bool WriteStereoWav(const char* path, const std::vector<int16_t>& samples, uint32_t rate);
bool ReadStereoWav(const char* path, std::vector<int16_t>* samples);
