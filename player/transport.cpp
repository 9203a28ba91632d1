#include "player/transport.h"

#include <algorithm>

#include "audio/effect_modules.h"
#include "common/scoped_gdi.h"
#include "player/blocks.h"
#include "player/engine.h"
#include "player/player_state.h"
#include "player/report_error.h"

namespace {

const char kNotifyClass[] = "QuellboxPlayerNotify";

// --- The play-out pad ---
// Silence queued behind the last block of a file while the device lingers.
// Wine's wave-out reports a buffer done by its own clock, which runs ahead
// of the sound server once the server has had to wait for data, and it
// pauses the stream the moment its queue is empty: the last milliseconds of
// the real sound would stay unplayed in the server. With silence queued
// behind them the stream keeps running until they are out. On Windows the
// pad is simply silence played while the device waits to be closed.

constexpr uint32_t kPadCapacity = 96000 * 4 / 5;  // 200 ms of 96 kHz stereo
constexpr uint32_t kPadMs = 200;
alignas(4) char g_silence[kPadCapacity];  // zero: 16-bit silence

// Bytes of pad for a stream of bytesPerSecond: 200 ms in whole stereo
// frames, capped by the pad buffer.
uint32_t PlayOutPadBytes(uint32_t bytesPerSecond)
{
    const uint64_t bytes = static_cast<uint64_t>(bytesPerSecond) * kPadMs / 1000;
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, kPadCapacity)) / 4 * 4;
}

// Takes the pad back from device (reset, unprepare) before it is closed.
void TakeBackPlayOutPad(HWAVEOUT device)
{
    if (!device || device != g_player.padDevice) return;
    waveOutReset(device);
    for (int i = 0; i < 2000 && (g_player.padHeader.dwFlags & WHDR_INQUEUE); ++i) Sleep(1);
    waveOutUnprepareHeader(device, &g_player.padHeader, sizeof(WAVEHDR));
    g_player.padDevice = nullptr;
}

