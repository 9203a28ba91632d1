// The mixdown's program-wide state and the parts of a render that are pure
// computation: preparing a render from the current source, volume and
// patch, setting up the effect modules, and turning one block of source
// bytes into 16-bit stereo output. The file and memory side is mixdown.h.
#pragma once
#include <cstdint>

#include "audio/mixdown_layout.h"

constexpr int kMixdownPathSize = 260;

struct MixdownState {
    char sourcePath[kMixdownPathSize];
    char tempPath[kMixdownPathSize];
    int32_t blockBytes;         // size of the 16-bit buffer and of one output block
    int32_t readSize;           // source bytes per block
    int32_t blockCount;
    int32_t blockNumber;        // 1-based number of the next block
    int32_t currentBlockBytes;  // nonzero: another step is due; 0: the render is complete
    double leftGain;
    double rightGain;
    bool mono;
    uint32_t dataLength;        // of the source's data chunk
    uint32_t sampleRate;
    char userName[kMixdownUserNameSize];
    int16_t namePad;
    uint32_t outputDataLength;  // D as the headers announce it
    uint32_t bytesWritten;      // output data bytes actually written

    // Cleared by PrepareMixdown, set by the Progress dialog once a render
    // has run to its end and FinishMixdown has closed the file.
    bool completed;
    // Set by PrepareMixdown; the Progress dialog clears it when it starts
    // the render.
    bool startPending;
};

extern MixdownState g_mixdown;

// Records the paths and block size and derives read size, block count and
// gains from the current source format and master volume. blockBytes is
// rounded down to whole frames (at least one). Cannot fail.
bool PrepareMixdown(const char* sourcePath, const char* tempPath, int32_t blockBytes);

// Init of all four effect modules with the sample rate, then each one's six
// current values, in the order Phaser, Flanger, Chorus, C-Delay.
void PrepareEffectModules(uint32_t sampleRate);

// Widens the whole frames among bytesRead source bytes in pcm into values,
// runs the effects patch in order and converts back into pcm. Returns the
// number of values, each now a 16-bit sample at the start of pcm.
int RenderMixdownBlock(int16_t* pcm, int32_t bytesRead, double* values);

// Gain, clip and rounding with the mixdown's own gains.
void ConvertBlockToPcm16(double* values, int16_t* samples, int count);
