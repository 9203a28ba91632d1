// The main window's commands: the five panel buttons and the popup menu.
#include "app/commands.h"

#include <windows.h>
#include <commdlg.h>

#include "app/main_window.h"
#include "audio/mixdown.h"
#include "audio/mixdown_render.h"
#include "audio/source_check.h"
#include "dialogs/effects_patch_dialog.h"
#include "dialogs/error_box.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/progress_dialog.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/settings.h"
#include "model/source_format.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/display_panel.h"
#include "widgets/panel_windows.h"

namespace {

constexpr char kWaveFilter[] = "Wave (*.wav)\0*.wav\0";

}  // namespace

// PLAY's button is disabled while a playback runs and the main window while
// a render runs, so the effect modules are never prepared afresh under a
// block that is being processed (PanelCouldGive).
void OnPlay(HWND window)
{
    HandPatchToPlayer();
    // Every effect gets its current values, in the patch or not.
    PrepareEffectModules(g_sourceFormat.sampleRate);
    const Shell& shell = ShellOf(window);
    const PanelState& panel = shell.panel;
    Play(panel.playButton, panel.stopButton, panel.pauseButton, panel.greenLed, panel.redLed,
         static_cast<uint32_t>(g_settings.deviceIndex), shell.sourcePath, 0,
         static_cast<uint32_t>(g_sourceFormat.blockSize));
}

// UP (step +1) and DOWN (step -1) move the current patch position round.
void OnStepEffect(HWND window, int step)
{
    const PanelState& panel = ShellOf(window).panel;
    EffectsPatch& p = g_effectsPatch;
    if (p.count == 0) {
        DrawDisplayLine(panel.display, "NO EFFECTS");
        return;
    }
    p.position = step > 0 ? NextPatchPosition(p.position, p.count) : PreviousPatchPosition(p.position, p.count);
    const int16_t id = EffectNameToId(p.names[p.position - 1]);
    DrawDisplayLine(panel.display, EffectDisplayName(id));
    ShowEffectOnPanel(panel, id);
}

namespace {

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

}  // namespace

void OnOpen(HWND window)
{
    char path[kSourcePathSize] = "";
    char title[kSourcePathSize] = "";
    OPENFILENAMEA ofn =
        WaveFileDialog(window, path, title, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (GetOpenFileNameA(&ofn) != 1) return;
    OpenSourceFile(window, path, title);
}

namespace {

// Puts the finished render in the place of target. The render is first
// copied beside the target (a move across drives is a copy that a full
// disk can cut short) and only a complete copy then replaces the target in
// one rename on the same drive, so a failure never leaves a half-written
// file under the user's name nor takes the user's old file away.
bool MoveMixdownOntoTarget(const char* rendered, const char* target)
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
    if (!MoveFileExA(rendered, beside, MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(beside);
        return false;
    }
    if (!MoveFileExA(beside, target, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(beside);
        return false;
    }
    return true;
}

// Whether two paths name one file, however they are spelled (case, short
// names, "..", another route to the folder): the same volume and file id.
bool NameTheSameFile(const char* first, const char* second)
{
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const char* paths[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        HANDLE file = CreateFileA(paths[i], 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const BOOL known = GetFileInformationByHandle(file, &info[i]);
        CloseHandle(file);
        if (!known) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

}  // namespace

void OnMixdown(HWND window)
{
    Shell& shell = ShellOf(window);
    char target[kSourcePathSize];
    lstrcpynA(target, shell.sourceTitle, kSourcePathSize);
    char title[kSourcePathSize] = "";
    OPENFILENAMEA ofn = WaveFileDialog(window, target, title,
                                       OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    if (GetSaveFileNameA(&ofn) != 1) return;
    UpdateWindow(window);
    PrepareMixdown(shell.sourcePath, shell.tempMixdownPath, kMixdownBlockBytes);
    if (IsPlaybackActive(shell.panel)) Stop();
    // Asked before the render: once the mixdown has replaced the file, the
    // source's old identity is gone.
    const bool replacesSource = NameTheSameFile(target, shell.sourcePath);
    RunProgressDialog(shell.instance, window);
    if (!g_mixdown.completed) return;
    if (!MoveMixdownOntoTarget(shell.tempMixdownPath, target)) {
        ShowErrorBox(window, "Write Error. Mixdown file will be deleted.");
        DeleteFileA(shell.tempMixdownPath);
        return;
    }
    // The open source is now the mixdown (stereo, another length): it is
    // taken as Open takes a file, so Play and the next Mixdown read what is
    // on the disk, not the old file's format.
    if (replacesSource) OpenSourceFile(window, target, title);
}

// The new patch goes to the player at once. The panel names the current
// effect anew, and turns the knobs to it, only where it is another effect
// than the one shown before (the one shown stays current if it stayed in
// the patch).
void OnEffectsPatch(HWND window)
{
    const Shell& shell = ShellOf(window);
    const EffectsPatch& p = g_effectsPatch;
    const int16_t shown = p.count == 0 ? 0 : CurrentEffectId();
    if (!RunEffectsPatchDialog(shell.instance, window)) return;
    HandPatchToPlayer();
    if (p.count == 0) {
        DrawDisplayLine(shell.panel.display, "NO EFFECTS");
        return;
    }
    const int16_t current = CurrentEffectId();
    if (current == shown) return;
    DrawDisplayLine(shell.panel.display, EffectDisplayName(current));
    ShowEffectOnPanel(shell.panel, current);
}

// Preferences edits a copy; a change of latency or device stops a running
// playback, which was started with the settings in force, before it counts.
void OnPreferences(HWND window)
{
    const Shell& shell = ShellOf(window);
    Settings edited = g_settings;
    if (!RunPreferencesDialog(shell.instance, window, &edited)) return;
    if (ChangesPlayback(edited) && IsPlaybackActive(shell.panel)) Stop();
    CommitPreferences(edited);
}

// Another program's WM_COMMAND while a dialog, a message box or a render
// holds the main window disabled, or for a button that is greyed (PLAY
// while playing), is dropped: it could re-enter a render or prepare the
// effect modules afresh under the block being processed.
bool PanelCouldGive(HWND window, int id)
{
    if (!IsWindowEnabled(window)) return false;
    switch (id) {
    case IDC_PLAY:
    case IDC_PAUSE:
    case IDC_STOP:
    case IDC_UP:
    case IDC_DOWN:
    case IDC_ONOFF_LED: return IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
    default: break;
    }
    const Shell& shell = ShellOf(window);
    const UINT state = GetMenuState(shell.popupMenu, static_cast<UINT>(id), MF_BYCOMMAND);
    return PanelSwitchedOn(shell.panel) && state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}
