#include "dialogs/progress_dialog.h"

#include <commctrl.h>

#include "app/error_box.h"
#include "audio/mixdown.h"
#include "audio/source_format.h"
#include "resources/resource_ids.h"

namespace {

// Ends the dialog without a completed render; the temporary file goes.
void EndWithFailure(HWND dialog, bool tellUser)
{
    if (tellUser) ShowErrorBox("Error in Mixdown operation.");
    g_mixdownCompleted = false;
    DeleteFileA(g_mixdown.tempPath);
    EndDialog(dialog, IDCANCEL);
}

BOOL Progress_OnInitDialog(HWND dialog)
{
    InitCommonControls();
    const int32_t steps = g_mixdown.readSize > 0
                              ? static_cast<int32_t>(g_sourceFormat.dataLength / static_cast<uint32_t>(g_mixdown.readSize))
                              : 0;
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(steps)));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SetFocus(GetDlgItem(dialog, IDC_PROGRESS_CANCEL));
    return FALSE;
}

// The render starts once the dialog has been painted for the first time.
void Progress_OnPaint(HWND dialog)
{
    PAINTSTRUCT ps;
    BeginPaint(dialog, &ps);
    EndPaint(dialog, &ps);
    if (!g_mixdownStartPending) return;
    g_mixdownStartPending = false;
    if (!StartMixdown(dialog)) EndWithFailure(dialog, true);
}

void Progress_OnStep(HWND dialog)
{
    if (g_mixdown.currentBlockBytes != 0) {
        SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
        // The next block's message is always already posted, and posted
        // messages come before WM_PAINT: without painting here the bar and
        // the Cancel button would stay undrawn until the render ends.
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
        if (g_mainWindow) UpdateWindow(g_mainWindow);
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
