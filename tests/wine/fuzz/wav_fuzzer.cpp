#include "tests/wine/fuzz/wav_fuzzer.h"

#include <mmsystem.h>

#include <cstdio>

#include "app/main_window.h"
#include "audio/source_check.h"
#include "dialogs/error_box.h"
#include "model/settings.h"
#include "model/source_format.h"
#include "player/player.h"
#include "tests/wine/fuzz/fuzz_boxes.h"
#include "tests/wine/fuzz/guarded_heap.h"
#include "tests/wine/fuzz/known_texts.h"

namespace {

constexpr size_t kMaxFailuresKept = 40;
// Handles Wine may open for itself on the way (a sound thread, a pipe to
// the sound server); a leak of one per case is far beyond it.
constexpr unsigned kHandleSlack = 12;

// What a refused source format looks like after the check: these values,
// untouched.
const SourceFormat kPreviousSource = {32000, 2, 123456, 19200};

bool Contains(const std::set<std::string>& texts, const std::string& text) { return texts.count(text) != 0; }

// One case in each run of `every` shows its boxes for real, at a place in
// the run that a hash of the run's number picks: a fixed place would pair
// the real boxes with one latency and one guard placement (both chosen by
// the case number).
bool ShowsRealBoxes(size_t number, size_t every)
{
    return number % every == FuzzRandom(number / every).Next() % every;
}

bool IsQuellboxErrorBox(const CaughtBox& box)
{
    return box.caption == "Quellbox" && box.errorIcon && box.buttonCount == 1 && box.hasOk;
}

// The player walks the file as the check does up to the device query; from
// there the check judges fields the player leaves to the device. Given the
// check's text ("" when it accepted), may the player answer with play ("")?
bool PlayerAgrees(const std::string& check, const std::string& play)
{
    const bool device = Contains(DeviceTexts(), play);
    if (check == "Open file error.") return play == "Error in opening file.";
    if (check == "This is not a WAVE file.") return play == "This is not a WAV file.";
    if (check == "WAVE file is corrupted.")  // also a chunk too short for the header, which the player reads on
        return play != "Error in opening file." && play != "This is not a WAV file.";
    if (check == "Out of memory. Unable to lock memory for format chunk.")
        return play == "Out of memory. Format chunk cannot be allocated.";
    if (check == "Failed to read format chunk.") return play == "Failed to read format chunk.";
    if (check == "The file is not a PCM file.") return play == "This is not a PCM file.";
    if (check == "WAVE file has no data chunk.") return play == "WAV file has no data chunk." || device;
    if (check == "The data chunk has no data.") return play == "The data chunk has no data." || device;
    // A format the check refuses, or accepts: the device decides.
    return play.empty() || device;
}

}  // namespace

WavFuzzer::WavFuzzer(uint64_t seed, size_t firstCase, size_t realBoxEvery)
    : random_(seed), firstCase_(firstCase), realBoxEvery_(realBoxEvery > 0 ? realBoxEvery : 1)
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sqbx-fuzz-%lu", base, GetCurrentProcessId());
    CreateDirectoryA(name, nullptr);
    dir_ = name;
    path_ = dir_ + "\\case.wav";
    panel_ = CreateTransportPanel();
    // The panel stays hidden: every box the check shows is owned by it, and
    // Wine takes about twice as long over a box whose owner is on screen
    // (it disables, repaints and reactivates the owner). The cases judge the
    // owner's handle and the buttons' states, never their pixels.
    ShowWindow(panel_.frame, SW_HIDE);
    NotifyChangesToPlayer(nullptr, 0);
    ChangeVolume(-40.0, -40.0);  // the cases are noise: keep the recording quiet
}

WavFuzzer::~WavFuzzer()
{
    Stop();
    DestroyTransportPanel(&panel_);
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(dir_.c_str());
}

void WavFuzzer::Fail(const std::string& what)
{
    if (failures_.size() < kMaxFailuresKept) failures_.push_back(label_ + ": " + what);
}

