// What the player's Wine tests and the latency measurement share: test
// signals written as real WAV files, the peer render of what the player
// must play, the pipe sink's recording, and real transport windows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/peer_render.h"
#include "tests/support/recording.h"

// Frames of a test signal with channels channels: a distinctive first frame,
// never a silent frame, deterministic from seed.
std::vector<int16_t> TestSignal(int frames, int channels, unsigned seed);

// Writes a canonical 44100 Hz 16-bit PCM WAV file of samples.
bool WriteTestWave(const std::string& path, const std::vector<int16_t>& samples, int channels);

// The effects patch the tests play through: all four effects, switched on.
void SetUpAllEffects(double sampleRate);

// The number of open kernel handles of this process, found by asking each
// possible handle value (Wine's GetProcessHandleCount always reports 0).
unsigned CountOpenHandles();
// Committed private memory of this process, in bytes.
size_t CommittedBytes();

// A visible panel with PLAY, STOP and PAUSE buttons and two 7 x 3 LED
// windows that never paint themselves, so only the player draws them.
struct TransportPanel {
    HWND frame = nullptr;
    HWND play = nullptr;
    HWND stop = nullptr;
    HWND pause = nullptr;
    HWND greenLed = nullptr;
    HWND redLed = nullptr;
};
TransportPanel CreateTransportPanel();
void DestroyTransportPanel(TransportPanel* panel);

// The colour the player's LED drawing gives the centre of a lamp.
COLORREF LampColour(bool lit, const char* colour);
// The colour at the centre of an LED window as it is on the screen.
COLORREF LedCentre(HWND led);
