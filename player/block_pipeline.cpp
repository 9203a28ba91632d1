#include "player/block_pipeline.h"

#include <algorithm>

#include "player/block_processing.h"
#include "player/completions.h"
#include "player/play_out_pad.h"
#include "player/report_error.h"

namespace {

// The header and the record blocks are at least 32 bytes, and large
// enough for the structures on a 64-bit system as well.
constexpr SIZE_T kHeaderBlockSize = std::max<SIZE_T>(32, sizeof(WAVEHDR));
constexpr SIZE_T kRecordBlockSize = std::max<SIZE_T>(32, sizeof(BlockRecord));

// After a reset every buffer is marked done at once; this bounds the wait
// for a device that hands them back late.
void WaitUntilOffQueue(const WAVEHDR* header)
{
    for (int i = 0; i < 2000 && (header->dwFlags & WHDR_INQUEUE); ++i) Sleep(1);
}

}  // namespace

HGLOBAL AllocateSharedBlock(SIZE_T size)
{
    return GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size);
}

void FreeLockedBlock(HGLOBAL block)
{
    if (!block) return;
    GlobalUnlock(block);
    GlobalFree(block);
}

bool ReadBlock(int n, uint32_t* bytes)
{
    *bytes = 0;
    const uint32_t size = BlockReadSize(g_playback.plan, g_playback.blockCounter);
    if (size == 0) return true;
    const LONG got = mmioRead(g_playback.file, reinterpret_cast<HPSTR>(g_blockBuffers.data[n - 1]), static_cast<LONG>(size));
    if (got < 0) {
        ReportPlaybackError(n == 1 ? "Failed to read data1 buffer." : "Failed to read data2 buffer.");
        return false;
    }
    *bytes = static_cast<uint32_t>(got);
    return true;
}

MMRESULT PrepareBlock(int n, uint32_t bytes)
{
    HGLOBAL headerMemory = AllocateSharedBlock(kHeaderBlockSize);
    if (!headerMemory) {
        ReportPlaybackError("Not enough memory for header.");
        return MMSYSERR_NOMEM;
    }
    auto* header = static_cast<WAVEHDR*>(GlobalLock(headerMemory));
    if (!header) {
        GlobalFree(headerMemory);
        ReportPlaybackError("Failed to lock memory for header.");
        return MMSYSERR_NOMEM;
    }
    HGLOBAL recordMemory = AllocateSharedBlock(kRecordBlockSize);
    if (!recordMemory) {
        FreeLockedBlock(headerMemory);
        ReportPlaybackError("Not enough memory for instance data.");
        return MMSYSERR_NOMEM;
    }
    auto* record = static_cast<BlockRecord*>(GlobalLock(recordMemory));
    if (!record) {
        GlobalFree(recordMemory);
        FreeLockedBlock(headerMemory);
        ReportPlaybackError("Failed to lock memory for instance data.");
        return MMSYSERR_NOMEM;
    }

    *record = {recordMemory, headerMemory, g_playback.dataMemory[n - 1]};
    ZeroMemory(header, sizeof(WAVEHDR));
    header->lpData = reinterpret_cast<LPSTR>(g_blockBuffers.data[n - 1]);
    header->dwBufferLength = PlayedBytes(bytes, g_blockBuffers.channels);
    header->dwUser = reinterpret_cast<DWORD_PTR>(record);

    const MMRESULT result = waveOutPrepareHeader(g_playback.device, header, sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR) {
        ReleaseBlockRecord(record, false);
        ReportPlaybackDeviceError(result);
        return result;
    }
    g_playback.headerMemory[n - 1] = headerMemory;
    g_playback.header[n - 1] = header;
    return MMSYSERR_NOERROR;
}

PipelineState WriteBlock(int n, uint32_t bytes, MMRESULT* writeError)
{
    if (writeError) *writeError = MMSYSERR_NOERROR;
    // The state test and the write happen under the state lock, so a Stop
    // that sets Stopping in between finds either the block already queued
    // (and its reset hands it back) or nothing queued at all.
    LockPipelineState();
    const PipelineState now = CurrentPipelineState();
    if (now == Stopping || now == Finished) {
        UnlockPipelineState();
        return now;
    }
    const PipelineState next = StateAfterWrite(g_playback.plan, g_playback.blockCounter, n, bytes);
    const MMRESULT result = waveOutWrite(g_playback.device, g_playback.header[n - 1], sizeof(WAVEHDR));
    if (result == MMSYSERR_NOERROR) {
        g_pipelineState.store(next);
        ++g_playback.inFlight;
        if (next != LastBlockQueued) ++g_playback.blockCounter;
    } else {
        g_pipelineState.store(Finished);
    }
    UnlockPipelineState();

    if (result == MMSYSERR_NOERROR) return next;
    if (writeError) *writeError = result;
    ReportPlaybackDeviceError(result);
    return Finished;
}

void ReleaseBlockRecord(BlockRecord* record, bool withData)
{
    const HGLOBAL data = record->data;
    const HGLOBAL header = record->header;
    const HGLOBAL self = record->self;
    if (withData) FreeLockedBlock(data);
    FreeLockedBlock(header);
    FreeLockedBlock(self);
}

void ReleaseHeader(int n)
{
    WAVEHDR* header = g_playback.header[n - 1];
    if (!header) return;
    waveOutUnprepareHeader(g_playback.device, header, sizeof(WAVEHDR));
    ReleaseBlockRecord(reinterpret_cast<BlockRecord*>(header->dwUser), false);
    g_playback.header[n - 1] = nullptr;
    g_playback.headerMemory[n - 1] = nullptr;
}

void CloseLingeringDevice()
{
    if (!g_playback.lingeringDevice) return;
    if (g_notifyWindow) KillTimer(g_notifyWindow, kLingerTimerId);
    TakeBackPlayOutPad(g_playback.lingeringDevice);
    waveOutClose(g_playback.lingeringDevice);
    g_playback.lingeringDevice = nullptr;
}

void ReleaseDeviceSide(bool linger)
{
    for (int n = 1; n <= 2; ++n) {
        WAVEHDR* header = g_playback.header[n - 1];
        if (header) {
            WaitUntilOffQueue(header);
            waveOutUnprepareHeader(g_playback.device, header, sizeof(WAVEHDR));
            ReleaseBlockRecord(reinterpret_cast<BlockRecord*>(header->dwUser), true);
            g_playback.header[n - 1] = nullptr;
            g_playback.headerMemory[n - 1] = nullptr;
        } else {
            FreeLockedBlock(g_playback.dataMemory[n - 1]);
        }
        g_playback.dataMemory[n - 1] = nullptr;
        g_blockBuffers.data[n - 1] = nullptr;
    }
    FreeLockedBlock(g_playback.valuesMemory);
    g_playback.valuesMemory = nullptr;
    g_blockBuffers.values = nullptr;
    g_playback.inFlight = 0;
    if (g_playback.device) {
        EndCompletionGeneration();
        CloseLingeringDevice();
        if (linger && g_notifyWindow && SetTimer(g_notifyWindow, kLingerTimerId, kLingerMs, nullptr)) {
            g_playback.lingeringDevice = g_playback.device;
            QueuePlayOutPad(g_playback.device, g_playback.outputBytesPerSecond);
        } else
            waveOutClose(g_playback.device);
        g_playback.device = nullptr;
    }
}

void CALLBACK WaveOutCallback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2)
{
    // Only counting and waking here: the device service allows no wave,
    // window or timer calls inside its callback.
    if (message == WOM_DONE) CountCompletion(static_cast<uint32_t>(instance));
}
