// What the player's Wine tests and the latency measurement share: test
// signals written as real WAV files, the offline render of what the player
// must play, the pipe sink's recording, and real transport windows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Frames of a test signal with channels channels: a distinctive first frame,
// never a silent frame, deterministic from seed.
std::vector<int16_t> TestSignal(int frames, int channels, unsigned seed);

// Writes a canonical 44100 Hz 16-bit PCM WAV file of samples.
bool WriteTestWave(const std::string& path, const std::vector<int16_t>& samples, int channels);

// The effects patch the tests play through: all four effects, switched on.
void SetUpAllEffects(double sampleRate);

// What the player plays for samples: block by block of blockSize bytes of
// output, widened to stereo, through the given effect ids in order, at
// gains 1.0, narrowed back to 16 bits. Interleaved stereo.
std::vector<int16_t> RenderOffline(const std::vector<int16_t>& samples, int channels, uint32_t blockSize,
                                   const std::vector<int16_t>& patch);

// The pipe sink's recording (raw s16le stereo at 44100 Hz).
std::string RecordingPath();  // "" outside the test bed
size_t RecordingFrames();
// Stereo samples of the recording from frame on.
std::vector<int16_t> ReadRecording(size_t fromFrame);

// The stereo frames of samples that are not silent (0, 0). The sink fills
// any moment without sound (before, after and, when the machine is too busy
// to feed it, inside a stream) with silence; the test signals have no silent
// frame of their own, so this is the stream as it was played.
std::vector<int16_t> WithoutSilence(const std::vector<int16_t>& samples);

// Where the stream starts in the recording: the frame from which, with
// silent frames skipped, the first sounding frames of wanted (which holds
// no silence) follow in order; -1 when they never do.
long FindStreamStart(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted);

// Waits (pumping messages) until the recording from fromFrame holds the
// first frame of expected and, from there, as many sounding frames as
// expected has, then a little longer for what may follow. Returns the
// sounding frames from that first frame on, empty when it never appeared.
std::vector<int16_t> WaitForStream(size_t fromFrame, const std::vector<int16_t>& expected, DWORD timeoutMs);

// Index of the first stereo frame where a and b differ over their common
// length, or -1 when they agree (and a is at least as long as b).
long FirstMismatch(const std::vector<int16_t>& a, const std::vector<int16_t>& b);

// What the recording holds of one stream: heard as WaitForStream returns it.
// Every frame of expected once and in order, and nothing sounding after it.
void ExpectHeardExactly(const std::vector<int16_t>& heard, const std::vector<int16_t>& expected);

// Pumps messages until done() or the timeout; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);

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