// Queues the pad on device (stereo 16-bit at bytesPerSecond); nothing
// happens when it cannot be queued. At most one device holds the pad.
void QueuePlayOutPad(HWAVEOUT device, uint32_t bytesPerSecond)
{
    if (g_player.padDevice) TakeBackPlayOutPad(g_player.padDevice);
    const uint32_t bytes = PlayOutPadBytes(bytesPerSecond);
    if (!device || bytes == 0) return;
    WAVEHDR& pad = g_player.padHeader;
    ZeroMemory(&pad, sizeof(pad));
    pad.lpData = g_silence;
    pad.dwBufferLength = bytes;
    if (waveOutPrepareHeader(device, &pad, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return;
    if (waveOutWrite(device, &pad, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, &pad, sizeof(WAVEHDR));
        return;
    }
    g_player.padDevice = device;
}

// --- The end ---

void KillIndicatorTimer()
{
    if (!g_player.timerId) return;
    KillTimer(nullptr, g_player.timerId);
    g_player.timerId = 0;
}

// Releases the blocks and closes the device. The caller has made sure that
// nothing is queued and that no refill runs. With linger the device is
// left playing out its last buffer (behind the pad) and closed by the
// notify window's timer.
void ReleaseDeviceSide(bool linger)
{
    ReleaseBlocks();
    if (!g_player.device) return;
    EndCompletionGeneration();
    CloseLingeringDevice();
    if (linger && g_player.notifyWindow && SetTimer(g_player.notifyWindow, kLingerTimerId, kLingerMs, nullptr)) {
        g_player.lingeringDevice = g_player.device;
        QueuePlayOutPad(g_player.device, g_player.outputBytesPerSecond);
    } else
        waveOutClose(g_player.device);
    g_player.device = nullptr;
}

// The engine's notice that the last buffer of generation has played.
void EndOfPlayback(uint32_t generation)
{
    // A notice of a playback that Stop has already taken down, or of an
    // earlier one, is stale.
    if (generation != g_player.generation || !g_player.device) return;
    KillIndicatorTimer();
    StopRefillEngine();
    ReleaseDeviceSide(true);
    FinishStoppedLook();
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

// Called by the indicator timer: a device that has stopped playing takes
// the playback down.
void EndPlaybackIfDeviceLost()
{
    if (!g_player.device) return;
    if (g_player.watchedGeneration != g_player.generation) {
        ResetDeviceWatch(&g_player.deviceWatch);
        g_player.watchedGeneration = g_player.generation;
    }
    uint32_t position = 0;
    const bool known = ReadPlayingPosition(g_player.device, &position);
    if (!DeviceHasStalled(&g_player.deviceWatch, known, position, CompletionsHandled(), g_player.halted.load() != 0,
                          GetTickCount()))
        return;
    // Taken down before the message box, whose message loop would run this
    // timer again.
    AbandonPlayback();
    FinishStoppedLook();
    ReportPlaybackDeviceError(MMSYSERR_NODRIVER);
}

}  // namespace

MMRESULT AbandonPlayback()
{
    MMRESULT result = MMSYSERR_NOERROR;
    KillIndicatorTimer();
    if (g_player.device) {
        MovePipeline(Stopping);
        result = waveOutReset(g_player.device);
    }
    // From here no refill runs: the file and the buffers can go.
    StopRefillEngine();
    ReleaseDeviceSide(false);
    CloseLingeringDevice();
    return result;
}

void CloseSourceFile()
{
    if (!g_player.file) return;
    mmioClose(g_player.file, 0);
    g_player.file = nullptr;
}

void CloseLingeringDevice()
{
    if (!g_player.lingeringDevice) return;
    if (g_player.notifyWindow) KillTimer(g_player.notifyWindow, kLingerTimerId);
    TakeBackPlayOutPad(g_player.lingeringDevice);
    waveOutClose(g_player.lingeringDevice);
    g_player.lingeringDevice = nullptr;
}

void FinishStoppedLook()
{
    CloseSourceFile();
    ShowStoppedButtons();
    DrawBothLedsDark();
    g_player.halted.store(1);
}

// --- The look ---

void DrawLed(HWND led, bool lit, const char* colour)
{
    if (!led) return;
    ScopedGetDC dc(led);
    if (!dc) return;
    Led(dc, 0, 0, 7, 3, lit ? 1 : 0, colour);
}

void ShowPlayingLook()
{
    const TransportWindows& w = g_player.windows;
    EnableWindow(w.playButton, FALSE);
    EnableWindow(w.stopButton, TRUE);
    EnableWindow(w.pauseButton, TRUE);
    DrawLed(w.greenLed, true, "GREEN");
    DrawLed(w.redLed, false, "RED");
}

void ShowStoppedButtons()
{
    const TransportWindows& w = g_player.windows;
    EnableWindow(w.playButton, TRUE);
    EnableWindow(w.stopButton, FALSE);
    EnableWindow(w.pauseButton, FALSE);
}

void DrawBothLedsDark()
{
    DrawLed(g_player.windows.greenLed, false, "GREEN");
    DrawLed(g_player.windows.redLed, false, "RED");
}

void CALLBACK IndicatorTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time)
{
    DrawLed(g_player.windows.redLed, g_player.halted.load() != 0, "RED");
    DrawLed(g_player.windows.greenLed, true, "GREEN");
    EndPlaybackIfDeviceLost();
}

// --- The notify window ---

namespace {

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EnsureNotifyWindow), &module);
    return module;
}

void Notify_OnPlaybackError(LPARAM lParam)
{
    auto text = reinterpret_cast<HLOCAL>(lParam);
    ReportError(static_cast<const char*>(text));
    LocalFree(text);
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kEndOfPlaybackMessage: EndOfPlayback(static_cast<uint32_t>(wParam)); return 0;
    case kPlaybackErrorMessage: Notify_OnPlaybackError(lParam); return 0;
    case WM_TIMER:
        if (wParam == kLingerTimerId) CloseLingeringDevice();
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool EnsureNotifyWindow()
{
    HWND& notify = g_player.notifyWindow;
    if (notify && IsWindow(notify) && GetWindowThreadProcessId(notify, nullptr) == GetCurrentThreadId()) return true;
    if (notify && IsWindow(notify)) DestroyWindow(notify);
    notify = nullptr;
    const HINSTANCE module = ThisModule();
    WNDCLASSA cls = {};
    if (!GetClassInfoA(module, kNotifyClass, &cls)) {
        cls.lpfnWndProc = NotifyWindowProc;
        cls.hInstance = module;
        cls.lpszClassName = kNotifyClass;
        if (!RegisterClassA(&cls)) return false;
    }
    notify = CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    return notify != nullptr;
}
