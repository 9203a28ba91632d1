#include "load_driver.h"

#include <random>
#include <vector>

#include "fault_fixture.h"
#include "resources/resource_ids.h"
#include "tests/support/real_input.h"

namespace {

using Random = std::mt19937;

int Pick(Random& random, int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

// A press, a few moves and a release on a control, by the real pointer.
void Drag(HWND control, Random& random)
{
    RECT r = {};
    GetClientRect(control, &r);
    const int x = r.right / 2, y = r.bottom / 2;
    if (!MovePointerTo(control, x, y)) return;
    PressButton(MouseButton::kLeft);
    const int steps = 1 + Pick(random, 6);
    int dy = 0;
    for (int i = 0; i < steps; ++i) {
        dy += Pick(random, 41) - 20;
        MovePointerTo(control, x + Pick(random, 9) - 4, y + dy);
    }
    ReleaseButton(MouseButton::kLeft);
}

void Click(HWND control) { ClickAt(control, 3, 3); }

// A random item of the list that is in view: its middle, for a click.
bool PickVisibleItem(HWND list, Random& random, POINT* middle)
{
    RECT client = {}, item = {};
    GetClientRect(list, &client);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    std::vector<POINT> shown;
    for (int i = top; i < count; ++i) {
        if (SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)) == LB_ERR) break;
        if (item.bottom > client.bottom) break;
        shown.push_back({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    }
    if (shown.empty()) return false;
    *middle = shown[Pick(random, static_cast<int>(shown.size()))];
    return true;
}

// Opens the Effects Patch dialog, clicks an effect of one list, moves it
// to the other with Add or Remove and clicks OK.
void ChangePatch(const QuellboxProcess& app, Random& random)
{
    app.Command(IDM_EFFECTS_PATCH);
    HWND dialog = nullptr;
    if (!WaitUntil(
            [&] {
                dialog = FindProcessWindow(app.Pid(), "#32770", nullptr);
                return dialog && IsWindowVisible(dialog) && GetDlgItem(dialog, IDC_PATCH_LIST);
            },
            5000))
        return;
    const bool remove = Pick(random, 2) == 0;
    HWND list = GetDlgItem(dialog, remove ? IDC_PATCH_LIST : IDC_AVAILABLE_LIST);
    HWND button = GetDlgItem(dialog, remove ? IDC_REMOVE : IDC_ADD);
    POINT item = {};
    if (PickVisibleItem(list, random, &item) && UncoverAt(list, item.x, item.y) && ClickAt(list, item.x, item.y) &&
        WaitUntil([button] { return IsWindowEnabled(button) != FALSE; }, 5000))
        ClickMiddle(button);
    ClickMiddle(GetDlgItem(dialog, IDOK));
    WaitUntil([dialog] { return !IsWindow(dialog); }, 5000);
}

void ClickIfEnabled(const QuellboxProcess& app, int id)
{
    if (app.Enabled(id)) app.Command(id);
}

struct WindowSearch {
    DWORD pid;
    std::string found;
};

BOOL CALLBACK AddVisibleWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || !IsWindowVisible(window)) return TRUE;
    char className[64] = "", caption[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    search->found += std::string(search->found.empty() ? "" : ", ") + className + " \"" + caption + "\"";
    return TRUE;
}

// The program's visible top-level windows as class "caption", for a report.
std::string VisibleWindowsOf(DWORD pid)
{
    WindowSearch search = {pid, ""};
    EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One random action; its kind, and whether it ran a file dialog. Null when
// the program did not come back to idle for the next action.
const char* OneAction(QuellboxProcess& app, Random& random, const std::string& source, const std::string& folder,
                      int* fileDialogs)
{
    HWND main = app.MainWindow();
    // A user acts only on an idle program: while a modal dialog (the
    // mixdown's Progress above all) owns it, the main window is disabled
    // and takes no clicks, so no command is posted to it then either.
    if (!WaitUntil([&] { return IsWindowEnabled(main) && !app.WaitForDialog("Progress", 0); }, 30000)) return nullptr;
    const int roll = Pick(random, 100);
    const char* kind = "";
    if (roll < 12) {
        kind = "Play";
        ClickIfEnabled(app, IDC_PLAY);
    } else if (roll < 20) {
        kind = "Pause";
        ClickIfEnabled(app, IDC_PAUSE);
    } else if (roll < 28) {
        kind = "Stop";
        ClickIfEnabled(app, IDC_STOP);
    } else if (roll < 36) {
        kind = "Up/Down";
        app.Command(Pick(random, 2) ? IDC_UP : IDC_DOWN);
    } else if (roll < 62) {
        kind = "knob drag";
        const std::vector<HWND> knobs = ChildrenOfClass(main, "rotary_control");
        if (!knobs.empty()) Drag(knobs[Pick(random, static_cast<int>(knobs.size()))], random);
    } else if (roll < 70) {
        kind = "slider drag";
        for (HWND slider : ChildrenOfClass(main, "SLIDER")) Drag(slider, random);
    } else if (roll < 76) {
        kind = "on/off LED";
        for (HWND led : ChildrenOfClass(main, "ONOFFLED")) Click(led);
    } else if (roll < 86) {
        kind = "patch change";
        ChangePatch(app, random);
    } else if (roll < 93) {
        kind = "Open";
        ++*fileDialogs;
        app.OpenThroughDialog(source);
    } else {
        kind = "Mixdown";
        ++*fileDialogs;
        if (app.MixdownThroughDialog(folder + "\\load_mixdown.wav"))
            WaitUntil([&] { return !app.WaitForDialog("Progress", 0); }, 30000);
    }
    Sleep(5);
    return kind;
}

}  // namespace

LoadOutcome RunLoad(QuellboxProcess& app, unsigned seed, int actions, int sampleEvery, const std::string& source,
                    const std::string& folder, const std::function<void(const LoadSample&)>& onSample)
{
    LoadOutcome outcome;
    ProcessMeter meter;
    outcome.measured = meter.Attach(app.Pid());
    Random random(seed);
    int fileDialogs = 0;
    auto sample = [&](int done) {
        LoadSample s = {done, fileDialogs, meter.Measure()};
        outcome.curve.push_back(s);
        if (onSample) onSample(s);
    };
    sample(0);
    const char* kind = "";
    for (int i = 1; i <= actions; ++i) {
        const char* before = kind;
        kind = OneAction(app, random, source, folder, &fileDialogs);
        if (!kind) {
            outcome.hung = true;
            outcome.hungAfter = before;
            outcome.holdingWindows = VisibleWindowsOf(app.Pid());
            return outcome;
        }
        outcome.actionsDone = i;
        if (app.WaitForExit(0) != -1) {
            outcome.ended = true;
            return outcome;
        }
        const std::string box = app.AnswerMessageBox(0);
        if (!box.empty() && outcome.strayBoxes++ == 0) {
            outcome.firstStray = box;
            outcome.strayAfter = kind;
        }
        if (i % sampleEvery == 0) {
            if (!AnswersMessages(app.MainWindow(), 10000)) {
                outcome.hung = true;
                outcome.hungAfter = kind;
                outcome.holdingWindows = VisibleWindowsOf(app.Pid());
                return outcome;
            }
            sample(i);
        }
    }
    return outcome;
}
