// An hour of use compressed into minutes: seeded random actions against the
// real program by the real pointer and keyboard (panel commands, knob and
// slider drags, patch changes, Play/Pause/Stop, Open and Mixdown), each
// judged by what the screen or the disk shows after it, with the program's
// figures taken every sampleEvery actions.
#pragma once
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
    bool opened = false;  // the run's first source could be opened
    int actionsDone = 0;
    int landed = 0;           // actions whose effect was seen
    std::string firstMissed;  // the kind and number of the first action whose effect was not
    int strayBoxes = 0;
    std::string firstStray;
    std::string strayAfter;  // the kind of action that preceded the first stray box
    bool hung = false;
    std::string holdingWindows;  // when it hung: the dialog or menu it showed
    std::string hungAfter;       // and the kind of action before
    bool ended = false;  // the program went away
    bool measured = false;  // the probe could be loaded
};

// app is started with a first start's settings, its panel enabled; folder
// takes the two sources the run writes and opens in turn, and the mixdowns.
// Wine's common file dialog keeps one kernel handle per use (a bare
// GetOpenFileNameA loop shows it), so the file dialogs run are counted
// beside the figures. Each sample is also printed, a line of FiguresLine.
LoadOutcome RunLoad(QuellboxProcess& app, unsigned seed, int actions, int sampleEvery, const std::string& folder);
// "landed N of M actions (share %)", and the first that did not.
std::string LandedLine(const LoadOutcome& outcome);
