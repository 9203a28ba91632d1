#include "tests/wine/fuzz/wav_cases.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

constexpr size_t kMaxCaseBytes = 256 * 1024;

uint32_t GetU32(const Bytes& b, size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Writes the low width bytes of v at at, little-endian, where they fit.
void PutLittleEndian(Bytes* b, size_t at, uint32_t v, int width)
{
    if (at + width > b->size()) return;
    for (int i = 0; i < width; ++i) (*b)[at + i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}
void PutU16(Bytes* b, size_t at, uint16_t v) { PutLittleEndian(b, at, v, 2); }
void PutU32(Bytes* b, size_t at, uint32_t v) { PutLittleEndian(b, at, v, 4); }

std::string Hex(uint64_t v)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(v));
    return text;
}

std::string Id(const Bytes& b, size_t at)
{
    std::string id;
    for (size_t i = at; i < at + 4 && i < b.size(); ++i) id += (b[i] >= 32 && b[i] < 127) ? static_cast<char>(b[i]) : '?';
    return id;
}

Bytes DataBytes(size_t count, unsigned seed)
{
    Bytes data(count);
    for (size_t i = 0; i < count; ++i) data[i] = static_cast<unsigned char>((i * 37 + seed * 11 + 5) & 0xFF);
    return data;
}

Bytes InfoList()
{
    Bytes info;
    AppendFourCC(&info, "INFO");
    Bytes isft = {'Q', 'b', 'x', 0};
    AppendChunk(&info, "ISFT", isft);
    Bytes ieng = {'f', 'u', 'z', 'z', 'e', 0};
    AppendChunk(&info, "IENG", ieng);
    return info;
}

FormatFields Fields(uint16_t channels, uint32_t rate)
{
    FormatFields f;
    f.channels = channels;
    f.rate = rate;
    return f;
}

// A 40-byte format record: the PCM header, cbSize 22 and extension bytes.
Bytes LongFormat(const FormatFields& f)
{
    Bytes p = FormatPayload(f);
    AppendU16(&p, 22);
    for (int i = 0; i < 22; ++i) p.push_back(static_cast<unsigned char>(0xA0 + i));
    return p;
}

const ChunkSpot* FindChunk(const Bytes& b, const std::vector<ChunkSpot>& spots, const char* id)
{
    for (const ChunkSpot& s : spots)
        if (std::memcmp(&b[s.header], id, 4) == 0) return &s;
    return nullptr;
}

void WalkRange(const Bytes& b, size_t from, size_t limit, int depth, std::vector<ChunkSpot>* out)
{
    size_t at = from;
    while (at + 8 <= limit && out->size() < 4096) {
        ChunkSpot s;
        s.header = at;
        s.payload = at + 8;
        s.end = s.payload + GetU32(b, at + 4);
        s.list = std::memcmp(&b[at], "RIFF", 4) == 0 || std::memcmp(&b[at], "LIST", 4) == 0;
        out->push_back(s);
        if (s.list && depth < 32) WalkRange(b, s.payload + 4, std::min(s.end, limit), depth + 1, out);
        at = s.end + (GetU32(b, at + 4) & 1);
        if (at <= s.header) break;
    }
}

const uint32_t kInteresting32[] = {
    0, 1, 2, 3, 4, 7, 8, 15, 16, 17, 18, 19, 20, 22, 39, 40, 41, 0x7F, 0x80, 0xFF, 0x100, 0x3FFF, 0x7FFF,
    0x8000, 0xFFFF, 0x10000, 15999, 16000, 16001, 22050, 44100, 48000, 96000, 192000, 0x7FFFFFFF,
    0x80000000, 0x80000001, 0xFFFFFFFE, 0xFFFFFFFF,
};
const uint16_t kInteresting16[] = {0, 1, 2, 3, 4, 7, 8, 15, 16, 17, 18, 24, 32, 255, 256, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF};
const unsigned char kInteresting8[] = {0, 1, 2, 0x7F, 0x80, 0xFE, 0xFF, ' ', 'f', 'd'};
const char* const kChunkIds[] = {"RIFF", "LIST", "WAVE", "fmt ", "data", "INFO", "fact", "JUNK", "RIFX", "\0\0\0\0"};

