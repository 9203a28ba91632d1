#include "app/main_window.h"

#include <shellapi.h>

#include <initializer_list>

#include "app/commands.h"
#include "app/help.h"
#include "app/settings.h"
#include "common/scoped_gdi.h"
#include "dialogs/error_box.h"
#include "dialogs/progress_dialog.h"
#include "model/effects_patch.h"
#include "model/settings.h"
#include "player/player.h"
#include "resources/panel_bitmap_ids.h"
#include "resources/resource_ids.h"
#include "widgets/dib_resources.h"
#include "widgets/display_panel.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

namespace {

HWND CreateChild(HWND parent, const char* className, const char* text, int id, int x, int y, int width,
                 int height, DWORD style)
{
    return CreateWindowExA(0, className, text, WS_CHILD | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), PanelInstanceOf(parent), nullptr);
}

// The popup menu's items that wait for the end of the intro; Mixdown waits
// longer, until a file is open.
const UINT kIntroGreyedItems[] = {IDM_OPEN, IDM_EFFECTS_PATCH, IDM_PREFERENCES, IDM_MIXDOWN, IDM_HELP, IDM_ABOUT};
const UINT kIntroEnabledItems[] = {IDM_OPEN, IDM_EFFECTS_PATCH, IDM_PREFERENCES, IDM_HELP, IDM_ABOUT};

template <size_t count>
void SetMenuItems(HMENU menu, const UINT (&items)[count], UINT state)
{
    for (UINT item : items) EnableMenuItem(menu, item, MF_BYCOMMAND | state);
}

struct KnobPlace {
    const char* text;
    int x, y;
};
// By knob number, from IDC_KNOB_FREQ on: Freq, Depth, Rate, Mix, Degree, Feed.
const KnobPlace kKnobPlaces[kKnobCount] = {
    {"Freq", 8, 5}, {"Depth", 48, 5}, {"Rate", 8, 50}, {"Mix", 88, 50}, {"Degree", 88, 5}, {"Feed", 48, 50},
};

HWND CreateButton(HWND parent, const char* text, int id, int x, int y, int width, int height)
{
    return CreateChild(parent, "BUTTON", text, id, x, y, width, height, WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW);
}

// The LEDs come first in the panel's dependency order: without them the
// controls after them are left out.
bool CreateLeds(HWND window, PanelState* panel)
{
    panel->greenLed = CreateChild(window, "LED", "", IDC_GREEN_LED, 149, 65, 7, 3, 0);
    if (!panel->greenLed) return false;
    ShowWindow(panel->greenLed, SW_SHOWNORMAL);
    panel->redLed = CreateChild(window, "LED", "", IDC_RED_LED, 181, 65, 7, 3, 0);
    if (!panel->redLed) return false;
    ShowWindow(panel->redLed, SW_SHOWNORMAL);
    panel->onOffLed = CreateChild(window, "ONOFFLED", "ON/OFF", IDC_ONOFF_LED, 272, 43, 18, 18,
                                  WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW);
    return panel->onOffLed != nullptr;
}

// A knob's id is IDC_KNOB_FREQ + (its number - 1).
static_assert(IDC_KNOB_DEPTH == IDC_KNOB_FREQ + 1 && IDC_KNOB_RATE == IDC_KNOB_FREQ + 2 &&
                  IDC_KNOB_MIX == IDC_KNOB_FREQ + 3 && IDC_KNOB_DEGREE == IDC_KNOB_FREQ + 4 &&
                  IDC_KNOB_FEED == IDC_KNOB_FREQ + kKnobCount - 1,
              "the knob ids run from Freq to Feed in knob order");

void CreatePanelControls(HWND window, PanelState* panel)
{
    for (int k = 0; k < kKnobCount; ++k) {
        const KnobPlace& p = kKnobPlaces[k];
        panel->knobs[k] =
            CreateChild(window, "rotary_control", p.text, IDC_KNOB_FREQ + k, p.x, p.y, 30, 30, WS_DISABLED);
    }
    panel->volumeSlider = CreateChild(window, "SLIDER", "Volume", IDC_VOLUME_SLIDER, 328, 4, 22, 84, WS_DISABLED);
    panel->display = CreateChild(window, "DISPLAY", "Display", IDC_DISPLAY, 135, 18, 98, 38, WS_DISABLED);
    if (!CreateLeds(window, panel)) return;
    panel->playButton = CreateButton(window, "PLAY", IDC_PLAY, 136, 71, 33, 10);
    panel->pauseButton = CreateButton(window, "PAUSE", IDC_PAUSE, 168, 71, 33, 10);
    panel->stopButton = CreateButton(window, "STOP", IDC_STOP, 200, 71, 33, 10);
    panel->downButton = CreateButton(window, "DOWN", IDC_DOWN, 261, 14, 20, 14);
    panel->upButton = CreateButton(window, "UP", IDC_UP, 280, 14, 20, 14);
}

