// Drives a mixdown the way the Progress dialog does, from a plain window and
// its message loop: StartMixdown, one RenderNextBlock per WM_MIXDOWN_STEP,
// FinishMixdown when the render is complete, or Cancel after a number of
// blocks. Used by the Wine tests, the reader check and the benchmark.
#pragma once
#include <string>

struct MixdownRun {
    bool started = false;    // StartMixdown returned true
    bool failed = false;     // StartMixdown or RenderNextBlock returned false
    bool completed = false;  // rendered to the end and FinishMixdown returned true
    bool cancelled = false;
    int blocksRendered = 0;  // successful RenderNextBlock calls
    int stepsHandled = 0;    // WM_MIXDOWN_STEP messages seen
    bool finishResult = false;       // of the FinishMixdown call, when one was made
    bool stepQueuedAtCancel = false;  // a WM_MIXDOWN_STEP was waiting when Cancel came
};

// PrepareMixdown with 32768-byte blocks (after the source check has
// recorded the source format), then the render. cancelAfterBlocks >= 0
// calls FinishMixdown once that many blocks are rendered, as the Cancel
// button does between blocks.
// After the window is gone, any message left for it is pumped away.
MixdownRun DriveMixdown(const std::string& source, const std::string& temp, int cancelAfterBlocks = -1);
