// Walks a block of frames in runs that end at the stream's control points
// (every period frames, counted across blocks in *untilControl) or at the
// block's end, so the result never depends on how the stream is cut.
#pragma once

// atControl() runs at each control point; run(first, frames) processes up to
// frames frames from frame first and returns how many it did (at least 1).
template <typename AtControl, typename Run>
void ForEachControlRun(int* untilControl, int period, int frames, AtControl atControl, Run run)
{
    int n = 0;
    while (n < frames) {
        if (*untilControl == 0) {
            *untilControl = period;
            atControl();
        }
        const int left = frames - n < *untilControl ? frames - n : *untilControl;
        const int done = run(n, left);
        *untilControl -= done;
        n += done;
    }
}
