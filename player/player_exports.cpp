// The exports of player.dll: the transport, the patch and the volume.
#include "player/player.h"

#include <mmsystem.h>

#include <cmath>

#include "player/block_processing.h"
#include "player/player_state.h"
#include "player/transport.h"

extern "C" {

uint32_t QBX_PLAYERAPI Play(HWND playButton, HWND stopButton, HWND pauseButton, HWND greenLed, HWND redLed,
                            uint32_t deviceId, const char* fileName, uint32_t ioBufferSize, uint32_t blockSize)
{
    g_player.windows = {playButton, stopButton, pauseButton, greenLed, redLed};
    g_player.blockSize = blockSize;
    g_player.interfaceThread = GetCurrentThreadId();

    // Without its notify window a playback could never end or report a
    // failure: the start is refused as one that lacks memory.
    const uint32_t result = EnsureNotifyWindow() ? OpenStream(deviceId, fileName, ioBufferSize)
                                                 : RefuseWithoutNotifyWindow();
    ShowPlayingLook();
    if (result) {
        ShowStoppedButtons();
        DrawBothLedsDark();
        return result;
    }
    return 0;
}

uint32_t QBX_PLAYERAPI Pause()
{
    if (!g_player.device) return MMSYSERR_INVALHANDLE;
    MMRESULT result;
    if (g_player.halted.load()) {
        result = waveOutRestart(g_player.device);
        g_player.halted.store(0);
        DrawLed(g_player.windows.redLed, false, "RED");
    } else {
        result = waveOutPause(g_player.device);
        g_player.halted.store(1);
        DrawLed(g_player.windows.redLed, true, "RED");
    }
    return result;
}

uint32_t QBX_PLAYERAPI Stop()
{
    const MMRESULT result = AbandonPlayback();
    FinishStoppedLook();
    return result;
}

void QBX_PLAYERAPI NotifyChangesToPlayer(const int16_t* ids, int16_t count)
{
    int16_t kept = count < 0 ? 0 : (count > kMaxPatchLength ? kMaxPatchLength : count);
    if (!ids) kept = 0;
    // The count goes down first and up last, so a block being processed
    // never runs a position whose id is not yet written.
    if (kept < g_playerCopies.patchCount.load()) g_playerCopies.patchCount.store(kept);
    for (int i = 0; i < kept; ++i) g_playerCopies.patchIds[i].store(ids[i]);
    g_playerCopies.patchCount.store(kept);
}

void __stdcall ChangeVolume(double leftDb, double rightDb)
{
    g_playerCopies.leftGain.store(std::pow(10.0, 0.05 * leftDb));
    g_playerCopies.rightGain.store(std::pow(10.0, 0.05 * rightDb));
}

uint32_t QBX_PLAYERAPI GetNumWaveOutDevs()
{
    return waveOutGetNumDevs();
}

}  // extern "C"