// The record comes with the creation; it is the window's from here on.
void MainWindow_OnNcCreate(HWND window, const CREATESTRUCTA* create)
{
    auto* shell = static_cast<Shell*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(shell));
    if (shell) shell->mainWindow = window;
}

LRESULT MainWindow_OnCreate(HWND window)
{
    Shell& shell = ShellOf(window);
    CreatePanelControls(window, &shell.panel);
    LoadPanelBitmaps(shell.instance);
    if (shell.panel.onOffLed) ShowWindow(shell.panel.onOffLed, SW_SHOWNORMAL);
    EffectsPatch& p = g_effectsPatch;
    for (int i = 0; i < kPatchSlots; ++i) p.ids[i] = i < p.count ? EffectNameToId(p.names[i]) : 0;
    return 0;
}

void MainWindow_OnPaint(HWND window)
{
    ScopedPaint paint(window);
    PaintDibResource(window, IDB_PANEL_BACKGROUND);
}

// The display's intro greys the menu while it runs; its end lets the menu
// open and the prompt ask for the first right click.
void MainWindow_OnIntroStarted(HWND window)
{
    SetMenuItems(ShellOf(window).popupMenu, kIntroGreyedItems, MF_GRAYED);
}

void MainWindow_OnIntroEnded(HWND window)
{
    Shell& shell = ShellOf(window);
    shell.panel.introFinished = 1;
    shell.panel.rightClickWait = 1;
    SetMenuItems(shell.popupMenu, kIntroEnabledItems, MF_ENABLED);
}

// The first right click after the intro ends the prompt and enables the panel.
void MainWindow_OnRButtonDown(HWND window)
{
    PanelState& panel = ShellOf(window).panel;
    if (!panel.rightClickWait) return;
    panel.rightClickWait = 0;
    SendMessageA(panel.display, kMsgEndPrompt, 0, 0);
    for (HWND knob : panel.knobs) EnableWindow(knob, TRUE);
    for (HWND control : {panel.volumeSlider, panel.upButton, panel.downButton, panel.display, panel.onOffLed}) {
        EnableWindow(control, TRUE);
    }
    // From now on a WAV file dropped on the panel opens as Open opens it.
    DragAcceptFiles(window, TRUE);
}

// A knob's number (1 to kKnobCount) from its control id; 0 for another control.
int KnobNumberOf(int id)
{
    const int number = id - IDC_KNOB_FREQ + 1;
    return number >= 1 && number <= kKnobCount ? number : 0;
}

// A step of a drag: the knob's effect parameter or the master volume follows.
void MainWindow_OnControlChanging(int id, uint16_t position)
{
    if (const int knob = KnobNumberOf(id)) {
        TurnKnob(knob, position);
    } else if (id == IDC_VOLUME_SLIDER) {
        MoveMasterFader(position);
    }
}

