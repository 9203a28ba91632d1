#include "player/stream_setup.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

#include "audio/riff_search.h"
#include "player/block_pipeline.h"
#include "player/block_processing.h"
#include "player/completions.h"
#include "player/playback.h"
#include "player/playback_end.h"
#include "player/refill_engine.h"
#include "player/report_error.h"
#include "player/transport_look.h"

namespace {

constexpr uint32_t kFailure = 100;
constexpr uint32_t kOutOfMemory = 7;
constexpr DWORD kHighestDeviceRate = 384000;  // the highest rate the sound server takes

// Everything the start has taken goes back, in reverse: the queued block
// (reset, unprepared), the buffers, the device, the file.
uint32_t Abandon(uint32_t code)
{
    AbandonPlayback();
    CloseSourceFile();
    return code;
}

uint32_t Fail(const char* text, uint32_t code)
{
    ReportError(text);
    return Abandon(code);
}

uint32_t FailOnDevice(MMRESULT code)
{
    ReportDeviceError(code);
    return Abandon(code);
}

// The format chunk's copy, in local memory for the time of the start. At
// least a WAVEFORMATEX long and zero-filled, so a short chunk is never read
// past its end.
struct FormatCopy {
    HLOCAL memory = nullptr;
    WAVEFORMATEX* format = nullptr;
    void Free()
    {
        if (!memory) return;
        LocalUnlock(memory);
        LocalFree(memory);
        memory = nullptr;
        format = nullptr;
    }
};

// Steps up to the data chunk: RIFF WAVE, fmt, the device query, data.
// Returns 0 with *copy holding the device format, or the failure's code.
uint32_t ReadSourceFormat(uint32_t deviceId, uint32_t ioBufferSize, FormatCopy* copy)
{
    HMMIO file = g_playback.file;
    MMRESULT result = mmioSetBuffer(file, nullptr, static_cast<LONG>(ioBufferSize), 0);
    if (result) return Fail("Internal Buffer cannot be allocated.", result);

    // Every chunk search is FindRiffChunk: mmioDescend's own search never
    // ends on a chunk size that wraps its 32-bit position (found by fuzzing).
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    result = FindRiffChunk(file, &riff, nullptr, MMIO_FINDRIFF);
    if (result) return Fail("This is not a WAV file.", result);

    MMCKINFO fmt = {};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    result = FindRiffChunk(file, &fmt, &riff, MMIO_FINDCHUNK);
    if (result) return Fail("WAV file is corrupted.", result);

    const SIZE_T copySize = std::max<SIZE_T>(fmt.cksize, sizeof(WAVEFORMATEX));
    copy->memory = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, copySize);
    if (!copy->memory) return Fail("Out of memory. Format chunk cannot be allocated.", kOutOfMemory);
    copy->format = static_cast<WAVEFORMATEX*>(LocalLock(copy->memory));
    if (!copy->format) return Fail("Out of memory. Failed to lock memory for format chunk.", kOutOfMemory);

    const LONG got = mmioRead(file, reinterpret_cast<HPSTR>(copy->format), static_cast<LONG>(fmt.cksize));
    if (got != static_cast<LONG>(fmt.cksize)) return Fail("Failed to read format chunk.", kFailure);
    WAVEFORMATEX* format = copy->format;
    if (format->wFormatTag != WAVE_FORMAT_PCM) return Fail("This is not a PCM file.", kFailure);

    g_blockBuffers.channels = format->nChannels;
    format->nChannels = 2;
    // The blocks are always 16-bit stereo (ProcessBlock writes them so),
    // whatever the file states; told the file's own bits per sample, the
    // sound service aborted the process on 8 bits at 4294967295 Hz (found
    // by fuzzing).
    format->wBitsPerSample = 16;
    format->nBlockAlign = 4;
    format->nAvgBytesPerSec = format->nSamplesPerSec * 4;
    format->cbSize = 0;
    // Asked for rates far above what sound hardware runs at (4294967295 Hz,
    // 16777215 Hz), the sound service aborted the whole process (found by
    // fuzzing); such a rate is refused here as the device would refuse it.
    if (format->nSamplesPerSec > kHighestDeviceRate) return FailOnDevice(WAVERR_BADFORMAT);
    result = waveOutOpen(nullptr, deviceId, format, 0, 0, WAVE_FORMAT_QUERY);
    if (result) return FailOnDevice(result);

    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    result = mmioAscend(file, &fmt, 0);
    if (!result) result = FindRiffChunk(file, &data, &riff, MMIO_FINDCHUNK);
    if (result) return Fail("WAV file has no data chunk.", result);
    if (data.cksize == 0) return Fail("The data chunk has no data.", kFailure);
    g_playback.plan.dataSize = data.cksize;
    return 0;
}

// A movable shareable block locked for the playback's life.
template <typename T>
uint32_t AllocateBuffer(SIZE_T size, HGLOBAL* memory, T** pointer, const char* allocText, const char* lockText)
{
    *memory = AllocateSharedBlock(size);
    if (!*memory) return Fail(allocText, kOutOfMemory);
    *pointer = static_cast<T*>(GlobalLock(*memory));
    if (!*pointer) {
        GlobalFree(*memory);
        *memory = nullptr;
        return Fail(lockText, kOutOfMemory);
    }
    return 0;
}

