// The main window: window class "zantil_quellbox", the panel of sixteen
// controls on the background bitmap.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/file_paths.h"
#include "widgets/rotary_control.h"

constexpr char kMainWindowClass[] = "zantil_quellbox";
// Bytes for a path the system can name (MAX_PATH UTF-16 units), in the
// process code page: up to three bytes a unit in UTF-8.
constexpr int kSourcePathSize = 3 * MAX_PATH;

// The sixteen controls of the main window and where the panel stands in
// its start: the intro has ended (the popup menu may open from then on);
// the panel waits for the first right click to switch on.
struct PanelState {
    HWND knobs[kKnobCount];  // by knob number - 1: Freq, Depth, Rate, Mix, Degree, Feed
    HWND volumeSlider;
    HWND display;
    HWND greenLed;  // lit while playing
    HWND redLed;    // lit while paused
    HWND onOffLed;
    HWND playButton;
    HWND pauseButton;
    HWND stopButton;  // enabled while playback runs or is paused
    HWND downButton;
    HWND upButton;
    int32_t introFinished;
    int32_t rightClickWait;
};

// The intro has ended and the first right click has switched the panel on.
inline bool PanelSwitchedOn(const PanelState& panel) { return panel.introFinished && !panel.rightClickWait; }

// The main window's record: the module, the window, its menus, its fixed
// paths, the open source file and the panel. The program's start fills it
// in and hands it to the window at its creation; everything after reaches
// it from the window (ShellOf).
struct Shell {
    HINSTANCE instance;  // the program's module: its strings, menus and dialogs
    HWND mainWindow;     // once it exists; message boxes are owned by it
    HMENU menuResource;  // menu resource IDM_POPUP
    HMENU popupMenu;     // its first submenu, the popup menu

    // Fixed at start-up: the temporary mixdown file and the help file.
    char tempMixdownPath[kShellPathSize];
    char helpPath[kShellPathSize];

    // The open source file (empty until the first Open) and its file name part.
    char sourcePath[kSourcePathSize];
    char sourceTitle[kSourcePathSize];

    PanelState panel;
};

// The record of the main window, handed to it in CreateWindowEx's last
// parameter; the window keeps it in GWLP_USERDATA from WM_NCCREATE on.
Shell& ShellOf(HWND mainWindow);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes the WAV file at path the source, as Open does with the file its
// dialog chose (title: the file name part of path): the source check with
// its own message on refusal, which leaves the previous source in place;
// otherwise playback stopped (PLAY enabled), Mixdown enabled, and the
// window titled "TITLE - Quellbox". Open and a dropped file both go here.
void OpenSourceFile(HWND window, const char* path, const char* title);

// What the commands and the controls' notifications do to the panel and
// the player (app/panel_shell.cpp).
// Moves the six knobs to the effect's values and repaints the on/off LED.
void ShowEffectOnPanel(const PanelState& panel, int16_t effectId);

// What a control under the pointer stands for, on the display: a knob's
// parameter and value, the master volume, the current effect's on/off
// state; "NO EFFECTS" for a knob or the LED while the patch is empty.
void ShowKnobValue(const PanelState& panel, int knob, uint16_t position);
void ShowMasterVolume(const PanelState& panel);
void ShowOnOffState(const PanelState& panel);

// A knob turned to position: the current effect's parameter follows. The
// fader moved to position: the master volume follows, in the player too.
void TurnKnob(int knob, uint16_t position);
void MoveMasterFader(uint16_t position);

// The on/off LED clicked: the current effect goes in or out of the sound.
void SwitchCurrentEffect(const PanelState& panel);

// Hands the current patch (ids and count) to the player.
void HandPatchToPlayer();

// Playback is running or paused while the STOP button is enabled.
bool IsPlaybackActive(const PanelState& panel);

// The About picture (dialog IDD_ABOUT).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
