#include "dialogs/progress_dialog.h"

#include <commctrl.h>

#include "audio/mixdown.h"
#include "common/scoped_gdi.h"
#include "dialogs/error_box.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"

namespace {

// How often the bar is shown where it stands while the render runs: smooth
// to the eye, and rare enough that painting costs the render next to
// nothing, where a repaint per block costs a large share.
constexpr DWORD kRepaintIntervalMs = 50;

// How often a step asks the queue whether input waits. Each question is a
// call to the window system's server, which costs as much as a tenth of a
// block under Wine; a few milliseconds keep a click answered at once.
constexpr DWORD kInputCheckMs = 5;

// The input a user gives while the render runs: keys, clicks and moves,
// and on Windows 8 and later taps and pen strokes, which come as pointer
// messages with queue bits of their own (QS_TOUCH, QS_POINTER; the headers
// of the Windows 7 target leave them out). Older systems refuse those bits.
constexpr UINT kKeyAndMouseInput = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON;
constexpr UINT kTouchQueueBit = 0x0800;
constexpr UINT kPointerQueueBit = 0x1000;
constexpr UINT kTouchAndPointerInput = kTouchQueueBit | kPointerQueueBit;

// The queue bits of a user's input on this system: GetQueueStatus fails
// with ERROR_INVALID_FLAGS on a bit that the system does not know.
UINT UserInputQueueBits()
{
    static UINT bits = 0;
    if (bits == 0) {
        SetLastError(ERROR_SUCCESS);
        const bool known = GetQueueStatus(kKeyAndMouseInput | kTouchAndPointerInput) != 0 ||
                           GetLastError() != ERROR_INVALID_FLAGS;
        bits = known ? kKeyAndMouseInput | kTouchAndPointerInput : kKeyAndMouseInput;
    }
    return bits;
}

// One run of the dialog.
struct ProgressRun {
    HWND dialog;          // while the dialog is up
    bool rendering;       // StartMixdown succeeded and the render has not ended
    bool barWraps;        // the 16-bit range wrapped: the bar shows the share done
    uint32_t stepsTaken;  // blocks begun since the render started
    DWORD lastRepaint;    // tick count of the last time the bar was shown
    DWORD lastInputCheck; // tick count of the last question for waiting input
    WNDPROC barProc;      // the progress control's own procedure while it is paced
    int barPosition;      // where the paced bar stands
};

ProgressRun g_run = {};

HWND Bar(HWND dialog) { return GetDlgItem(dialog, IDC_PROGRESS_BAR); }

// The progress control answers every step by invalidating and updating
// itself at once: under Wine that is three calls to the window server for
// each block, which would cost the render a fifth of its time. While the
// render runs the bar is paced: this procedure in front of the control's
// own answers PBM_STEPIT and PBM_GETPOS with the position the control
// would hold, and the control is given that position, and draws it, at
// every paced repaint (ShowBarNow).
LRESULT CALLBACK PacedBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PBM_STEPIT: {
        const int before = g_run.barPosition;
        PBRANGE range = {};
        CallWindowProcA(g_run.barProc, bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        const int step = static_cast<int>(CallWindowProcA(g_run.barProc, bar, PBM_GETSTEP, 0, 0));
        g_run.barPosition = ProgressBarAfterStep(before, range.iLow, range.iHigh, step);
        return before;
    }
    case PBM_GETPOS: return g_run.barPosition;
    default: return CallWindowProcA(g_run.barProc, bar, message, wParam, lParam);
    }
}

void PaceBar(HWND dialog, bool paced)
{
    HWND bar = Bar(dialog);
    if (paced && !g_run.barProc) {
        g_run.barPosition = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
        g_run.barProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PacedBarProc)));
    } else if (!paced && g_run.barProc) {
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_run.barProc));
        g_run.barProc = nullptr;
        SendMessageA(bar, PBM_SETPOS, g_run.barPosition, 0);
    }
}