const uint16_t kChannelEdges[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17, 127, 128, 255, 256, 1023, 4096, 32767,
                                  32768, 32769, 65533, 65534, 65535};
const uint32_t kRateEdges[] = {0, 1, 2, 3, 4, 8000, 11025, 15999, 16000, 16001, 22050, 32000, 44100, 48000, 88200,
                               96000, 176400, 192000, 352800, 384000, 768000, 1000000, 65535, 65536, 0x00FFFFFF,
                               0x01000000, 0x1FFFFFFF, 0x20000000, 0x3FFFFFFF, 0x40000000, 0x40000001,
                               0x7FFFFFFF, 0x80000000, 0x80000001, 0xC0000000, 0xFFFFFFFE, 0xFFFFFFFF};
const uint16_t kBitsEdges[] = {0, 1, 4, 7, 8, 9, 12, 15, 16, 17, 20, 24, 31, 32, 33, 48, 64, 255, 256, 32767, 32768,
                               65534, 65535};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N]) { return N; }

// Sets one field of the format chunk of base (offset within the chunk, width 2 or 4).
WavCase WithFormatField(const WavCase& base, const char* field, size_t offset, int width, uint32_t value)
{
    WavCase c{base.name + " " + field + "=" + std::to_string(value), base.bytes};
    const std::vector<ChunkSpot> spots = WalkChunks(c.bytes);
    const ChunkSpot* fmt = FindChunk(c.bytes, spots, "fmt ");
    if (fmt) PutLittleEndian(&c.bytes, fmt->payload + offset, value, width);
    return c;
}