std::string WavFuzzer::Label(const char* kind, size_t number, const WavCase& c) const
{
    return std::string(kind) + " #" + std::to_string(number) + " (" + c.name + ", " + std::to_string(c.bytes.size()) +
           " bytes)";
}

bool WavFuzzer::WriteCase(const WavCase& c)
{
    if (WriteFileBytes(path_, c.bytes)) return true;
    Fail("the case file cannot be written: the last case left it open");
    DeleteFileA(path_.c_str());
    return false;
}

bool WavFuzzer::StartCase(const char* kind, size_t number, const WavCase& c)
{
    label_ = Label(kind, number, c);
    realBoxes_ = ShowsRealBoxes(number, realBoxEvery_);
    SetGuardCaseLabel(label_);
    SetGuardPlacement(number % 2 == 0);
    if (!WriteCase(c)) return false;
    blocksBefore_ = LiveGuardedBlocks();
    return true;
}

void WavFuzzer::EndCase()
{
    if (!DeleteFileA(path_.c_str())) Fail("the file cannot be deleted at once: it is still open");
    const size_t now = LiveGuardedBlocks();
    if (now != blocksBefore_)
        Fail("memory blocks left behind: " + std::to_string(now) + " live, " + std::to_string(blocksBefore_) +
             " before");
    for (const std::string& finding : TakeGuardFindings()) Fail("out of bounds: " + finding);
}

std::string WavFuzzer::CheckOnce(bool* accepted, size_t* boxes)
{
    const FuzzBoxes watch(realBoxes_);
    g_sourceFormat = kPreviousSource;
    *accepted = AcceptSourceFile(panel_.frame, path_.c_str());
    const std::vector<CaughtBox> shown = watch.Boxes();
    if (!watch.ReadingAgrees()) Fail("the box stand-in reads the check's box otherwise than it shows");
    if (realBoxes_) realBoxesCompared_ += shown.size();
    *boxes = shown.size();
    if (*accepted != shown.empty()) Fail("an acceptance shows no box, a refusal exactly one");
    if (shown.size() > 1) Fail(std::to_string(shown.size()) + " boxes for one file");
    if (shown.empty()) return "";
    const CaughtBox& box = shown[0];
    if (!Contains(SourceCheckTexts(), box.text)) Fail("the check's box says an unknown text: \"" + box.text + "\"");
    if (!IsQuellboxErrorBox(box)) Fail("the check's box is not a Quellbox error box with one OK button");
    if (box.owner != panel_.frame) Fail("the check's box is not owned by the main window");
    return box.text;
}

void WavFuzzer::RunCheckCase(const WavCase& c)
{
    const size_t number = firstCase_ + ++check_.cases;
    if (!StartCase("check", number, c)) return;
    static const int16_t kLatencies[] = {10, 150, 500, 37};
    g_settings.latency = kLatencies[number % 4];

    // Now and then the memory of the format chunk runs out.
    const bool starve = random_.OneIn(50);
    if (starve) random_.OneIn(2) ? FailNthAllocation(1) : FailNthLock(1);
    bool accepted = false;
    size_t boxes = 0;
    const std::string text = CheckOnce(&accepted, &boxes);
    FailNthAllocation(0);
    FailNthLock(0);

    if (accepted) {
        ++check_.accepted;
        const SourceFormat& f = g_sourceFormat;
        if (f.sampleRate < 16000 || (f.channels != 1 && f.channels != 2) || f.dataLength == 0)
            Fail("accepted a format outside what the program plays");
        if (f.blockSize != LatencyToBytesAtRate(g_settings.latency, f.sampleRate) || f.blockSize <= 0 || f.blockSize % 4)
            Fail("accepted with a block size of " + std::to_string(f.blockSize));
    } else {
        ++check_.texts[text];
        const SourceFormat& f = g_sourceFormat;
        if (f.sampleRate != kPreviousSource.sampleRate || f.channels != kPreviousSource.channels ||
            f.dataLength != kPreviousSource.dataLength || f.blockSize != kPreviousSource.blockSize)
            Fail("a refusal changed the recorded source format");
    }
    EndCase();
}

