// Times mixdowns through the real program under Wine: starts qbx15.exe,
// opens SOURCE through the Open dialog, sets the patch (empty: the Effects
// Patch dialog's Clear; four: every effect switched on by its on/off LED),
// then runs the Mixdown command REPEATS times onto TARGET through the Save
// dialog. Each time runs from the Save dialog's OK to the moment the
// Progress dialog is gone and the finished file stands under the target's
// name, the temporary file gone: what a user waits for. HAND is what the
// user does meanwhile: still (nothing), pointer (the pointer circles over
// the Progress dialog, away from Cancel, about 90 moves a second) or key
// (a key held down: Shift, repeated 30 times a second as a keyboard's
// auto-repeat sends it), all through SendInput.
//   mixdown_program_bench PROGRAM_FOLDER SOURCE TARGET empty|four [REPEATS] [still|pointer|key]
// Prints the best and the median wall-clock time.
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <cmath>

#include "tests/support/file_helpers.h"
#include "tests/support/real_input.h"
#include "tests/wine/e2e/quellbox_process.h"

namespace {

constexpr DWORD kPollMs = 5;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Polls condition every kPollMs for up to milliseconds.
template <typename Condition>
bool PollUntil(Condition condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(kPollMs);
    }
    return true;
}

void Click(HWND window, int x, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool SetUpPatch(const QuellboxProcess& app, const char* mode)
{
    if (std::strcmp(mode, "four") == 0) {
        for (int i = 0; i < 4; ++i) {
            Click(app.Control(IDC_ONOFF_LED), 9, 9);
            app.Command(IDC_UP);
        }
        Sleep(300);
        return true;
    }
    if (std::strcmp(mode, "empty") != 0) return false;
    app.Command(IDM_EFFECTS_PATCH);
    HWND dialog = app.WaitForDialog("Effects Patch", 10000);
    if (!dialog) return false;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_CLICKED), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
}

// Where the time of one mixdown goes, in seconds from the Save dialog's OK.
struct MixdownTimes {
    double shown;     // the Progress dialog is on the screen
    double rendered;  // it has gone again
    double done;      // the finished file stands under the target's name
};

double SecondsSince(const LARGE_INTEGER& from)
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND ProgressDialog(const QuellboxProcess& app)
{
    HWND dialog = FindProcessWindow(app.Pid(), "#32770", "Progress");
    return dialog && GetDlgItem(dialog, IDC_PROGRESS_BAR) ? dialog : nullptr;
}

enum class Hand { kStill, kPointer, kKey };

struct HandWork {
    Hand hand;
    const QuellboxProcess* app;
    volatile LONG stop;
};

// The user's hand while the render runs, until told to stop.
DWORD WINAPI MoveHand(void* parameter)
{
    auto* work = static_cast<HandWork*>(parameter);
    for (int i = 0; !work->stop; ++i) {
        if (work->hand == Hand::kPointer) {
            RECT r = {};
            HWND dialog = ProgressDialog(*work->app);
            if (dialog && GetWindowRect(dialog, &r)) {
                const double angle = i * 0.35;
                SendPointerMove({(r.left + r.right) / 2 + static_cast<LONG>(30 * std::cos(angle)),
                             r.top + (r.bottom - r.top) / 3 + static_cast<LONG>(6 * std::sin(angle))});
            }
            Sleep(11);
        } else {
            HoldKeyDown(VK_SHIFT);
            Sleep(33);
        }
    }
    if (work->hand == Hand::kKey) PressKey(VK_SHIFT);  // and let go
    return 0;
}

// One mixdown through the Save and Progress dialogs; false when it did not
// complete.
bool TimedMixdown(const QuellboxProcess& app, const std::string& target, const std::string& temp, Hand hand,
                  MixdownTimes* times)
{
    DeleteFileA(target.c_str());
    app.Command(IDM_MIXDOWN);
    HWND save = app.WaitForDialog(nullptr, 10000);
    if (!save) return false;
    HWND nameBox = GetDlgItem(save, cmb13);
    if (!nameBox) nameBox = GetDlgItem(save, edt1);
    if (!nameBox) return false;
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    LARGE_INTEGER from;
    QueryPerformanceCounter(&from);
    PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));
    const DWORD limit = 30 * 60 * 1000;
    // A render too short to be seen counts as shown and gone at once.
    PollUntil([&] { return ProgressDialog(app) != nullptr || Exists(target); }, limit);
    times->shown = SecondsSince(from);
    HandWork work = {hand, &app, 0};
    HANDLE mover = hand == Hand::kStill ? nullptr : CreateThread(nullptr, 0, MoveHand, &work, 0, nullptr);
    const bool gone = PollUntil([&] { return ProgressDialog(app) == nullptr; }, limit);
    times->rendered = SecondsSince(from);
    if (mover) {
        InterlockedExchange(&work.stop, 1);
        WaitForSingleObject(mover, INFINITE);
        CloseHandle(mover);
    }
    if (!gone) return false;
    // The temporary file is moved, or copied and deleted, onto the target.
    if (!PollUntil([&] { return Exists(target) && !Exists(temp); }, limit)) return false;
    times->done = SecondsSince(from);
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: mixdown_program_bench PROGRAM_FOLDER SOURCE TARGET empty|four [REPEATS] [still|pointer|key]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const std::string source = argv[2], target = argv[3];
    const int repeats = argc > 5 ? std::max(1, std::atoi(argv[5])) : 3;
    const char* handName = argc > 6 ? argv[6] : "still";
    const Hand hand = std::strcmp(handName, "pointer") == 0 ? Hand::kPointer
                      : std::strcmp(handName, "key") == 0   ? Hand::kKey
                                                            : Hand::kStill;

    QuellboxProcess app;
    if (!app.Start(folder + "qbx15.exe", folder) || !app.WaitForMainWindow() || !app.ActivatePanel(20000)) {
        std::fprintf(stderr, "mixdown_program_bench: the program did not start\n");
        return 1;
    }
    if (!app.OpenThroughDialog(source) || !WaitUntil([&] { return app.Enabled(IDC_PLAY); }, 5000)) {
        std::fprintf(stderr, "mixdown_program_bench: the source was not opened\n");
        return 1;
    }
    if (!SetUpPatch(app, argv[4])) {
        std::fprintf(stderr, "mixdown_program_bench: the patch could not be set up\n");
        return 1;
    }
    const std::string temp = TemporaryMixdownPath();
    std::vector<double> total, start, render, handOver;
    for (int i = 0; i < repeats; ++i) {
        MixdownTimes t = {};
        if (!TimedMixdown(app, target, temp, hand, &t)) {
            std::fprintf(stderr, "mixdown_program_bench: the mixdown did not complete\n");
            return 1;
        }
        total.push_back(t.done);
        start.push_back(t.shown);
        render.push_back(t.rendered - t.shown);
        handOver.push_back(t.done - t.rendered);
    }
    DeleteFileA(target.c_str());
    app.Command(IDM_EXIT);  // Exit
    app.WaitForExit(10000);
    std::printf("program %s, hand %s: best %.3f s, median %.3f s over %d runs (medians: to the Progress dialog %.3f s, "
                "render in it %.3f s, hand-over onto the target %.3f s)\n",
                argv[4], handName, *std::min_element(total.begin(), total.end()), Median(total), repeats, Median(start),
                Median(render), Median(handOver));
    return 0;
}
