#include "load_driver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <random>
#include <set>
#include <vector>

#include "fault_fixture.h"
#include "resources/panel_bitmap_ids.h"
#include "resources/resource_ids.h"
#include "tests/support/real_input.h"

namespace {

using Random = std::mt19937;
using Names = std::vector<std::string>;

constexpr DWORD kSeen = 5000;            // how long the screen may take to show an outcome
constexpr DWORD kRenderEnds = 60000;     // a mixdown of the run's source
constexpr double kSourceSeconds = 30.0;  // longer than a playback lasts between two Stops, Opens or Mixdowns
constexpr size_t kSmallestPatch = 2;     // so that UP and DOWN always name another effect
// The panel's figures the actions aim at: the slider's track (client y) and
// two pointer places about a knob's centre (15, 15): down to the left, which
// turns it to its minimum, and straight up, to the middle of its range.
constexpr int kTrackTop = 14, kTrackBottom = 70, kTrackX = 11;
constexpr POINT kKnobToMinimum = {9, 29}, kKnobToMiddle = {15, -20};

enum class Transport { kStopped, kPlaying, kPaused };

// What the run expects the program to show: the transport, the patch (as
// its dialog lists it), the current effect, the effects switched on, and
// which of the two sources is open.
struct LoadRun {
    LoadRun(QuellboxProcess& program, unsigned seed, const std::string& folder)
        : app(program), random(seed), sources{folder + "\\load_a.wav", folder + "\\load_b.wav"},
          mixdown(folder + "\\load_mixdown.wav") {}
    QuellboxProcess& app;
    Random random;
    std::string sources[2];
    std::string mixdown;
    int openSource = 0;
    Transport transport = Transport::kStopped;
    // A first start's patch: all four effects, none on, the Phaser current.
    Names patch = {"Phaser", "Flanger", "Chorus", "C-Delay"};
    Names available;
    std::string current = "Phaser";
    std::set<std::string> switchedOn;
    int fileDialogs = 0;
    const char* kind = "";
};

int Pick(Random& random, int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

bool ScreenShows(HWND control, const Pixels& expected)
{
    return WaitUntil([&] { return ScreenPixels(control) == expected; }, kSeen);
}

// The display names the current effect in capitals, with its state where given.
bool DisplayNames(const LoadRun& run, const char* state = "")
{
    std::string name = run.current;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ScreenShows(run.app.Control(IDC_DISPLAY), ReferenceDisplay(name.c_str(), kTopLeft, state, kTopRight));
}

// The lamps as the state shows them: green while playing or paused, red while paused.
bool LampsShow(const QuellboxProcess& app, Transport state)
{
    const bool green = state != Transport::kStopped, red = state == Transport::kPaused;
    return WaitUntil([&] { return GreenLit(app) == green && RedLit(app) == red; }, kSeen);
}

// PLAY while stopped; PAUSE (which also resumes) or STOP otherwise. The
// lamps must show the state before, so that a press that changed nothing
// cannot pass for one whose lamps went dark.
bool PressTransport(LoadRun& run)
{
    int button = IDC_PLAY;
    Transport next = Transport::kPlaying;
    if (run.transport != Transport::kStopped) {
        const bool stop = Pick(run.random, 2) == 0;
        button = stop ? IDC_STOP : IDC_PAUSE;
        next = stop ? Transport::kStopped
                    : (run.transport == Transport::kPaused ? Transport::kPlaying : Transport::kPaused);
    }
    run.kind = button == IDC_PLAY ? "Play" : (button == IDC_PAUSE ? "Pause" : "Stop");
    const bool before = LampsShow(run.app, run.transport);
    run.transport = next;
    return before && run.app.Command(button) && LampsShow(run.app, next);
}

// UP or DOWN: the display names the next or the previous effect of the patch.
bool StepEffect(LoadRun& run)
{
    const bool up = Pick(run.random, 2) == 0;
    run.kind = up ? "Up" : "Down";
    const Names& p = run.patch;
    const size_t at = std::find(p.begin(), p.end(), run.current) - p.begin();
    run.current = p[(at + (up ? 1 : p.size() - 1)) % p.size()];
    return run.app.Command(up ? IDC_UP : IDC_DOWN) && DisplayNames(run);
}

// A press at start, a few moves at random over the control and a release at end.
bool DragOver(HWND control, Random& random, POINT start, POINT end)
{
    if (!UncoverAt(control, start.x, start.y) || !MovePointerTo(control, start.x, start.y)) return false;
    PressButton(MouseButton::kLeft);
    RECT r = {};
    GetClientRect(control, &r);
    for (int steps = Pick(random, 5); steps > 0; --steps)
        MovePointerTo(control, Pick(random, r.right), Pick(random, r.bottom));
    const bool arrived = MovePointerTo(control, end.x, end.y);
    ReleaseButton(MouseButton::kLeft);
    return arrived;
}

// A knob's pointer turned to its minimum, or, where it stands there
// already, to the middle of its range.
bool DragKnob(LoadRun& run)
{
    const int number = 1 + Pick(run.random, static_cast<int>(std::size(kKnobIds)));
    HWND knob = run.app.Control(kKnobIds[number - 1]);
    const Pixels atMinimum = ReferenceKnob(number, 0, 1, 0);
    const bool toMinimum = ScreenPixels(knob) != atMinimum;
    const POINT start = {Pick(run.random, 30), Pick(run.random, 30)};
    if (!DragOver(knob, run.random, start, toMinimum ? kKnobToMinimum : kKnobToMiddle)) return false;
    if (toMinimum) return ScreenShows(knob, atMinimum);
    return WaitUntil([&] { return ScreenPixels(knob) != atMinimum; }, kSeen);
}

// The fader's cap taken to another place on its track.
bool DragSlider(LoadRun& run)
{
    HWND slider = run.app.Control(IDC_VOLUME_SLIDER);
    const Pixels before = ScreenPixels(slider);
    int y = kTrackTop;
    do y = kTrackTop + Pick(run.random, kTrackBottom - kTrackTop + 1);
    while (ReferenceSlider(FaderPositionAt(y)) == before);
    const POINT start = {kTrackX, kTrackTop + Pick(run.random, kTrackBottom - kTrackTop + 1)};
    return DragOver(slider, run.random, start, {kTrackX, y}) &&
           ScreenShows(slider, ReferenceSlider(FaderPositionAt(y)));
}

// The on/off LED clicked: it and the display show the current effect's new state.
bool ToggleEffect(LoadRun& run)
{
    const bool on = run.switchedOn.erase(run.current) == 0;
    if (on) run.switchedOn.insert(run.current);
    const HWND led = run.app.Control(IDC_ONOFF_LED);
    return ClickMiddle(led) && ScreenShows(led, DecodeBitmapResource(on ? IDB_ONOFF_ON : IDB_ONOFF_OFF)) &&
           DisplayNames(run, on ? "ON" : "OFF");
}

// A list box's entries: the effects' names, in ASCII (read wide: Wine hands
// an ANSI list box's text to another process as UTF-16).
Names ListEntries(HWND list)
{
    Names entries(std::max<LRESULT>(0, SendMessageA(list, LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < entries.size(); ++i) {
        wchar_t wide[32] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        entries[i].assign(wide, wide + lstrlenW(wide));
    }
    return entries;
}

// The Effects Patch dialog, opened; null unless its lists show the patch
// the run expects.
HWND OpenPatchDialog(const LoadRun& run)
{
    HWND dialog = run.app.Command(IDM_EFFECTS_PATCH) ? run.app.WaitForDialog("Effects Patch", kSeen) : nullptr;
    if (!dialog || ListEntries(GetDlgItem(dialog, IDC_PATCH_LIST)) != run.patch ||
        ListEntries(GetDlgItem(dialog, IDC_AVAILABLE_LIST)) != run.available)
        return nullptr;
    return dialog;
}

bool CloseDialogBy(HWND dialog, int button)
{
    return ClickMiddle(GetDlgItem(dialog, button)) && WaitUntil([dialog] { return !IsWindow(dialog); }, kSeen);
}

// One effect moved by Remove or Add and the dialog closed with OK: the
// lists show the move, the panel names the new current effect where it is
// another, and the dialog opened again lists the new patch.
bool ChangePatch(LoadRun& run)
{
    HWND dialog = OpenPatchDialog(run);
    if (!dialog) return false;
    const bool remove = run.available.empty() || (run.patch.size() > kSmallestPatch && Pick(run.random, 2) == 0);
    Names& from = remove ? run.patch : run.available;
    Names& to = remove ? run.available : run.patch;
    const int index = Pick(run.random, static_cast<int>(from.size()));
    to.push_back(from[index]);
    from.erase(from.begin() + index);
    HWND list = GetDlgItem(dialog, remove ? IDC_PATCH_LIST : IDC_AVAILABLE_LIST);
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const bool moved =
        UncoverAt(list, item.left + 5, (item.top + item.bottom) / 2) &&
        ClickAt(list, item.left + 5, (item.top + item.bottom) / 2) &&
        ClickMiddle(GetDlgItem(dialog, remove ? IDC_REMOVE : IDC_ADD)) &&
        WaitUntil([&] { return ListEntries(GetDlgItem(dialog, IDC_PATCH_LIST)) == run.patch; }, kSeen);
    if (!moved || !CloseDialogBy(dialog, IDOK)) return false;
    const bool stays = std::find(run.patch.begin(), run.patch.end(), run.current) != run.patch.end();
    if (!stays) run.current = run.patch.front();
    if (!stays && !DisplayNames(run)) return false;
    dialog = OpenPatchDialog(run);
    return dialog && CloseDialogBy(dialog, IDCANCEL);
}

// Opens the other source: the title names it, and a playback has stopped.
bool OpenOtherSource(LoadRun& run)
{
    ++run.fileDialogs;
    run.openSource = 1 - run.openSource;
    const std::string& path = run.sources[run.openSource];
    run.transport = Transport::kStopped;
    return run.app.OpenThroughDialog(path) &&
           WaitUntil([&] { return run.app.Title() == TitleFor(path); }, kSeen) &&
           LampsShow(run.app, Transport::kStopped);
}

FILETIME WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A mixdown onto the run's target: once the render has ended, the target
// is a file written since.
bool Mixdown(LoadRun& run)
{
    ++run.fileDialogs;
    const FILETIME before = WriteTime(run.mixdown);
    if (!run.app.MixdownThroughDialog(run.mixdown)) return false;
    run.transport = Transport::kStopped;
    const auto written = [&] {
        const FILETIME now = WriteTime(run.mixdown);
        return CompareFileTime(&now, &before) > 0;
    };
    return WaitUntil([&] { return !run.app.WaitForDialog("Progress", 0); }, kRenderEnds) && WaitUntil(written, kSeen);
}

// The actions, each with its share of a hundred: run gives the action and
// tells whether its effect was seen.
struct LoadAction {
    const char* kind;
    int weight;
    bool (*run)(LoadRun& run);
};
const LoadAction kActions[] = {
    {"transport", 28, PressTransport}, {"Up/Down", 8, StepEffect},  {"knob drag", 26, DragKnob},
    {"slider drag", 8, DragSlider},    {"on/off LED", 6, ToggleEffect}, {"patch change", 10, ChangePatch},
    {"Open", 7, OpenOtherSource},      {"Mixdown", 7, Mixdown},
};

// The dialog or menu the program shows, for a report.
std::string WhatHolds(const QuellboxProcess& app)
{
    const HWND dialog = app.WaitForDialog(nullptr, 0);
    return dialog ? "the dialog \"" + ControlText(dialog) + "\"" : (app.PopupMenu() ? "its menu" : "no dialog");
}

}  // namespace

std::string LandedLine(const LoadOutcome& outcome)
{
    char line[160];
    std::snprintf(line, sizeof line, "landed %d of %d actions (%.1f%%)%s%s", outcome.landed, outcome.actionsDone,
                  outcome.actionsDone ? 100.0 * outcome.landed / outcome.actionsDone : 0.0,
                  outcome.firstMissed.empty() ? "" : "; first missed: ", outcome.firstMissed.c_str());
    return line;
}

LoadOutcome RunLoad(QuellboxProcess& app, unsigned seed, int actions, int sampleEvery, const std::string& folder)
{
    LoadOutcome outcome;
    LoadRun run(app, seed, folder);
    for (const std::string& source : run.sources)
        if (!WriteSineWave(source, kSourceSeconds)) return outcome;
    outcome.opened = app.OpenThroughDialog(run.sources[0]);
    if (!outcome.opened) return outcome;
    ProcessMeter meter;
    outcome.measured = meter.Attach(app.Pid());
    auto sample = [&](int done) {
        LoadSample s = {done, run.fileDialogs, meter.Measure()};
        outcome.curve.push_back(s);
        std::printf("%s\n", FiguresLine(s.actions, s.fileDialogs, s.figures).c_str());
        std::fflush(stdout);
    };
    const auto hung = [&] {
        outcome.hung = true;
        outcome.hungAfter = run.kind;
        outcome.holdingWindows = WhatHolds(app);
        return outcome;
    };
    // A user acts only on an idle program: no dialog, box or menu of it is
    // up. A message box that comes after an action, however late, is stray.
    const auto idle = [&] {
        const std::string box = app.AnswerMessageBox(0);
        if (!box.empty() && outcome.strayBoxes++ == 0) {
            outcome.firstStray = box;
            outcome.strayAfter = run.kind;
        }
        return !app.WaitForDialog(nullptr, 0) && !app.PopupMenu();
    };
    sample(0);
    for (int i = 1; i <= actions; ++i) {
        if (!WaitUntil(idle, 30000)) return hung();
        int roll = Pick(run.random, 100);
        const LoadAction* action = kActions;
        while (roll >= action->weight) roll -= (action++)->weight;
        run.kind = action->kind;
        const bool landed = action->run(run);
        outcome.actionsDone = i;
        if (landed) ++outcome.landed;
        else if (outcome.firstMissed.empty())
            outcome.firstMissed = std::string(run.kind) + " (action " + std::to_string(i) + ", showing " +
                                  WhatHolds(app) + ")";
        if (app.WaitForExit(0) != -1) {
            outcome.ended = true;
            return outcome;
        }
        if (i % sampleEvery == 0) {
            if (!AnswersMessages(app.MainWindow(), 10000)) return hung();
            sample(i);
        }
    }
    if (!WaitUntil(idle, 30000)) return hung();
    return outcome;
}
