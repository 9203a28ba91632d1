#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

#include "audio/riff_search.h"
#include "common/scoped_memory.h"
#include "player/blocks.h"
#include "player/engine.h"
#include "player/player_state.h"
#include "player/report_error.h"
#include "player/transport.h"

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

// Reads the format chunk into format (at least a WAVEFORMATEX long and
// zero-filled, so a short chunk is never read past its end), checks that
// it is PCM and turns it into the 16-bit stereo format the blocks are
// played in, which the device is then asked about. Returns 0, or the
// failure's code.
uint32_t ReadDeviceFormat(uint32_t deviceId, const MMCKINFO& fmt, WAVEFORMATEX* format)
{
    const LONG got = mmioRead(g_player.file, reinterpret_cast<HPSTR>(format), static_cast<LONG>(fmt.cksize));
    if (got != static_cast<LONG>(fmt.cksize)) return Fail("Failed to read format chunk.", kFailure);
    if (format->wFormatTag != WAVE_FORMAT_PCM) return Fail("This is not a PCM file.", kFailure);

    g_player.buffers.channels = format->nChannels;
    format->nChannels = 2;
    // The blocks are always 16-bit stereo (ProcessBlock writes them so),
    // whatever the file states; told the file's own bits per sample, the
    // sound service aborted the process on 8 bits at 4294967295 Hz.
    format->wBitsPerSample = 16;
    format->nBlockAlign = 4;
    format->nAvgBytesPerSec = format->nSamplesPerSec * 4;
    format->cbSize = 0;
    // Asked for rates far above what sound hardware runs at (4294967295 Hz,
    // 16777215 Hz), the sound service aborted the whole process; such a
    // rate is refused here as the device would refuse it.
    if (format->nSamplesPerSec > kHighestDeviceRate) return FailOnDevice(WAVERR_BADFORMAT);
    const MMRESULT result = waveOutOpen(nullptr, deviceId, format, 0, 0, WAVE_FORMAT_QUERY);
    if (result) return FailOnDevice(result);
    return 0;
}

// Steps up to the data chunk (RIFF WAVE, fmt, the device query, data) and
// opens the device in the blocks' format. Every chunk search is
// FindRiffChunk: mmioDescend's own search never ends on a chunk size that
// wraps its 32-bit position. Returns 0, or the failure's code.
uint32_t OpenDeviceForSource(uint32_t deviceId, uint32_t ioBufferSize)
{
    HMMIO file = g_player.file;
    MMRESULT result = mmioSetBuffer(file, nullptr, static_cast<LONG>(ioBufferSize), 0);
    if (result) return Fail("Internal Buffer cannot be allocated.", result);

    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    result = FindRiffChunk(file, &riff, nullptr, MMIO_FINDRIFF);
    if (result) return Fail("This is not a WAV file.", result);

    MMCKINFO fmt = {};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    result = FindRiffChunk(file, &fmt, &riff, MMIO_FINDCHUNK);
    if (result) return Fail("WAV file is corrupted.", result);

    // The format chunk's copy, in local memory for the time of the start.
    ScopedLocalBlock copy(LMEM_MOVEABLE | LMEM_ZEROINIT, std::max<SIZE_T>(fmt.cksize, sizeof(WAVEFORMATEX)));
    if (!copy.handle) return Fail("Out of memory. Format chunk cannot be allocated.", kOutOfMemory);
    if (!copy.bytes) return Fail("Out of memory. Failed to lock memory for format chunk.", kOutOfMemory);
    WAVEFORMATEX* format = static_cast<WAVEFORMATEX*>(copy.bytes);
    const uint32_t code = ReadDeviceFormat(deviceId, fmt, format);
    if (code) return code;

    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    result = mmioAscend(file, &fmt, 0);
    if (!result) result = FindRiffChunk(file, &data, &riff, MMIO_FINDCHUNK);
    if (result) return Fail("WAV file has no data chunk.", result);
    if (data.cksize == 0) return Fail("The data chunk has no data.", kFailure);
    g_player.plan.dataSize = data.cksize;

    g_player.outputBytesPerSecond = format->nAvgBytesPerSec;
    g_player.generation = BeginCompletionGeneration();
    const MMRESULT opened = waveOutOpen(&g_player.device, deviceId, format,
                                        reinterpret_cast<DWORD_PTR>(WaveOutCallback), g_player.generation,
                                        CALLBACK_FUNCTION);
    if (opened) {
        g_player.device = nullptr;
        EndCompletionGeneration();
        return FailOnDevice(opened);
    }
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
    PlayerBlockBuffers& buffers = g_player.buffers;
    const SIZE_T valueCount = blockSize / 2;
    uint32_t code = AllocateBuffer(valueCount * sizeof(double), &g_player.valuesMemory, &buffers.values,
                                   "Out of memory. Double precision buffer cannot be allocated.",
                                   "Out of memory. Failed to lock memory for double precision buffer.");
    if (code) return code;
    for (SIZE_T i = 0; i < valueCount; ++i) buffers.values[i] = 0.0;
    code = AllocateBuffer(blockSize, &g_player.dataMemory[0], &buffers.data[0],
                          "Out of memory. Data1 buffer cannot be allocated.",
                          "Out of memory. Failed to lock memory for data1 buffer.");
    if (code) return code;
    return AllocateBuffer(blockSize, &g_player.dataMemory[1], &buffers.data[1],
                          "Out of memory. Data2 buffer cannot be allocated.",
                          "Out of memory. Failed to lock memory for data2 buffer.");
}