uint32_t AllocateBuffers(uint32_t blockSize)
{
    // A block whose buffer of doubles cannot be sized in 32 bits is refused
    // as memory that cannot be had, the same on both builds; its size would
    // otherwise wrap to a small block that the start then overruns.
    if (!BlockBuffersFit(blockSize))
        return Fail("Out of memory. Double precision buffer cannot be allocated.", kOutOfMemory);
    const SIZE_T valueCount = blockSize / 2;
    uint32_t code = AllocateBuffer(valueCount * sizeof(double), &g_playback.valuesMemory, &g_blockBuffers.values,
                                   "Out of memory. Double precision buffer cannot be allocated.",
                                   "Out of memory. Failed to lock memory for double precision buffer.");
    if (code) return code;
    for (SIZE_T i = 0; i < valueCount; ++i) g_blockBuffers.values[i] = 0.0;
    code = AllocateBuffer(blockSize, &g_playback.dataMemory[0], &g_blockBuffers.data[0],
                          "Out of memory. Data1 buffer cannot be allocated.",
                          "Out of memory. Failed to lock memory for data1 buffer.");
    if (code) return code;
    return AllocateBuffer(blockSize, &g_playback.dataMemory[1], &g_blockBuffers.data[1],
                          "Out of memory. Data2 buffer cannot be allocated.",
                          "Out of memory. Failed to lock memory for data2 buffer.");
}

// Read, process, wrap and queue block n; 0, or the code the start returns.
uint32_t QueueFirstBlock(int n, uint32_t* bytes)
{
    if (!ReadBlock(n, bytes)) return Abandon(kFailure);
    // The file ended with block 1 (or block 2 holds less than a frame).
    if (n == 2 && PlayedBytes(*bytes, g_blockBuffers.channels) == 0) {
        *bytes = 0;
        return 0;
    }
    ProcessBlock(static_cast<uint16_t>(n), *bytes);
    const MMRESULT prepared = PrepareBlock(n, *bytes);
    if (prepared) return Abandon(prepared);
    MMRESULT writeError = MMSYSERR_NOERROR;
    WriteBlock(n, *bytes, &writeError);
    if (writeError) return Abandon(writeError);
    return 0;
}

}  // namespace

uint32_t RefuseWithoutNotifyWindow()
{
    ReportDeviceError(MMSYSERR_NOMEM);
    return MMSYSERR_NOMEM;
}

uint32_t OpenStream(uint32_t deviceId, const char* fileName, uint32_t ioBufferSize)
{
    SetPipelineState(Starting);
    CloseLingeringDevice();
    if (g_playback.device || g_playback.file) {
        // Left over from an earlier playback that nobody stopped.
        AbandonPlayback();
        CloseSourceFile();
        SetPipelineState(Starting);
    }
    // Whole stereo frames; no block at all cannot be played.
    const uint32_t blockSize = g_playback.blockSize & ~3u;
    if (blockSize == 0) {
        ReportDeviceError(MMSYSERR_INVALPARAM);
        return MMSYSERR_INVALPARAM;
    }

    g_playback.file = mmioOpenA(const_cast<LPSTR>(fileName), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!g_playback.file) {
        ReportError("Error in opening file.");
        return kFailure;
    }

    FormatCopy copy;
    uint32_t code = ReadSourceFormat(deviceId, ioBufferSize, &copy);
    if (code) {
        copy.Free();
        return code;
    }
    g_playback.outputBytesPerSecond = copy.format->nAvgBytesPerSec;
    g_playback.generation = BeginCompletionGeneration();
    const MMRESULT opened = waveOutOpen(&g_playback.device, deviceId, copy.format,
                                        reinterpret_cast<DWORD_PTR>(WaveOutCallback), g_playback.generation,
                                        CALLBACK_FUNCTION);
    copy.Free();
    if (opened) {
        g_playback.device = nullptr;
        EndCompletionGeneration();
        return FailOnDevice(opened);
    }

    code = AllocateBuffers(blockSize);
    if (code) return code;
    const uint32_t dataSize = g_playback.plan.dataSize;
    g_playback.plan = PlanBlocks(dataSize, blockSize, g_blockBuffers.channels);
    g_playback.blockCounter = 1;
    g_playback.inFlight = 0;

    // The device holds still until both first blocks are queued, so that it
    // never starts with one block only and runs dry before the second.
    waveOutPause(g_playback.device);
    uint32_t bytes = 0;
    code = QueueFirstBlock(1, &bytes);
    if (code) return code;

    g_playback.timerId = SetTimer(nullptr, 0, 100, IndicatorTimerProc);
    if (!g_playback.timerId) return Fail("Failed to set timer.", kFailure);

    if (CurrentPipelineState() == Buffer1Queued) {
        code = QueueFirstBlock(2, &bytes);
        if (code) return code;
        if (bytes == 0) SetPipelineState(Finished);
    } else {
        SetPipelineState(Finished);  // one block holds all the data
    }
    if (!StartRefillEngine(g_playback.generation)) return FailOnDevice(MMSYSERR_NOMEM);
    waveOutRestart(g_playback.device);
    g_halted.store(0);
    return 0;
}