// The layouts a RIFF walker trips over.
void AddLayouts(std::vector<WavCase>* out)
{
    const Bytes fmt = FormatPayload(Fields(2, 44100));
    const Bytes fmtMono = FormatPayload(Fields(1, 22050));
    Bytes badTag = fmt;
    PutU16(&badTag, 0, 2);
    const Bytes data = DataBytes(400, 1);
    const Bytes oddData = DataBytes(33, 2);
    auto add = [out](const std::string& name, const Bytes& bytes) { out->push_back({"layout " + name, bytes}); };
    auto list = [](const char* type, const Bytes& inner) {
        Bytes p;
        AppendFourCC(&p, type);
        p.insert(p.end(), inner.begin(), inner.end());
        return p;
    };
    Bytes fmtAndData;
    AppendChunk(&fmtAndData, "fmt ", fmt);
    AppendChunk(&fmtAndData, "data", data);

    add("data before fmt", RiffOf("WAVE", {{"data", data}, {"fmt ", fmt}}));
    add("data fmt data", RiffOf("WAVE", {{"data", data}, {"fmt ", fmt}, {"data", oddData}}));
    add("two fmt, first compressed", RiffOf("WAVE", {{"fmt ", badTag}, {"fmt ", fmt}, {"data", data}}));
    add("two fmt, second compressed", RiffOf("WAVE", {{"fmt ", fmt}, {"fmt ", badTag}, {"data", data}}));
    add("two data, first empty", RiffOf("WAVE", {{"fmt ", fmt}, {"data", Bytes()}, {"data", data}}));
    add("two data", RiffOf("WAVE", {{"fmt ", fmt}, {"data", oddData}, {"data", data}}));
    add("only fmt", RiffOf("WAVE", {{"fmt ", fmt}}));
    add("only data", RiffOf("WAVE", {{"data", data}}));
    add("empty WAVE", RiffFile("WAVE", Bytes()));
    add("RIFF header only", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
    add("fmt inside LIST", RiffOf("WAVE", {{"LIST", list("INFO", fmtAndData)}}));
    add("LIST fmt data", RiffOf("WAVE", {{"LIST", InfoList()}, {"fmt ", fmt}, {"data", data}}));
    add("fmt LIST data", RiffOf("WAVE", {{"fmt ", fmt}, {"LIST", InfoList()}, {"data", data}}));
    add("fmt data LIST", RiffOf("WAVE", {{"fmt ", fmtMono}, {"data", oddData}, {"LIST", InfoList()}}));
    add("data inside LIST", RiffOf("WAVE", {{"fmt ", fmt}, {"LIST", list("adtl", [&] {
                                                      Bytes d;
                                                      AppendChunk(&d, "data", data);
                                                      return d;
                                                  }())}}));
    {
        Bytes nested = fmtAndData;
        for (int depth = 0; depth < 24; ++depth) {
            Bytes wrapped;
            AppendChunk(&wrapped, "LIST", list("INFO", nested));
            nested = wrapped;
        }
        add("fmt and data 24 LISTs deep", RiffFile("WAVE", nested));
    }
    {
        Bytes inner = RiffFile("WAVE", fmtAndData);
        Bytes outer = RiffFile("WAVE", inner);
        add("RIFF WAVE inside RIFF WAVE", outer);
        Bytes withChunks;
        AppendChunk(&withChunks, "JUNK", Bytes(6, 0));
        withChunks.insert(withChunks.end(), inner.begin(), inner.end());
        add("JUNK then RIFF WAVE inside RIFF WAVE", RiffFile("WAVE", withChunks));
        Bytes twice = inner;
        twice.insert(twice.end(), inner.begin(), inner.end());
        add("RIFF WAVE twice", twice);
        Bytes avi;
        AppendChunk(&avi, "avih", Bytes(56, 0));
        Bytes aviThenWave = RiffFile("AVI ", avi);
        aviThenWave.insert(aviThenWave.end(), inner.begin(), inner.end());
        add("RIFF AVI then RIFF WAVE", aviThenWave);
        add("RIFF AVI holding fmt and data", RiffFile("AVI ", fmtAndData));
        Bytes inList;
        AppendChunk(&inList, "LIST", list("WAVE", fmtAndData));
        add("top-level LIST WAVE", inList);
        add("RIFF WAVE inside LIST", RiffOf("WAVE", {{"LIST", list("INFO", inner)}}));
        Bytes riffx = inner;
        std::memcpy(riffx.data(), "RIFX", 4);
        add("RIFX", riffx);
        Bytes lower = inner;
        std::memcpy(&lower[12], "FMT ", 4);
        add("upper-case FMT", lower);
    }
    {
        Bytes many;
        for (int i = 0; i < 2000; ++i) AppendChunk(&many, "JUNK", Bytes());
        many.insert(many.end(), fmtAndData.begin(), fmtAndData.end());
        add("2000 empty chunks before fmt", RiffFile("WAVE", many));
        Bytes zeros = fmtAndData;
        zeros.insert(zeros.begin(), 8 * 500, 0);
        add("500 zero chunk headers before fmt", RiffFile("WAVE", zeros));
    }
    {
        Bytes body;
        AppendChunkDeclared(&body, "LIST", 0xFFFFFFFF, list("INFO", Bytes()));
        body.insert(body.end(), fmtAndData.begin(), fmtAndData.end());
        add("LIST of size 0xFFFFFFFF before fmt", RiffFile("WAVE", body));
        Bytes oddList;
        AppendChunkDeclared(&oddList, "LIST", 5, list("INFO", Bytes{1}));
        oddList.insert(oddList.end(), fmtAndData.begin(), fmtAndData.end());
        add("odd-sized LIST before fmt without pad", RiffFile("WAVE", oddList));
    }
    add("not RIFF at all", Bytes(300, 'x'));
    add("empty file", Bytes());
    add("all 0xFF", Bytes(64, 0xFF));
}

}  // namespace

std::vector<ChunkSpot> WalkChunks(const Bytes& bytes)
{
    std::vector<ChunkSpot> spots;
    WalkRange(bytes, 0, bytes.size(), 0, &spots);
    return spots;
}