// Reads, processes, wraps and queues block n; 0, or the code the start
// returns. *queued is false when block 2 holds no whole frame (the file
// ended with block 1).
uint32_t QueueFirstBlock(int n, bool* queued)
{
    *queued = true;
    uint32_t bytes = 0;
    MMRESULT code = MMSYSERR_NOERROR;
    switch (QueueNextBlock(n, n == 2, &bytes, &code)) {
    case BlockQueued: return 0;
    case BlockEmpty: *queued = false; return 0;
    case BlockUnread: return Abandon(kFailure);
    case BlockUnprepared: return Abandon(code);
    case BlockUnwritten: return code ? Abandon(code) : 0;
    }
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
    if (g_player.device || g_player.file) {
        // Left over from an earlier playback that nobody stopped: it is
        // claimed and taken down as Stop would, before the new start.
        MovePipeline(Stopping);
        AbandonPlayback();
        CloseSourceFile();
    }
    MovePipeline(Starting);
    CloseLingeringDevice();
    // Whole stereo frames; no block at all cannot be played.
    const uint32_t blockSize = g_player.blockSize & ~3u;
    if (blockSize == 0) {
        ReportDeviceError(MMSYSERR_INVALPARAM);
        return MMSYSERR_INVALPARAM;
    }

    g_player.file = mmioOpenA(const_cast<LPSTR>(fileName), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!g_player.file) {
        ReportError("Error in opening file.");
        return kFailure;
    }

    uint32_t code = OpenDeviceForSource(deviceId, ioBufferSize);
    if (code) return code;

    code = AllocateBuffers(blockSize);
    if (code) return code;
    const uint32_t dataSize = g_player.plan.dataSize;
    g_player.plan = PlanBlocks(dataSize, blockSize, g_player.buffers.channels);
    g_player.blockCounter = 1;
    g_player.inFlight = 0;

    // The device holds still until both first blocks are queued, so that it
    // never starts with one block only and runs dry before the second.
    waveOutPause(g_player.device);
    bool queued = false;
    code = QueueFirstBlock(1, &queued);
    if (code) return code;

    g_player.timerId = SetTimer(nullptr, 0, kIndicatorMs, IndicatorTimerProc);
    if (!g_player.timerId) return Fail("Failed to set timer.", kFailure);

    if (CurrentPipelineState() == Buffer1Queued) {
        code = QueueFirstBlock(2, &queued);
        if (code) return code;
        if (!queued) MovePipeline(Finished);
    } else {
        MovePipeline(Finished);  // one block holds all the data
    }
    if (!StartRefillEngine(g_player.generation)) return FailOnDevice(MMSYSERR_NOMEM);
    waveOutRestart(g_player.device);
    g_player.halted.store(0);
    return 0;
}
