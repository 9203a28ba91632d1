// The settings of the four effects, and the only place where knob positions
// and effect values are converted into each other.
#pragma once
#include <cstddef>
#include <cstdint>

#include "model/effects.h"

// Knob numbers, which are also the knobs' control ids.
enum KnobNumber : int {
    kKnobFreq = 1,
    kKnobDepth = 2,
    kKnobRate = 3,
    kKnobMix = 4,
    kKnobDegree = 5,
    kKnobFeed = 6,
};

struct EffectParameters {
    double freq;          // Phaser: Hz; Flanger, Chorus, C-Delay: delay in ms
    double depth;         // handed to the module (see SetParameterFromKnob)
    double degree;        // stereo phase offset in degrees
    double rate;          // LFO rate
    double feed;          // feedback
    double mix;           // stored wet level 0..0.5, kept while switched off
    double depthPercent;  // Depth knob in percent (Phaser, Flanger, Chorus)
    int32_t on;           // nonzero while the effect is switched on
};

// Indexed by effect id - 1.
extern EffectParameters g_effectParameters[kEffectCount];

// The record of an effect, or null for an id outside 1..4.
EffectParameters* EffectParametersFor(int effectId);

// Puts every effect back to its start-up values (all switched off).
void ResetEffectParameters();

// Stores what the knob at position sets for the effect, then sends the
// effect's six values to its module. Unknown effect ids change nothing.
void SetParameterFromKnob(int effectId, int knob, uint16_t position);

// Calls the effect's Change entry point with freq, depth, rate, mix level,
// degree, feed.
void SendEffectParameters(int effectId);

// The stored mix while the effect is on, else 0.
double EffectMixLevel(int effectId);

// The knob position that shows the effect's current value (0 for unknown
// ids or knobs).
uint16_t KnobPositionFor(int effectId, int knob);

constexpr size_t kKnobValueTextSize = 40;

struct KnobValue {
    const char* label;             // replacement for the knob's label, or null
    char text[kKnobValueTextSize]; // the value as the display shows it
};

// The display's label replacement and value text for the knob at position;
// false (and nothing to show) for unknown effect ids or knobs.
bool KnobValueText(int effectId, int knob, uint16_t position, KnobValue* out);