std::vector<WavCase> BaseWaves()
{
    return {
        {"stereo 44100", RiffOf("WAVE", {{"fmt ", FormatPayload(Fields(2, 44100))}, {"data", DataBytes(400, 3)}})},
        {"mono 22050 fmt18 odd data LIST", RiffOf("WAVE", {{"fmt ", FormatPayload(Fields(1, 22050), 2)},
                                                           {"data", DataBytes(301, 4)},
                                                           {"LIST", InfoList()}})},
        {"LIST stereo 16000 fact data8", RiffOf("WAVE", {{"LIST", InfoList()},
                                                         {"fmt ", FormatPayload(Fields(2, 16000))},
                                                         {"fact", Bytes{2, 0, 0, 0}},
                                                         {"data", DataBytes(8, 5)}})},
        {"stereo 48000 fmt40 JUNK",
         RiffOf("WAVE", {{"fmt ", LongFormat(Fields(2, 48000))}, {"data", DataBytes(1000, 6)}, {"JUNK", Bytes(7, 0)}})},
    };
}

std::vector<WavCase> StructuralCases()
{
    std::vector<WavCase> out;
    const std::vector<WavCase> bases = BaseWaves();
    for (const WavCase& base : bases) out.push_back(base);

    // Truncated at every chunk boundary and one byte either side of it.
    for (const WavCase& base : bases) {
        std::set<size_t> cuts;
        for (size_t i = 0; i <= 12; ++i) cuts.insert(i);
        for (const ChunkSpot& s : WalkChunks(base.bytes)) {
            for (size_t at : {s.header, s.header + 4, s.payload, s.payload + 4, s.end, s.end + 1}) {
                cuts.insert(at);
                cuts.insert(at + 1);
                if (at) cuts.insert(at - 1);
            }
        }
        for (size_t cut : cuts) {
            if (cut >= base.bytes.size()) continue;
            out.push_back({base.name + " cut at " + std::to_string(cut),
                           Bytes(base.bytes.begin(), base.bytes.begin() + static_cast<long>(cut))});
        }
    }

    // Every chunk's size field: empty, odd, huge, and past the end of the file.
    for (const WavCase& base : bases) {
        for (const ChunkSpot& s : WalkChunks(base.bytes)) {
            const uint32_t stated = GetU32(base.bytes, s.header + 4);
            const uint32_t toEnd = static_cast<uint32_t>(base.bytes.size() - s.payload);
            const uint32_t sizes[] = {0, 1, 2, 3, 4, 15, 16, 17, 18, stated - 1, stated + 1, stated | 1,
                                      toEnd, toEnd + 1, toEnd + 2, toEnd + 4096, 0x10000, 0x7FFFFFFF,
                                      0x80000000, 0xFFFFFFF7, 0xFFFFFFFE, 0xFFFFFFFF};
            for (uint32_t size : sizes) {
                WavCase c{base.name + " " + Id(base.bytes, s.header) + "@" + std::to_string(s.header) + " size " +
                              Hex(size),
                          base.bytes};
                PutU32(&c.bytes, s.header + 4, size);
                out.push_back(c);
            }
        }
    }

    // A format chunk of every length from 0 to 40, stated and written in
    // agreement and in disagreement, with and without data after it.
    const Bytes full = LongFormat(Fields(2, 44100));
    for (uint32_t length = 0; length <= 40; ++length) {
        const Bytes prefix(full.begin(), full.begin() + length);
        const Bytes data = DataBytes(64, length);
        const std::string n = "fmt length " + std::to_string(length);
        out.push_back({n, RiffOf("WAVE", {{"fmt ", prefix}, {"data", data}})});

        Bytes body;
        AppendChunkDeclared(&body, "fmt ", length, Bytes(full.begin(), full.begin() + 16));
        AppendChunk(&body, "data", data);
        out.push_back({n + " stated, 16 written", RiffFile("WAVE", body)});

        body.clear();
        AppendChunkDeclared(&body, "fmt ", 16, prefix);
        AppendChunk(&body, "data", data);
        out.push_back({n + " written, 16 stated", RiffFile("WAVE", body)});

        body.clear();
        AppendChunk(&body, "fmt ", prefix, false);
        out.push_back({n + " at the end of the file", RiffFile("WAVE", body)});

        Bytes ones(length, 0xFF);
        if (length >= 2) ones[0] = 1, ones[1] = 0;  // PCM tag, every other byte 0xFF
        out.push_back({n + " PCM tag, rest 0xFF", RiffOf("WAVE", {{"fmt ", ones}, {"data", data}})});
    }

    AddLayouts(&out);

    // Format fields at their edges on two bases, and the pairs the check
    // draws its line between.
    for (size_t b = 0; b < 2; ++b) {
        for (uint16_t tag : {uint16_t(0), uint16_t(2), uint16_t(3), uint16_t(0xFFFE), uint16_t(0xFFFF)})
            out.push_back(WithFormatField(bases[b], "tag", 0, 2, tag));
        for (uint32_t avg : {0u, 1u, 0xFFFFFFFFu}) out.push_back(WithFormatField(bases[b], "avgBytes", 8, 4, avg));
        for (uint16_t align : {uint16_t(0), uint16_t(3), uint16_t(0xFFFF)})
            out.push_back(WithFormatField(bases[b], "align", 12, 2, align));
    }
    for (uint16_t channels : {uint16_t(0), uint16_t(1), uint16_t(2), uint16_t(3)})
        for (uint32_t rate : {15999u, 16000u, 0xFFFFFFFFu})
            for (uint16_t bits : {uint16_t(8), uint16_t(16), uint16_t(24)}) {
                WavCase c = WithFormatField(bases[0], "channels", 2, 2, channels);
                c = WithFormatField(c, "rate", 4, 4, rate);
                out.push_back(WithFormatField(c, "bits", 14, 2, bits));
            }
    return out;
}

