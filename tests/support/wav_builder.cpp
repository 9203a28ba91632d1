#include "tests/support/wav_builder.h"

#include <cmath>
#include <cstdio>
#include <cstring>

void AppendU16(Bytes* out, uint16_t v)
{
    out->push_back(static_cast<unsigned char>(v & 0xFF));
    out->push_back(static_cast<unsigned char>(v >> 8));
}

void AppendU32(Bytes* out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

void AppendFourCC(Bytes* out, const char* id)
{
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<unsigned char>(id[i]));
}

void AppendChunkDeclared(Bytes* out, const char* id, uint32_t declaredSize, const Bytes& payload)
{
    AppendFourCC(out, id);
    AppendU32(out, declaredSize);
    out->insert(out->end(), payload.begin(), payload.end());
}

void AppendChunk(Bytes* out, const char* id, const Bytes& payload, bool pad)
{
    AppendChunkDeclared(out, id, static_cast<uint32_t>(payload.size()), payload);
    if (pad && payload.size() % 2) out->push_back(0);
}

Bytes FormatPayload(const FormatFields& f, uint32_t extraBytes)
{
    Bytes p;
    const uint16_t align = static_cast<uint16_t>(f.channels * (f.bits / 8));
    AppendU16(&p, f.tag);
    AppendU16(&p, f.channels);
    AppendU32(&p, f.rate);
    AppendU32(&p, f.rate * align);
    AppendU16(&p, align);
    AppendU16(&p, f.bits);
    p.insert(p.end(), extraBytes, 0);
    return p;
}

Bytes RiffFile(const char* formType, const Bytes& body)
{
    Bytes out;
    AppendFourCC(&out, "RIFF");
    AppendU32(&out, static_cast<uint32_t>(body.size() + 4));
    AppendFourCC(&out, formType);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes RiffOf(const char* formType, std::initializer_list<Chunk> chunks)
{
    Bytes body;
    for (const Chunk& c : chunks) AppendChunk(&body, c.first, c.second);
    return RiffFile(formType, body);
}

Bytes PcmWave(const FormatFields& f, const std::vector<int16_t>& samples)
{
    Bytes data;
    for (int16_t s : samples) AppendU16(&data, static_cast<uint16_t>(s));
    return RiffOf("WAVE", {{"fmt ", FormatPayload(f)}, {"data", data}});
}

std::vector<int16_t> SineSamples(int frames, int channels, double freqHz, double rate, double amplitude)
{
    std::vector<int16_t> out;
    out.reserve(static_cast<size_t>(frames) * channels);
    const double twoPi = 6.283185307179586;
    for (int i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(twoPi * freqHz * i / rate);
        for (int c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(std::lround(v)));
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadFileBytes(const std::string& path, Bytes* bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes->clear();
    unsigned char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
    std::fclose(f);
    return true;
}
