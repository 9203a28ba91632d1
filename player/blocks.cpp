#include "player/blocks.h"

#include <algorithm>

#include "player/block_processing.h"
#include "player/player_state.h"
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

// Reads the next block into data buffer n. False on a read error, which has
// been reported; *bytes may be anything from 0 to a full block.
bool ReadBlock(int n, uint32_t* bytes)
{
    *bytes = 0;
    const uint32_t size = BlockReadSize(g_player.plan, g_player.blockCounter);
    if (size == 0) return true;
    const LONG got = mmioRead(g_player.file, reinterpret_cast<HPSTR>(g_player.buffers.data[n - 1]),
                              static_cast<LONG>(size));
    if (got < 0) {
        ReportPlaybackError(n == 1 ? "Failed to read data1 buffer." : "Failed to read data2 buffer.");
        return false;
    }
    *bytes = static_cast<uint32_t>(got);
    return true;
}

// Unlocks and frees the data buffer (when withData), the header and the
// record itself.
void ReleaseBlockRecord(BlockRecord* record, bool withData)
{
    const HGLOBAL data = record->data;
    const HGLOBAL header = record->header;
    const HGLOBAL self = record->self;
    if (withData) FreeLockedBlock(data);
    FreeLockedBlock(header);
    FreeLockedBlock(self);
}

// Wraps data buffer n in a fresh header and record and prepares it for the
// device. 0, 7 when memory runs out, else the device's code (reported).
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

    *record = {recordMemory, headerMemory, g_player.dataMemory[n - 1]};
    ZeroMemory(header, sizeof(WAVEHDR));
    header->lpData = reinterpret_cast<LPSTR>(g_player.buffers.data[n - 1]);
    header->dwBufferLength = PlayedBytes(bytes, g_player.buffers.channels);
    header->dwUser = reinterpret_cast<DWORD_PTR>(record);

    const MMRESULT result = waveOutPrepareHeader(g_player.device, header, sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR) {
        ReleaseBlockRecord(record, false);
        ReportPlaybackDeviceError(result);
        return result;
    }
    g_player.headerMemory[n - 1] = headerMemory;
    g_player.header[n - 1] = header;
    return MMSYSERR_NOERROR;
}

// Queues header n unless the pipeline stops, and moves the pipeline on. A
// refused write is reported and gives Finished. The device's code, 0 when
// queued or when the pipeline stops.
MMRESULT WriteBlock(int n, uint32_t bytes, bool* queued)
{
    *queued = false;
    // The state test and the write happen under the state lock, so a Stop
    // that sets Stopping in between finds either the block already queued
    // (and its reset hands it back) or nothing queued at all.
    MMRESULT result = MMSYSERR_NOERROR;
    {
        ScopedPipelineLock lock;
        const PipelineState next = StateAfterWrite(g_player.plan, g_player.blockCounter, n, bytes);
        if (!PipelineMayEnter(next)) return MMSYSERR_NOERROR;
        result = waveOutWrite(g_player.device, g_player.header[n - 1], sizeof(WAVEHDR));
        if (result == MMSYSERR_NOERROR) {
            EnterPipelineState(next);
            ++g_player.inFlight;
            if (next != LastBlockQueued) ++g_player.blockCounter;
        } else {
            EnterPipelineState(Finished);
        }
    }

    if (result != MMSYSERR_NOERROR) ReportPlaybackDeviceError(result);
    *queued = result == MMSYSERR_NOERROR;
    return result;
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

BlockOutcome QueueNextBlock(int n, bool emptyEnds, uint32_t* bytes, MMRESULT* code)
{
    *code = MMSYSERR_NOERROR;
    if (!ReadBlock(n, bytes)) return BlockUnread;
    if (emptyEnds && PlayedBytes(*bytes, g_player.buffers.channels) == 0) return BlockEmpty;
    ProcessBlock(g_player.buffers, static_cast<uint16_t>(n), *bytes);
    *code = PrepareBlock(n, *bytes);
    if (*code) return BlockUnprepared;
    bool queued = false;
    *code = WriteBlock(n, *bytes, &queued);
    return queued ? BlockQueued : BlockUnwritten;
}

void ReleaseHeader(int n)
{
    WAVEHDR* header = g_player.header[n - 1];
    if (!header) return;
    waveOutUnprepareHeader(g_player.device, header, sizeof(WAVEHDR));
    ReleaseBlockRecord(reinterpret_cast<BlockRecord*>(header->dwUser), false);
    g_player.header[n - 1] = nullptr;
    g_player.headerMemory[n - 1] = nullptr;
}

void ReleaseBlocks()
{
    for (int n = 1; n <= 2; ++n) {
        WAVEHDR* header = g_player.header[n - 1];
        if (header) {
            WaitUntilOffQueue(header);
            waveOutUnprepareHeader(g_player.device, header, sizeof(WAVEHDR));
            ReleaseBlockRecord(reinterpret_cast<BlockRecord*>(header->dwUser), true);
            g_player.header[n - 1] = nullptr;
            g_player.headerMemory[n - 1] = nullptr;
        } else {
            FreeLockedBlock(g_player.dataMemory[n - 1]);
        }
        g_player.dataMemory[n - 1] = nullptr;
        g_player.buffers.data[n - 1] = nullptr;
    }
    FreeLockedBlock(g_player.valuesMemory);
    g_player.valuesMemory = nullptr;
    g_player.buffers.values = nullptr;
    g_player.inFlight = 0;
}
