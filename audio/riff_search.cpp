#include "audio/riff_search.h"

#include <cstdint>

namespace {

constexpr uint64_t kLargestOffset = 0x7FFFFFFF;  // mmioSeek takes a LONG

}  // namespace

MMRESULT FindRiffChunk(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags)
{
    FOURCC wantId = 0;
    FOURCC wantType = 0;
    if (flags & MMIO_FINDCHUNK) wantId = chunk->ckid;
    if (flags & MMIO_FINDLIST) {
        wantId = FOURCC_LIST;
        wantType = chunk->fccType;
    }
    if (flags & MMIO_FINDRIFF) {
        wantId = FOURCC_RIFF;
        wantType = chunk->fccType;
    }

    const LONG start = mmioSeek(file, 0, SEEK_CUR);
    if (start < 0) return MMIOERR_CHUNKNOTFOUND;
    if (parent) {
        const uint64_t parentEnd = static_cast<uint64_t>(parent->dwDataOffset) + parent->cksize;
        if (static_cast<uint64_t>(start) < parent->dwDataOffset || static_cast<uint64_t>(start) >= parentEnd)
            return MMIOERR_CHUNKNOTFOUND;
    }

    uint64_t at = static_cast<uint64_t>(start);
    for (;;) {
        DWORD header[3] = {};
        const bool readable = at <= kLargestOffset && mmioSeek(file, static_cast<LONG>(at), SEEK_SET) == static_cast<LONG>(at) &&
                              mmioRead(file, reinterpret_cast<HPSTR>(header), sizeof header) >= 8;
        if (!readable) {
            mmioSeek(file, start, SEEK_SET);
            return MMIOERR_CHUNKNOTFOUND;
        }
        chunk->ckid = header[0];
        chunk->cksize = header[1];
        chunk->fccType = header[2];
        chunk->dwDataOffset = static_cast<DWORD>(at + 8);
        if ((!wantId || chunk->ckid == wantId) && (!wantType || chunk->fccType == wantType)) break;
        at += 8 + ((static_cast<uint64_t>(chunk->cksize) + 1) & ~uint64_t(1));
    }
    chunk->dwFlags = 0;
    if (chunk->ckid == FOURCC_RIFF || chunk->ckid == FOURCC_LIST) {
        mmioSeek(file, static_cast<LONG>(chunk->dwDataOffset + 4), SEEK_SET);
    } else {
        mmioSeek(file, static_cast<LONG>(chunk->dwDataOffset), SEEK_SET);
        chunk->fccType = 0;
    }
    return MMSYSERR_NOERROR;
}
