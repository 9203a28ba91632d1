// The main window's commands: the five panel buttons and the popup menu.
#include <windows.h>
#include <commdlg.h>

#include "app/main_window.h"
#include "app/settings.h"
#include "audio/mixdown.h"
#include "audio/mixdown_render.h"
#include "audio/source_check.h"
#include "dialogs/effects_patch_dialog.h"
#include "dialogs/error_box.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/progress_dialog.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/source_format.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_shell.h"
#include "widgets/panel_windows.h"

namespace {

constexpr int kMixdownBlockBytes = 32768;
constexpr char kWaveFilter[] = "Wave (*.wav)\0*.wav\0";

void OnPlay()
{
    HandPatchToPlayer();
    // Every effect gets its current values, in the patch or not.
    PrepareEffectModules(g_sourceFormat.sampleRate);
    const PanelState& panel = g_shell.panel;
    Play(panel.playButton, panel.stopButton, panel.pauseButton, panel.greenLed, panel.redLed,
         static_cast<uint32_t>(g_deviceIndex), g_shell.sourcePath, 0, static_cast<uint32_t>(g_sourceFormat.blockSize));
}

// UP (step +1) and DOWN (step -1) move the current patch position round.
void OnStepEffect(int step)
{
    EffectsPatch& p = g_effectsPatch;
    if (p.count == 0) {
        ShowDisplayLine("NO EFFECTS");
        return;
    }
    p.position = step > 0 ? NextPatchPosition(p.position, p.count) : PreviousPatchPosition(p.position, p.count);
    const int16_t id = EffectNameToId(p.names[p.position - 1]);
    ShowDisplayLine(EffectDisplayName(id));
    ShowEffectOnPanel(id);
}

OPENFILENAMEA WaveFileDialog(HWND owner, char* file, char* title, DWORD flags)
{
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // 76 bytes on 32-bit Windows
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kWaveFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = kSourcePathSize;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = kSourcePathSize;
    ofn.Flags = flags;
    ofn.lpstrDefExt = "wav";
    return ofn;
}

void OnOpen(HWND window)
{
    char path[kSourcePathSize] = "";
    char title[kSourcePathSize] = "";
    OPENFILENAMEA ofn =
        WaveFileDialog(window, path, title, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (GetOpenFileNameA(&ofn) != 1) return;
    OpenSourceFile(window, path, title);
}

// Puts the finished render in the place of target. The render is first
// copied beside the target (a move across drives is a copy that a full
// disk can cut short) and only a complete copy then replaces the target in
// one rename on the same drive, so a failure never leaves a half-written
// file under the user's name nor takes the user's old file away.
bool MoveMixdownOntoTarget(const char* target)
{
    // A read-only target is the user's protected file: it is not replaced
    // (Windows refuses that rename; some file systems would allow it).
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    char beside[kSourcePathSize];
    const char kSuffix[] = ".qbxtmp";
    if (lstrlenA(target) + lstrlenA(kSuffix) >= kSourcePathSize) return false;
    lstrcpyA(beside, target);
    lstrcatA(beside, kSuffix);
    DeleteFileA(beside);
    if (!MoveFileExA(g_shell.tempMixdownPath, beside, MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(beside);
        return false;
    }
    if (!MoveFileExA(beside, target, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(beside);
        return false;
    }
    return true;
}

void OnMixdown(HWND window)
{
    char target[kSourcePathSize];
    lstrcpynA(target, g_shell.sourceTitle, kSourcePathSize);
    char title[kSourcePathSize] = "";
    OPENFILENAMEA ofn = WaveFileDialog(window, target, title,
                                       OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    if (GetSaveFileNameA(&ofn) != 1) return;
    UpdateWindow(window);
    PrepareMixdown(g_shell.sourcePath, g_shell.tempMixdownPath, kMixdownBlockBytes);
    if (IsPlaybackActive()) SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_STOP, 0), 0);
    RunProgressDialog(g_shell.instance, window);
    if (!g_mixdown.completed) return;
    if (!MoveMixdownOntoTarget(target)) {
        ShowErrorBox(g_shell.mainWindow, "Write Error. Mixdown file will be deleted.");
        DeleteFileA(g_shell.tempMixdownPath);
    }
}

// Shows the manual. HELP_FORCEFILE opens it at its default topic unless the
// viewer already shows it; Wine's viewer ignores that command (it opens an
// empty window), so HELP_CONTENTS follows and brings up the contents topic,
// the manual's default topic, in every viewer.
void OnHelp(HWND window)
{
    WinHelpA(window, g_shell.helpPath, HELP_FORCEFILE, 0);
    WinHelpA(window, g_shell.helpPath, HELP_CONTENTS, 0);
}

}  // namespace

void MainWindow_OnCommand(HWND window, WPARAM wParam)
{
    HINSTANCE instance = g_shell.instance;
    switch (LOWORD(wParam)) {
    case IDC_PLAY: OnPlay(); break;
    case IDC_PAUSE: Pause(); break;
    case IDC_STOP: Stop(); break;
    case IDC_UP: OnStepEffect(+1); break;
    case IDC_DOWN: OnStepEffect(-1); break;
    case IDM_OPEN: OnOpen(window); break;
    case IDM_EFFECTS_PATCH: RunEffectsPatchDialog(instance, window); break;
    case IDM_MIXDOWN: OnMixdown(window); break;
    case IDM_ABOUT: DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0); break;
    case IDM_PREFERENCES: RunPreferencesDialog(instance, window); break;
    case IDM_HELP: OnHelp(window); break;
    case IDM_EXIT: DestroyWindow(window); break;
    default: break;
    }
}

void MainWindow_OnDestroy(HWND window)
{
    WinHelpA(window, g_shell.helpPath, HELP_QUIT, 0);
    DeletePanelBitmaps();
    DestroyMenu(g_shell.menuResource);
    WriteSettings(window);
    DeleteFileA(g_shell.tempMixdownPath);
    PostQuitMessage(0);
}
