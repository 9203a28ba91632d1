#include "dialogs/progress_dialog.h"

#include <commctrl.h>

#include "audio/mixdown.h"
#include "common/scoped_gdi.h"
#include "dialogs/error_box.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"

namespace {

// How often the bar is brought up to date and the dialog painted while the
// render runs: smooth to the eye, and rare enough that painting costs the
// render next to nothing, where a repaint per block costs a large share.
constexpr DWORD kRepaintIntervalMs = 50;

struct ProgressPacing {
    uint32_t stepsTaken;  // blocks begun since the render started
    DWORD lastRepaint;    // tick count of the last repaint
};

ProgressPacing g_pacing = {};

// Moves the bar to the share of the render done and paints what is due.
// The next step is always queued, and posted messages come before
// WM_PAINT, so without this the bar would stand still and anything a move
// or a pressed button left to draw would stay undrawn until the end.
void ShowProgress(HWND dialog)
{
    const uint16_t at = MixdownProgressPosition(g_pacing.stepsTaken, g_sourceFormat.dataLength, g_mixdown.readSize);
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, at, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_pacing.lastRepaint = GetTickCount();
}

// Ends the dialog without a completed render; the temporary file goes.
void EndWithFailure(HWND dialog, bool tellUser)
{
    if (tellUser) ShowErrorBox(GetWindow(dialog, GW_OWNER), "Error in Mixdown operation.");
    g_mixdownCompleted = false;
    DeleteFileA(g_mixdown.tempPath);
    EndDialog(dialog, IDCANCEL);
}

BOOL Progress_OnInitDialog(HWND dialog)
{
    InitCommonControls();
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, MixdownProgressRange(g_sourceFormat.dataLength, g_mixdown.readSize)));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    g_pacing.stepsTaken = 0;
    g_pacing.lastRepaint = GetTickCount();
    SetFocus(GetDlgItem(dialog, IDC_PROGRESS_CANCEL));
    return FALSE;
}

// The render starts once the dialog has been painted for the first time.
void Progress_OnPaint(HWND dialog)
{
    {
        ScopedPaint paint(dialog);  // validates the dialog; its controls paint themselves
    }
    if (!g_mixdownStartPending) return;
    g_mixdownStartPending = false;
    if (!StartMixdown(dialog)) EndWithFailure(dialog, true);
}

void Progress_OnStep(HWND dialog)
{
    if (g_mixdown.currentBlockBytes != 0) {
        ++g_pacing.stepsTaken;
        if (GetTickCount() - g_pacing.lastRepaint >= kRepaintIntervalMs) ShowProgress(dialog);
        if (!RenderNextBlock(dialog)) EndWithFailure(dialog, true);
        return;
    }
    // A file that could not be completed is no mixdown either.
    if (!FinishMixdown()) {
        EndWithFailure(dialog, true);
        return;
    }
    g_mixdownCompleted = true;
    EndDialog(dialog, IDOK);
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
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDialogProc, 0);
}
