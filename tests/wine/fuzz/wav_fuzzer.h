// Runs fuzz cases against the real source check and the real player.dll
// in this process: each case is written to disk, handed over, and judged.
// A case passes when it ends in acceptance or in exactly one of the
// system's own messages (a message box, shown or read by the stand-in of
// fuzz_boxes.h), nothing crashed or
// touched memory outside its blocks (the guarded heap), nothing is left
// open (the file can be deleted at once, every block is freed, the handle
// count stays put) and the transport shows the stopped look again.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/wine/fuzz/wav_cases.h"
#include "tests/wine/player/player_harness.h"

struct FuzzFigures {
    size_t cases = 0;
    size_t accepted = 0;
    size_t playedToEnd = 0;
    std::map<std::string, size_t> texts;  // how often each message answered a case
};

class WavFuzzer {
public:
    // firstCase numbers this fuzzer's cases after those of the shards
    // before it, so a label names the case in the whole run. One case in
    // each realBoxEvery shows its boxes for real; the others have them read
    // by the stand-in (fuzz_boxes.h). 1 shows every box.
    WavFuzzer(uint64_t seed, size_t firstCase, size_t realBoxEvery);
    ~WavFuzzer();
    WavFuzzer(const WavFuzzer&) = delete;
    WavFuzzer& operator=(const WavFuzzer&) = delete;

    // The source check on one case.
    void RunCheckCase(const WavCase& c);
    // The check (as the oracle of what the player must say), then Play with
    // the real device, then Stop.
    void RunPlayCase(const WavCase& c);

    // Counts the process's handles; after the warm-up, growth is a failure.
    void CheckHandles(const char* when);

    const FuzzFigures& CheckFigures() const { return check_; }
    const FuzzFigures& PlayFigures() const { return play_; }
    // Real boxes that the stand-in's reading was held against.
    size_t RealBoxesCompared() const { return realBoxesCompared_; }
    // Every failed property, with its case; empty when all passed.
    const std::vector<std::string>& Failures() const { return failures_; }
    FuzzRandom& Random() { return random_; }

private:
    void Fail(const std::string& what);
    std::string Label(const char* kind, size_t number, const WavCase& c) const;
    bool WriteCase(const WavCase& c);
    // Labels the case, picks its boxes and guard placement and writes it;
    // false when it cannot be written.
    bool StartCase(const char* kind, size_t number, const WavCase& c);
    // The file deletable at once, every block freed, no guard finding.
    void EndCase();
    // Runs the check with its one box caught: "" for acceptance, else the text.
    std::string CheckOnce(bool* accepted, size_t* boxes);

    FuzzRandom random_;
    std::string dir_;
    std::string path_;
    std::string label_;
    TransportPanel panel_;
    FuzzFigures check_;
    FuzzFigures play_;
    std::vector<std::string> failures_;
    size_t firstCase_;
    size_t realBoxEvery_;
    size_t realBoxesCompared_ = 0;
    bool realBoxes_ = true;  // this case's boxes are shown for real
    unsigned handleBaseline_ = 0;
    size_t blocksBefore_ = 0;  // live guarded blocks when the case started
};
