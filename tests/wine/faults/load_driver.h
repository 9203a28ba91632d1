// An hour of use compressed into minutes: seeded random actions against the
// real program by the real pointer and keyboard (panel commands, knob and
// slider drags, patch changes, Play/Pause/Stop, Open and Mixdown), with the
// program's figures taken every sampleEvery actions.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "load_metrics.h"
#include "tests/wine/e2e/quellbox_process.h"

struct LoadSample {
    int actions;
    int fileDialogs;  // Open and Save dialogs run so far
    ProcessFigures figures;
};

struct LoadOutcome {
    std::vector<LoadSample> curve;
    int actionsDone = 0;
    int strayBoxes = 0;
    std::string firstStray;
    std::string strayAfter;  // the kind of action that preceded the first stray box
    bool hung = false;
    std::string holdingWindows;  // when it hung: the program's visible top-level windows, class "caption"
    std::string hungAfter;       // and the kind of action before
    bool ended = false;  // the program went away
    bool measured = false;  // the probe could be loaded
};

// app is started, its panel enabled; source is a WAV file the run opens,
// folder takes the mixdowns. Wine's common file dialog keeps one kernel
// handle per use (a bare GetOpenFileNameA loop shows it), so the file
// dialogs run are counted beside the figures. Each sample is also handed to onSample.
LoadOutcome RunLoad(QuellboxProcess& app, unsigned seed, int actions, int sampleEvery, const std::string& source,
                    const std::string& folder, const std::function<void(const LoadSample&)>& onSample);
