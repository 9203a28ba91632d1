// What the panel's controls draw in a given state, rendered in this process
// by the same window classes on an off-screen copy of the panel and read
// back with WM_PRINTCLIENT: the pictures the program's screen must show.
#pragma once
#include <windows.h>

#include "tests/wine/panel/pixels.h"
#include "widgets/panel_messages.h"

// The display with four texts, each with its DrawTextA format (kTopLeft,
// kTopRight, kBottomLeft, kBottomRight; kNoPlace with "" for none).
Pixels ReferenceDisplay(const char* text1, unsigned format1, const char* text2 = "", unsigned format2 = 0,
                        const char* text3 = "", unsigned format3 = 0, const char* text4 = "", unsigned format4 = 0);
// One line in the display's top left, as the panel names an effect.
inline Pixels ReferenceDisplayLine(const char* text) { return ReferenceDisplay(text, kTopLeft); }

// The display while knob (1 to 6; label its window text) of the effect,
// with every parameter at its start value, has been turned to position.
Pixels ReferenceKnobOnDisplay(int effectId, int knob, const char* label, int position);

// Knob number 1 to 6 (Freq to Feed) with its range and position.
Pixels ReferenceKnob(int number, int minimum, int maximum, int position);

// The volume fader (range 0 to 300) at position.
Pixels ReferenceSlider(int position);