// The pointer on a control: the display shows what it stands for.
void MainWindow_OnPointerOn(HWND window, int id, uint16_t position)
{
    const PanelState& panel = ShellOf(window).panel;
    if (const int knob = KnobNumberOf(id)) {
        ShowKnobValue(panel, knob, position);
    } else if (id == IDC_VOLUME_SLIDER) {
        ShowMasterVolume(panel);
    } else if (id == IDC_ONOFF_LED) {
        ShowOnOffState(panel);
    }
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// A file dropped on the panel opens as the file Open's dialog chooses; of
// several only the first. The panel takes drops once it is switched on,
// and none while a dialog disables it; a path too long for the source path
// is left alone, as Open's dialog refuses it.
void MainWindow_OnDropFiles(HWND window, HDROP drop)
{
    char path[kSourcePathSize] = "";
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    const bool opens = PanelSwitchedOn(ShellOf(window).panel) && IsWindowEnabled(window) && length > 0 &&
                       length < kSourcePathSize && DragQueryFileA(drop, 0, path, kSourcePathSize) == length;
    DragFinish(drop);
    if (opens) OpenSourceFile(window, path, FileNamePart(path, IsAnsiLeadByte));
}

// The system cancels the active window's modes when another program takes
// over or a dialog comes up over it: a knob or the slider that is being
// dragged gives its capture back, which ends the drag.
void MainWindow_OnCancelMode(HWND window)
{
    HWND capture = GetCapture();
    if (capture && IsChild(window, capture)) ReleaseCapture();
}

// Whichever way the window is closed, what runs is ended first: a mixdown
// as its Cancel ends it, so that no partial temporary file stays behind,
// and playback, because the player draws on the buttons and LEDs until it
// ends.
void EndWorkBeforeClosing(HWND window)
{
    CancelMixdown();
    if (IsPlaybackActive(ShellOf(window).panel)) Stop();
}

void MainWindow_OnCommand(HWND window, int id)
{
    if (!PanelCouldGive(window, id)) return;
    switch (id) {
    case IDC_PLAY: OnPlay(window); break;
    case IDC_PAUSE: Pause(); break;
    case IDC_STOP: Stop(); break;
    case IDC_UP: OnStepEffect(window, +1); break;
    case IDC_DOWN: OnStepEffect(window, -1); break;
    case IDC_ONOFF_LED: SwitchCurrentEffect(ShellOf(window).panel); break;
    case IDM_OPEN: OnOpen(window); break;
    case IDM_EFFECTS_PATCH: OnEffectsPatch(window); break;
    case IDM_MIXDOWN: OnMixdown(window); break;
    case IDM_ABOUT:
        DialogBoxParamA(ShellOf(window).instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
        break;
    case IDM_PREFERENCES: OnPreferences(window); break;
    case IDM_HELP: ShowManual(window, ShellOf(window).helpPath); break;
    case IDM_EXIT: DestroyWindow(window); break;
    default: break;
    }
}

// The program ends with its main window: what runs is ended first, then
// the help viewer, the bitmaps and the menu go, the settings are written
// and the temporary file deleted.
void MainWindow_OnDestroy(HWND window)
{
    Shell& shell = ShellOf(window);
    EndWorkBeforeClosing(window);
    CloseManual(window, shell.helpPath);
    DeletePanelBitmaps();
    DestroyMenu(shell.menuResource);
    WriteSettings(shell.instance, window, &g_settings);
    DeleteFileA(shell.tempMixdownPath);
    PostQuitMessage(0);
}

// The session ends once this returns: the program closes as on Exit.
void MainWindow_OnEndSession(HWND window, bool ending)
{
    if (!ending) return;
    EndWorkBeforeClosing(window);
    DestroyWindow(window);
}

// Shows the popup menu for a WM_CONTEXTMENU at the screen point packed in
// lParam; false when the point lies outside the client area.
bool MainWindow_OnContextMenu(HWND window, LPARAM lParam)
{
    // Unsigned, so the keyboard's (-1, -1) lies outside the client area.
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    ScreenToClient(window, &point);
    RECT client;
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) return false;
    ClientToScreen(window, &point);
    const Shell& shell = ShellOf(window);
    if (PanelSwitchedOn(shell.panel)) {
        TrackPopupMenu(shell.popupMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    }
    return true;
}

}  // namespace

Shell& ShellOf(HWND mainWindow)
{
    return *reinterpret_cast<Shell*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        MainWindow_OnNcCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CREATE: return MainWindow_OnCreate(window);
    case WM_PAINT: MainWindow_OnPaint(window); return 0;
    case WM_DRAWITEM: DrawOwnerButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_ENABLE: UpdateWindow(ShellOf(window).panel.playButton); return 0;
    case WM_RBUTTONDOWN: MainWindow_OnRButtonDown(window); return 0;
    case WM_CONTEXTMENU:
        if (MainWindow_OnContextMenu(window, lParam)) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SIZE:
    case WM_SHOWWINDOW:
    case WM_MOUSEMOVE: return 0;
    case WM_COMMAND: MainWindow_OnCommand(window, LOWORD(wParam)); return 0;
    case kNotifyChanging: MainWindow_OnControlChanging(LOWORD(wParam), HIWORD(lParam)); return 0;
    case kNotifyPointerOn: MainWindow_OnPointerOn(window, LOWORD(wParam), HIWORD(lParam)); return 0;
    case kNotifyIntroStarted: MainWindow_OnIntroStarted(window); return 0;
    case kNotifyIntroEnded: MainWindow_OnIntroEnded(window); return 0;
    case WM_DROPFILES: MainWindow_OnDropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CANCELMODE:
        MainWindow_OnCancelMode(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_CLOSE: EndWorkBeforeClosing(window); return DefWindowProcA(window, message, wParam, lParam);
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: MainWindow_OnEndSession(window, wParam != FALSE); return 0;
    case WM_DESTROY: MainWindow_OnDestroy(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
