// What the dialogs ask of the shell around them: the main window's panel
// after they change the patch, and the transport. The shell (app/)
// implements these with its display, knobs, on/off LED and buttons.
#pragma once
#include <cstdint>

// One line on the display, e.g. "NO EFFECTS" or "FLANGER".
void ShowDisplayLine(const char* text);

// Moves the six knobs to the effect's values and repaints the on/off LED.
void ShowEffectOnPanel(int16_t effectId);

// Hands the current patch (ids and count) to the player.
void HandPatchToPlayer();

// Playback is running or paused while the STOP button is enabled.
bool IsPlaybackActive();

// Sends the main window its STOP command and lets it finish.
void StopPlaybackFromShell();
