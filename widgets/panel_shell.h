// The panel's tie to the shell around it: the one record of the panel's
// controls and flags, and what the controls ask of the shell. The shell
// (app/) implements every function here; a test that runs a control
// without the shell implements them for itself.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr int kKnobCount = 6;

// The byte offset of the window-extra slot in which the knob, slider and
// display keep the pointer to their state record.
constexpr int kRecordSlot = 0;

// The sixteen controls of the main window and the panel's flags. The shell
// creates the controls and fills in their handles; each flag is written
// only by the control that owns it, through that control's functions.
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

    // The display's: the intro has ended (the popup menu may open from
    // then on); the panel waits for the first right click to switch on.
    int32_t introFinished;
    int32_t rightClickWait;
};

// The shell's panel record.
PanelState& ThePanel();

// The intro has ended and the first right click has switched the panel on.
inline bool PanelSwitchedOn() { return ThePanel().introFinished && !ThePanel().rightClickWait; }

// Hands the master volume (left, right, in dB) to the player.
void HandVolumeToPlayer(double left, double right);
