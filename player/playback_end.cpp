#include "player/playback_end.h"

#include "player/block_pipeline.h"
#include "player/device_watch.h"
#include "player/playback.h"
#include "player/refill_engine.h"
#include "player/report_error.h"
#include "player/transport_look.h"

namespace {

DeviceWatch g_deviceWatch = {};
uint32_t g_watchedGeneration = 0;

void KillIndicatorTimer()
{
    if (!g_playback.timerId) return;
    KillTimer(nullptr, g_playback.timerId);
    g_playback.timerId = 0;
}

// The device's position as a count that grows while it plays, in whatever
// unit the driver answers: asked for bytes, a driver may answer in samples,
// milliseconds or another of its formats instead. False when it cannot tell.
bool ReadPlayingPosition(HWAVEOUT device, uint32_t* position)
{
    MMTIME time = {};
    time.wType = TIME_BYTES;
    if (waveOutGetPosition(device, &time, sizeof time) != MMSYSERR_NOERROR) return false;
    switch (time.wType) {
    case TIME_BYTES: *position = time.u.cb; return true;
    case TIME_SAMPLES: *position = time.u.sample; return true;
    case TIME_MS: *position = time.u.ms; return true;
    case TIME_TICKS: *position = time.u.ticks; return true;
    case TIME_MIDI: *position = time.u.midi.songptrpos; return true;
    case TIME_SMPTE: {
        const auto& t = time.u.smpte;
        *position = ((t.hour * 60u + t.min) * 60u + t.sec) * (t.fps ? t.fps : 30u) + t.frame;
        return true;
    }
    default: return false;
    }
}

}  // namespace

MMRESULT AbandonPlayback()
{
    MMRESULT result = MMSYSERR_NOERROR;
    KillIndicatorTimer();
    if (g_playback.device) {
        SetPipelineState(Stopping);
        result = waveOutReset(g_playback.device);
    }
    // From here no refill runs: the file and the buffers can go.
    StopRefillEngine();
    ReleaseDeviceSide();
    CloseLingeringDevice();
    return result;
}

void CloseSourceFile()
{
    if (!g_playback.file) return;
    mmioClose(g_playback.file, 0);
    g_playback.file = nullptr;
}

void FinishStoppedLook()
{
    CloseSourceFile();
    ShowStoppedButtons();
    DrawBothLedsDark();
    g_halted.store(1);
}

void EndOfPlayback(uint32_t generation)
{
    // A notice of a playback that Stop has already taken down, or of an
    // earlier one, is stale.
    if (generation != g_playback.generation || !g_playback.device) return;
    KillIndicatorTimer();
    StopRefillEngine();
    ReleaseDeviceSide(true);
    FinishStoppedLook();
}

void EndPlaybackIfDeviceLost()
{
    if (!g_playback.device) return;
    if (g_watchedGeneration != g_playback.generation) {
        ResetDeviceWatch(&g_deviceWatch);
        g_watchedGeneration = g_playback.generation;
    }
    uint32_t position = 0;
    const bool known = ReadPlayingPosition(g_playback.device, &position);
    if (!DeviceHasStalled(&g_deviceWatch, known, position, CompletionsHandled(), g_halted.load() != 0,
                          GetTickCount()))
        return;
    // Taken down before the message box, whose message loop would run this
    // timer again.
    AbandonPlayback();
    FinishStoppedLook();
    ReportPlaybackDeviceError(MMSYSERR_NODRIVER);
}
