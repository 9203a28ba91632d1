// What the dialogs ask of the main window's panel after they change the
// patch: the shell implements these with its display, knobs and on/off LED.
#pragma once
#include <cstdint>

// One line on the display, e.g. "NO EFFECTS" or "FLANGER".
void ShowDisplayLine(const char* text);

// Moves the six knobs to the effect's values and repaints the on/off LED.
void ShowEffectOnPanel(int16_t effectId);

// Hands the current patch (ids and count) to the player.
void HandPatchToPlayer();