size_t FieldSweepCount(bool full)
{
    if (full) return 3 * 65536;
    return 2 * (Count(kChannelEdges) + Count(kRateEdges) + Count(kBitsEdges));
}

WavCase FieldSweepCase(bool full, size_t index)
{
    static const std::vector<WavCase> bases = BaseWaves();
    const WavCase& base = bases[index % 2];
    if (full) {
        const size_t field = index / 65536;
        const uint32_t v = static_cast<uint32_t>(index % 65536);
        if (field == 0) return WithFormatField(base, "channels", 2, 2, v);
        if (field == 1) return WithFormatField(base, "bits", 14, 2, v);
        // Rates: the low 16 bits in the low half of the sweep, then values
        // spread over the whole 32-bit range, ending at 0xFFFFFFFF.
        const uint32_t rate = v < 32768 ? v : static_cast<uint32_t>((v - 32768ull) * 0xFFFFFFFFull / 32767ull);
        return WithFormatField(base, "rate", 4, 4, rate);
    }
    size_t i = index / 2;
    if (i < Count(kChannelEdges)) return WithFormatField(base, "channels", 2, 2, kChannelEdges[i]);
    i -= Count(kChannelEdges);
    if (i < Count(kRateEdges)) return WithFormatField(base, "rate", 4, 4, kRateEdges[i]);
    i -= Count(kRateEdges);
    return WithFormatField(base, "bits", 14, 2, kBitsEdges[i % Count(kBitsEdges)]);
}