void WavFuzzer::RunPlayCase(const WavCase& c)
{
    if (!StartCase("play", firstCase_ + ++play_.cases, c)) return;

    // The block size the program would pass: from the check's record of
    // this file, or (the file was replaced after it was opened) of the
    // previous one; now and then one no latency gives. A real message box
    // costs tens of milliseconds under Wine, so the check runs as the
    // player's oracle on every third case only.
    g_settings.latency = static_cast<int16_t>(10 + random_.Below(491));
    bool accepted = false;
    size_t boxes = 0;
    const bool oracle = random_.OneIn(3);
    const std::string checkText = oracle ? CheckOnce(&accepted, &boxes) : std::string();
    uint32_t blockSize = static_cast<uint32_t>(accepted ? g_sourceFormat.blockSize
                                                        : LatencyToBytesAtRate(g_settings.latency, 44100));
    if (random_.OneIn(16)) {
        static const uint32_t kOdd[] = {0, 1, 2, 3, 5, 6, 7, 100, 4097, 8191};
        blockSize = kOdd[random_.Below(sizeof kOdd / sizeof kOdd[0])];
    }
    const bool starve = random_.OneIn(40);
    if (starve) {
        const int n = 1 + static_cast<int>(random_.Below(6));
        random_.OneIn(2) ? FailNthAllocation(n) : FailNthLock(n);
    }
    const bool toTheEnd = random_.OneIn(32);

    const FuzzBoxes watch(realBoxes_);
    const uint32_t code = Play(panel_.play, panel_.stop, panel_.pause, panel_.greenLed, panel_.redLed, 0,
                               path_.c_str(), 0, blockSize);
    if (code == 0) {
        ++play_.accepted;
        if (toTheEnd) {
            ++play_.playedToEnd;
            if (!PumpUntil([&] { return IsWindowEnabled(panel_.play) != FALSE; }, 5000))
                Fail("the playback did not end by itself");
        } else {
            PumpFor(0);
        }
        Stop();
        PumpFor(0);  // a refill's message, posted to this thread, shows now
    }
    FailNthAllocation(0);
    FailNthLock(0);

    const std::vector<CaughtBox> shown = watch.Boxes();
    if (!watch.ReadingAgrees()) Fail("the box stand-in reads the player's box otherwise than it shows");
    if (realBoxes_) realBoxesCompared_ += shown.size();
    std::string playText;
    if (code != 0) {
        if (shown.size() != 1)
            Fail("Play returned " + std::to_string(code) + " with " + std::to_string(shown.size()) +
                 " boxes");
        if (!shown.empty()) playText = shown[0].text;
        if (!Contains(PlayerStartTexts(), playText)) Fail("the player's box says an unknown text: \"" + playText + "\"");
        ++play_.texts[playText];
    } else {
        if (shown.size() > 1) Fail("a started playback showed " + std::to_string(shown.size()) + " boxes");
        if (!shown.empty() && !Contains(PlayerRefillTexts(), shown[0].text))
            Fail("a refill's box says an unknown text: \"" + shown[0].text + "\"");
    }
    for (const CaughtBox& box : shown)
        if (!IsQuellboxErrorBox(box)) Fail("the player's box is not a Quellbox error box with one OK button");
    if (oracle && !starve && blockSize >= 4 && !PlayerAgrees(checkText, playText))
        Fail("the check said \"" + (checkText.empty() ? std::string("accepted") : checkText) + "\", the player \"" +
             (playText.empty() ? std::string("started") : playText) + "\"");
    if (!IsWindowEnabled(panel_.play) || IsWindowEnabled(panel_.stop) || IsWindowEnabled(panel_.pause))
        Fail("the transport is not back in its stopped look");
    EndCase();
}

void WavFuzzer::CheckHandles(const char* when)
{
    const unsigned now = CountOpenHandles();
    if (handleBaseline_ == 0) {
        handleBaseline_ = now;
        return;
    }
    if (now > handleBaseline_ + kHandleSlack) {
        label_ = when;
        Fail("open handles grew from " + std::to_string(handleBaseline_) + " to " + std::to_string(now));
    }
}
