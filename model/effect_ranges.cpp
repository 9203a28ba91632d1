#include "model/effect_ranges.h"

// Depth knob ends for Phaser, Flanger and Chorus are shares of freq (10 to
// 100, 96 and 40 %): the lowest depth is 10 % of the lowest freq, the
// highest that share of the highest freq.
const EffectRange kPhaserRange = {
    {700.0, 382.2, 0.3, 0.5, 90.0, 0.375},
    {100.0, 10.0, 0.0, 0.0, 0.0, 0.0},
    {4000.002, 4000.002, 2.0, 0.5, 180.0, 0.750001},
    true};
const EffectRange kFlangerRange = {
    {2.975, 0.86275, 0.4, 0.5, 45.0, 0.4},
    {0.5, 0.05, 0.0, 0.0, 0.0, 0.0},
    {8.0, 7.68, 2.0, 0.5, 180.0, 0.8},
    true};
const EffectRange kChorusRange = {
    {26.26, 4.35916, 0.26, 0.5, 180.0, 0.07},
    {8.0, 0.8, 0.0, 0.0, 0.4890275, 0.0},
    {30.0, 12.0, 2.0, 0.5, 179.986, 0.7},
    true};
const EffectRange kChDelayRange = {
    {350.0, 3.5, 0.3, 0.5, 180.0, 0.45},
    {50.0, 0.2, 0.0, 0.0, 0.4890275, 0.0},
    {1000.00003, 3.5, 2.0, 0.5, 179.986, 0.90001},
    false};