WavCase RandomCase(FuzzRandom* random, const std::vector<WavCase>& seeds)
{
    const WavCase& seed = seeds[random->Below(static_cast<uint32_t>(seeds.size()))];
    WavCase c{"random from [" + seed.name + "]:", seed.bytes};
    Bytes& b = c.bytes;
    const int edits = 1 + static_cast<int>(random->Below(8));
    for (int e = 0; e < edits; ++e) {
        const size_t size = b.size();
        const size_t at = size ? random->Below(static_cast<uint32_t>(size)) : 0;
        const uint32_t op = random->Below(13);
        c.name += " " + std::to_string(op) + "@" + std::to_string(at);
        switch (op) {
        case 0: if (size) b[at] ^= static_cast<unsigned char>(1u << random->Below(8)); break;
        case 1: if (size) b[at] = kInteresting8[random->Below(Count(kInteresting8))]; break;
        case 2: PutU16(&b, at, kInteresting16[random->Below(Count(kInteresting16))]); break;
        case 3: {
            const std::vector<ChunkSpot> spots = WalkChunks(b);
            if (spots.empty()) break;
            const ChunkSpot& s = spots[random->Below(static_cast<uint32_t>(spots.size()))];
            uint32_t v = kInteresting32[random->Below(Count(kInteresting32))];
            if (random->OneIn(3)) v = static_cast<uint32_t>(size - std::min(size, s.payload) + random->Below(9)) - 4;
            if (random->OneIn(5)) v = static_cast<uint32_t>(random->Next());
            PutU32(&b, s.header + 4, v);
            break;
        }
        case 4: PutU32(&b, at, random->OneIn(2) ? kInteresting32[random->Below(Count(kInteresting32))]
                                                   : static_cast<uint32_t>(random->Next()));
            break;
        case 5: {
            const std::vector<ChunkSpot> spots = WalkChunks(b);
            const ChunkSpot* fmt = FindChunk(b, spots, "fmt ");
            if (!fmt) break;
            const size_t offsets[] = {0, 2, 4, 8, 12, 14, 16};
            const size_t off = offsets[random->Below(Count(offsets))];
            if (off == 4 || off == 8) PutU32(&b, fmt->payload + off, random->OneIn(2) ? kInteresting32[random->Below(Count(kInteresting32))] : static_cast<uint32_t>(random->Next()));
            else PutU16(&b, fmt->payload + off, random->OneIn(2) ? kInteresting16[random->Below(Count(kInteresting16))] : static_cast<uint16_t>(random->Next()));
            break;
        }
        case 6: if (random->OneIn(2)) b.resize(at); break;
        case 7: {
            const size_t n = 1 + random->Below(64);
            Bytes junk(n);
            for (auto& x : junk) x = static_cast<unsigned char>(random->Next());
            b.insert(b.begin() + static_cast<long>(at), junk.begin(), junk.end());
            break;
        }
        case 8: {
            const size_t n = std::min<size_t>(size - at, 1 + random->Below(64));
            b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n));
            break;
        }
        case 9: {
            const std::vector<ChunkSpot> spots = WalkChunks(b);
            if (spots.empty()) break;
            const ChunkSpot& s = spots[random->Below(static_cast<uint32_t>(spots.size()))];
            const size_t end = std::min(s.end, size);
            if (end - s.header > 4096 || end <= s.header) break;
            const Bytes copy(b.begin() + static_cast<long>(s.header), b.begin() + static_cast<long>(end));
            b.insert(b.begin() + static_cast<long>(at), copy.begin(), copy.end());
            break;
        }
        case 10:
            if (at + 4 <= size) std::memcpy(&b[at], kChunkIds[random->Below(Count(kChunkIds))], 4);
            break;
        case 11: {
            AppendFourCC(&b, kChunkIds[random->Below(Count(kChunkIds))]);
            const uint32_t payload = random->Below(65);
            AppendU32(&b, random->OneIn(2) ? payload : kInteresting32[random->Below(Count(kInteresting32))]);
            for (uint32_t i = 0; i < payload; ++i) b.push_back(static_cast<unsigned char>(random->Next()));
            break;
        }
        case 12: {
            // Wrap what is there, from offset 12 on, into a nested RIFF or LIST.
            if (size < 12) break;
            const Bytes inner(b.begin() + 12, b.end());
            Bytes wrapped;
            AppendChunk(&wrapped, random->OneIn(2) ? "LIST" : "RIFF", [&] {
                Bytes p;
                AppendFourCC(&p, random->OneIn(2) ? "WAVE" : "INFO");
                p.insert(p.end(), inner.begin(), inner.end());
                return p;
            }());
            b.resize(12);
            b.insert(b.end(), wrapped.begin(), wrapped.end());
            PutU32(&b, 4, static_cast<uint32_t>(b.size() - 8));
            break;
        }
        }
        if (b.size() > kMaxCaseBytes) b.resize(kMaxCaseBytes);
    }
    return c;
}
