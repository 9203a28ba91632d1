// What the panel's controls must show in a given state, drawn in this
// process with plain GDI from the panel's own figures: its background
// picture and artwork, the display's font, colour, inset and text places,
// the knob pointer's angle and the fader cap's place on its track. Nothing
// of the program's drawing or number formatting is called.
#pragma once
#include <windows.h>

#include <string>

#include "tests/wine/panel/pixels.h"
#include "widgets/panel_messages.h"

// The display with four texts in UTF-8, each with its DrawText format (kTopLeft,
// kTopRight, kBottomLeft, kBottomRight; kNoPlace with "" for none).
Pixels ReferenceDisplay(const char* text1, unsigned format1, const char* text2 = "", unsigned format2 = 0,
                        const char* text3 = "", unsigned format3 = 0, const char* text4 = "", unsigned format4 = 0);
// One line in the display's top left, as the panel names an effect.
inline Pixels ReferenceDisplayLine(const char* text) { return ReferenceDisplay(text, kTopLeft); }
// The display while a knob of the effect is turned: its label and value.
inline Pixels ReferenceKnobOnDisplay(const char* effect, const char* label, const std::string& value)
{
    return ReferenceDisplay(effect, kTopLeft, "", kNoPlace, label, kBottomLeft, value.c_str(), kBottomRight);
}

// A value as the display writes it: two decimals, later digits dropped.
std::string TwoDecimals(double value);

enum KnobNumber { kFreqKnob = 1, kDepthKnob, kRateKnob, kMixKnob, kDegreeKnob, kFeedKnob };
// Knob number 1 to 6 (Freq to Feed) with its range and position.
Pixels ReferenceKnob(int number, int minimum, int maximum, int position);

// The fader's position (range 0 to 300) for a press at client y on its
// track, the master volume in decibels at a position, and its picture.
constexpr int kFaderMaximum = 300;
constexpr int kFaderZeroDb = 32;
int FaderPositionAt(int y);
double FaderVolumeDb(int position);
Pixels ReferenceSlider(int position);