// The paced bar at its position, and anything else due in the dialog (a
// pressed button, a part uncovered), drawn now.
void ShowBarNow(HWND dialog)
{
    SendMessageA(Bar(dialog), PBM_SETPOS, g_run.barPosition, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_run.lastRepaint = GetTickCount();
}

// One step of the bar before a block. Where the block count does not fit
// the bar's 16-bit range, stepping would run the bar round and round; it
// is set to the share of the data done instead.
void AdvanceBar(HWND dialog)
{
    ++g_run.stepsTaken;
    if (g_run.barWraps) {
        g_run.barPosition = MixdownProgressPosition(g_run.stepsTaken, g_sourceFormat.dataLength, g_mixdown.readSize);
    } else {
        SendMessageA(Bar(dialog), PBM_STEPIT, 0, 0);
    }
    if (GetTickCount() - g_run.lastRepaint >= kRepaintIntervalMs) ShowBarNow(dialog);
}

// The render ends, one way or another; the bar draws as usual again.
void EndRender(HWND dialog, INT_PTR result)
{
    PaceBar(dialog, false);
    g_run.rendering = false;
    EndDialog(dialog, result);
}

// Ends the dialog without a completed render; the temporary file goes.
void EndWithFailure(HWND dialog, bool tellUser)
{
    if (tellUser) ShowErrorBox(GetWindow(dialog, GW_OWNER), "Error in Mixdown operation.");
    g_mixdown.completed = false;
    DeleteFileA(g_mixdown.tempPath);
    EndRender(dialog, IDCANCEL);
}

// A step is always queued while the render runs, and posted messages come
// before mouse and keyboard input, so the dialog's own loop would keep a
// Cancel click, a key or a drag of the caption waiting until the render
// ends. The step serves such input itself, as the dialog's loop would,
// before it renders its block and queues the next step. It stops once the
// input has ended the render.
void ServeWaitingInput(HWND dialog)
{
    const DWORD now = GetTickCount();
    if (now - g_run.lastInputCheck < kInputCheckMs) return;
    g_run.lastInputCheck = now;
    const UINT input = UserInputQueueBits();
    if (HIWORD(GetQueueStatus(input)) == 0) return;
    // PM_QS_INPUT, with the touch and pointer bits where the system has them.
    const UINT removeInput = PM_REMOVE | ((QS_INPUT | (input & kTouchAndPointerInput)) << 16);
    MSG msg;
    while (g_run.rendering && PeekMessageA(&msg, nullptr, 0, 0, removeInput)) {
        if (CallMsgFilterA(&msg, MSGF_DIALOGBOX)) continue;
        if (IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL Progress_OnInitDialog(HWND dialog)
{
    InitCommonControls();
    HWND bar = Bar(dialog);
    const uint16_t range = MixdownProgressRange(g_sourceFormat.dataLength, g_mixdown.readSize);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, range));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    g_run = {};
    g_run.dialog = dialog;
    const uint32_t fullBlocks =
        g_mixdown.readSize > 0 ? g_sourceFormat.dataLength / static_cast<uint32_t>(g_mixdown.readSize) : 0;
    g_run.barWraps = fullBlocks != range;
    SetFocus(GetDlgItem(dialog, IDC_PROGRESS_CANCEL));
    return FALSE;
}

// The render starts once the dialog has been painted for the first time.
void Progress_OnPaint(HWND dialog)
{
    {
        ScopedPaint paint(dialog);  // validates the dialog; its controls paint themselves
    }
    if (!g_mixdown.startPending) return;
    g_mixdown.startPending = false;
    if (!StartMixdown(dialog)) {
        EndWithFailure(dialog, true);
        return;
    }
    g_run.rendering = true;
    g_run.lastInputCheck = GetTickCount();
    PaceBar(dialog, true);
    // From here a step is always queued, and the controls' own paints would
    // wait behind the steps: they are drawn now, and then every
    // kRepaintIntervalMs.
    ShowBarNow(dialog);
}

void Progress_OnStep(HWND dialog)
{
    if (!g_run.rendering) return;
    if (g_mixdown.currentBlockBytes != 0) {
        ServeWaitingInput(dialog);
        if (!g_run.rendering) return;  // the input ended the render
        AdvanceBar(dialog);
        if (!RenderNextBlock(dialog)) EndWithFailure(dialog, true);
        return;
    }
    // A file that could not be completed is no mixdown either.
    if (!FinishMixdown()) {
        EndWithFailure(dialog, true);
        return;
    }
    g_mixdown.completed = true;
    EndRender(dialog, IDOK);
}

void Progress_OnCommand(HWND dialog, int id)
{
    if (id != IDC_PROGRESS_CANCEL) return;  // Escape's IDCANCEL does nothing
    FinishMixdown();
    EndWithFailure(dialog, false);
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return Progress_OnInitDialog(dialog);
    case WM_PAINT: Progress_OnPaint(dialog); return TRUE;
    case WM_MOVE:
    case WM_ACTIVATE:
        // The owner (the main window) is brought up to date first.
        if (HWND owner = GetWindow(dialog, GW_OWNER)) UpdateWindow(owner);
        UpdateWindow(dialog);
        return TRUE;
    case WM_COMMAND: Progress_OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_MIXDOWN_STEP: Progress_OnStep(dialog); return TRUE;
    default: return FALSE;
    }
}

void RunProgressDialog(HINSTANCE instance, HWND owner)
{
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDialogProc, 0);
    g_run.dialog = nullptr;
    // A dialog that could not be created (no memory for its windows) never
    // started the render: the user is told as of any failed mixdown.
    if (result == -1) ShowErrorBox(owner, "Error in Mixdown operation.");
    // However the dialog went (its owner destroyed with it, a quit message
    // that ended its loop), a render it left running is ended as Cancel
    // ends it: the files closed and the temporary file deleted.
    if (!g_mixdown.completed) {
        g_run.rendering = false;
        FinishMixdown();
        DeleteFileA(g_mixdown.tempPath);
    }
}

void CancelMixdown()
{
    if (!g_run.dialog || !g_run.rendering) return;
    Progress_OnCommand(g_run.dialog, IDC_PROGRESS_CANCEL);
}
