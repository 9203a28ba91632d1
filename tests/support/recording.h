// The pipe sink's recording (raw s16le stereo at 44100 Hz) and the one way
// the tests compare it with what had to be played.
//
// The bed's sound path now and then puts a short run of silence between two
// frames of a stream, even for a program that queues a single buffer, and
// then goes on with the next frame: nothing is lost, the stream is only
// late. Such runs are the platform's dropouts while there are no more of
// them than the bare path makes and they do not recur on the boundaries of
// the blocks the player hands the device. Any frame heard wrong, missing,
// repeated or out of order is ours, and fails.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

std::string RecordingPath();  // "" outside the test bed
size_t RecordingFrames();
// Stereo samples of the recording from frame on.
std::vector<int16_t> ReadRecording(size_t fromFrame);

// The stereo frames of samples that are not silent (0, 0).
std::vector<int16_t> WithoutSilence(const std::vector<int16_t>& samples);

// Where the stream starts in the recording: the frame from which, with
// silent frames skipped, the first sounding frames of wanted (which holds
// no silence) follow in order; -1 when they never do.
long FindStreamStart(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted);

// Waits (pumping messages) until the recording from fromFrame holds the
// start of expected and, from there, as many sounding frames as expected
// has, then a little longer for what may follow. Returns the recording from
// the stream's first frame on, silence and all; empty when it never began.
std::vector<int16_t> WaitForStream(size_t fromFrame, const std::vector<int16_t>& expected, DWORD timeoutMs);

// The recorded frame where a stream of expected begins, its own leading
// silence included; -1 when it is not there.
long StreamStartOf(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected);

// A run of silence inside a stream: before which expected frame, and how
// many frames long.
struct Dropout {
    size_t beforeFrame;
    size_t frames;
};

// A recording (from the stream's first frame) against the frames expected.
struct Hearing {
    size_t frames = 0;       // the expected frames
    long firstWrong = -1;    // first expected frame heard wrong or never heard; -1 when all were heard
    size_t stoppedAt = 0;    // the recorded frame where the comparison stopped
    std::vector<Dropout> dropouts;
    size_t droppedFrames = 0;  // their length in all
    size_t soundingAfter = 0;  // sounding frames recorded after the last expected one
};
Hearing CompareRecording(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected);

// Why the silence inside a heard stream, played in blocks of blockFrames
// from the file's first frame and itself from the file's frame firstFrame
// on, cannot all be the platform's: more runs or more of it than the bare
// sound path makes, or runs recurring on the block boundaries; "" when it can.
std::string DropoutsOfOurs(const Hearing& h, size_t blockFrames, size_t firstFrame = 0);

// Every frame of expected heard once and in order, nothing sounding after
// it, and no dropouts of ours; blockBytes is the player's block (16-bit
// stereo), expected from the file's frame firstFrame on. With pauseFrames,
// the longest silent run is the test's own pause, at least that long.
void ExpectHeardExactly(const std::vector<int16_t>& recorded, const std::vector<int16_t>& expected,
                        uint32_t blockBytes, size_t pauseFrames = 0, size_t firstFrame = 0);

// The recording ends with the last frames of wanted: found by their first
// frames, then compared as above.
void ExpectEndsWith(const std::vector<int16_t>& recorded, const std::vector<int16_t>& wanted, size_t frames,
                    uint32_t blockBytes);

// The recording is before until a change made msAfterStart after the start,
// then after: the first changed frame after the first block and within two
// blocks of the change, and from the frame after it (and a glide of
// glideFrames) on, after exactly.
void ExpectChangeWithinTwoBlocks(const std::vector<int16_t>& recorded, const std::vector<int16_t>& before,
                                 const std::vector<int16_t>& after, DWORD msAfterStart, uint32_t blockBytes,
                                 size_t glideFrames = 0);

// Pumps messages until done() or the timeout; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
void PumpFor(DWORD ms);
