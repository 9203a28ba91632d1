#include "audio/source_check.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "audio/riff_search.h"
#include "audio/wav_format.h"
#include "model/settings.h"
#include "model/source_format.h"

namespace {

const char kInvalidFormatText[] =
    "Invalid file format. QBX supports only 16-bit soundfile with sample rate greater (or equal) "
    "than 16000 Hz. ";
const char kInvalidChannelsText[] = "Invalid file format. QBX supports only mono or stereo soundfile.";

// What the check holds while it runs; Release gives back whatever exists.
struct CheckResources {
    HMMIO file = nullptr;
    HLOCAL formatHandle = nullptr;
    unsigned char* format = nullptr;

    void Release()
    {
        if (format) LocalUnlock(formatHandle);
        if (formatHandle) LocalFree(formatHandle);
        if (file) mmioClose(file, 0);
        *this = CheckResources();
    }
};

bool Refuse(CheckResources* res, const char* text, const char** refusal)
{
    res->Release();
    if (refusal) *refusal = text;
    return false;
}

}  // namespace

bool CheckSourceFile(const char* path, const char** refusal)
{
    CheckResources res;

    // mmioOpenA wants a writable name of at most MAX_PATH characters.
    char name[MAX_PATH + 1] = {};
    if (path && std::strlen(path) <= MAX_PATH) {
        std::strcpy(name, path);
        res.file = mmioOpenA(name, nullptr, MMIO_READ | MMIO_ALLOCBUF);
    }
    if (!res.file) return Refuse(&res, "Open file error.", refusal);

    // Every chunk search is FindRiffChunk: mmioDescend's own search never
    // ends on a chunk size that wraps its 32-bit position (found by fuzzing).
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (FindRiffChunk(res.file, &riff, nullptr, MMIO_FINDRIFF) != 0)
        return Refuse(&res, "This is not a WAVE file.", refusal);

    MMCKINFO fmt = {};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (FindRiffChunk(res.file, &fmt, &riff, MMIO_FINDCHUNK) != 0)
        return Refuse(&res, "WAVE file is corrupted.", refusal);
    // A format chunk too short for the PCM header cannot describe the sound;
    // its fields are never read past the chunk's end.
    if (fmt.cksize < kPcmFormatHeaderSize) return Refuse(&res, "WAVE file is corrupted.", refusal);

    res.formatHandle = LocalAlloc(LMEM_MOVEABLE, fmt.cksize);
    if (!res.formatHandle) return Refuse(&res, "Out of memory. Unable to lock memory for format chunk.", refusal);
    res.format = static_cast<unsigned char*>(LocalLock(res.formatHandle));
    if (!res.format) return Refuse(&res, "Failed to lock memory for format chunk.", refusal);

    const LONG wanted = static_cast<LONG>(fmt.cksize);
    if (wanted < 0 || mmioRead(res.file, reinterpret_cast<HPSTR>(res.format), wanted) != wanted)
        return Refuse(&res, "Failed to read format chunk.", refusal);

    PcmFormatFields fields = {};
    ReadPcmFormatFields(res.format, fmt.cksize, &fields);
    if (fields.formatTag != kWaveFormatPcm) return Refuse(&res, "The file is not a PCM file.", refusal);

    mmioAscend(res.file, &fmt, 0);
    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (FindRiffChunk(res.file, &data, &riff, MMIO_FINDCHUNK) != 0)
        return Refuse(&res, "WAVE file has no data chunk.", refusal);
    if (data.cksize == 0) return Refuse(&res, "The data chunk has no data.", refusal);

    if (!IsSupportedSampleFormat(fields)) return Refuse(&res, kInvalidFormatText, refusal);
    if (!IsSupportedChannelCount(fields)) return Refuse(&res, kInvalidChannelsText, refusal);

    g_sourceFormat.sampleRate = fields.samplesPerSec;
    g_sourceFormat.channels = fields.channels;
    g_sourceFormat.dataLength = data.cksize;
    g_sourceFormat.blockSize = LatencyToBytes(g_settings.latency);
    res.Release();
    return true;
}
