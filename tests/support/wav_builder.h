// Builds RIFF WAVE files byte by byte, well-formed or deliberately broken,
// for tests that need real files on disk.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<unsigned char>;

void AppendU16(Bytes* out, uint16_t v);
void AppendU32(Bytes* out, uint32_t v);
void AppendFourCC(Bytes* out, const char* id);

// One chunk: id, the size its header states, and the payload written
// (declared and actual size may differ on purpose). Odd payloads get the
// RIFF pad byte unless pad is false.
void AppendChunk(Bytes* out, const char* id, const Bytes& payload, bool pad = true);
void AppendChunkDeclared(Bytes* out, const char* id, uint32_t declaredSize, const Bytes& payload);

struct FormatFields {
    uint16_t tag = 1;
    uint16_t channels = 2;
    uint32_t rate = 44100;
    uint16_t bits = 16;
};

// The fmt payload: 16 bytes of PCM header, then extraBytes zero bytes.
Bytes FormatPayload(const FormatFields& f, uint32_t extraBytes = 0);

// "RIFF" size formType, followed by body.
Bytes RiffFile(const char* formType, const Bytes& body);

// "RIFF" size formType, followed by whole chunks (id, payload) in order.
using Chunk = std::pair<const char*, Bytes>;
Bytes RiffOf(const char* formType, std::initializer_list<Chunk> chunks);

// A canonical WAVE file: fmt then data holding samples.
Bytes PcmWave(const FormatFields& f, const std::vector<int16_t>& samples);

// Interleaved frames of a sine, for audible content.
std::vector<int16_t> SineSamples(int frames, int channels, double freqHz, double rate, double amplitude);

bool WriteFileBytes(const std::string& path, const Bytes& bytes);
bool ReadFileBytes(const std::string& path, Bytes* bytes);
