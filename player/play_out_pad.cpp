#include "player/play_out_pad.h"

#include <algorithm>

namespace {

constexpr uint32_t kPadCapacity = 96000 * 4 / 5;  // 200 ms of 96 kHz stereo
constexpr uint32_t kPadMs = 200;

alignas(4) char g_silence[kPadCapacity];  // zero: 16-bit silence
WAVEHDR g_padHeader;
HWAVEOUT g_padDevice;

}  // namespace

uint32_t PlayOutPadBytes(uint32_t bytesPerSecond)
{
    const uint64_t bytes = static_cast<uint64_t>(bytesPerSecond) * kPadMs / 1000;
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, kPadCapacity)) / 4 * 4;
}

void QueuePlayOutPad(HWAVEOUT device, uint32_t bytesPerSecond)
{
    if (g_padDevice) TakeBackPlayOutPad(g_padDevice);
    const uint32_t bytes = PlayOutPadBytes(bytesPerSecond);
    if (!device || bytes == 0) return;
    ZeroMemory(&g_padHeader, sizeof(g_padHeader));
    g_padHeader.lpData = g_silence;
    g_padHeader.dwBufferLength = bytes;
    if (waveOutPrepareHeader(device, &g_padHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return;
    if (waveOutWrite(device, &g_padHeader, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, &g_padHeader, sizeof(WAVEHDR));
        return;
    }
    g_padDevice = device;
}

void TakeBackPlayOutPad(HWAVEOUT device)
{
    if (!device || device != g_padDevice) return;
    waveOutReset(device);
    for (int i = 0; i < 2000 && (g_padHeader.dwFlags & WHDR_INQUEUE); ++i) Sleep(1);
    waveOutUnprepareHeader(device, &g_padHeader, sizeof(WAVEHDR));
    g_padDevice = nullptr;
}
