// The fuzzer's WAV files: a fixed list of structural cases (every
// truncation at a chunk boundary, hostile chunk sizes, format chunks of
// every length, nested and repeated RIFF and LIST chunks, chunks out of
// order, format fields at their edges), sweeps of the format fields, and
// random mutations drawn from a deterministic generator. Pure: no Win32.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/wav_builder.h"

// SplitMix64: small, fast, and the same sequence on every machine.
class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (n > 0).
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    uint64_t state_;
};

struct WavCase {
    std::string name;  // family and parameters, enough to rebuild it by hand
    Bytes bytes;
};

// Well-formed files the mutations start from: stereo and mono, 16 and 18
// byte formats, LIST and fact chunks around the data, odd data lengths.
std::vector<WavCase> BaseWaves();

// The structural cases, in a fixed order.
std::vector<WavCase> StructuralCases();

// Field sweeps: the format chunk's channel count, rate and bits per sample
// each set to one value of a list (edges and powers of two around them in
// the short list; every 16-bit value and a dense spread of rates in the
// full list). Cases are made by index so that a sweep costs no memory.
size_t FieldSweepCount(bool full);
WavCase FieldSweepCase(bool full, size_t index);

// One random mutation case: a base or structural file changed by one to
// eight random edits (bit flips, interesting values in sizes and fields,
// inserted, deleted and duplicated ranges, chunk ids, truncation).
WavCase RandomCase(FuzzRandom* random, const std::vector<WavCase>& seeds);

// Where each chunk of bytes sits, walking it as RIFF from the start;
// stops at the first header that does not fit.
struct ChunkSpot {
    size_t header;   // offset of the four-character id
    size_t payload;  // header + 8
    size_t end;      // payload + stated size, possibly past the file
    bool list;       // RIFF or LIST: its payload starts with a form type and holds chunks
};
std::vector<ChunkSpot> WalkChunks(const Bytes& bytes);
