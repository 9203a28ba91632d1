// The master slider's track and its volume curve.
#pragma once
#include <cstdint>

constexpr int kSliderTrackTop = 14;     // client y of the loudest end
constexpr int kSliderTrackLength = 56;  // pixels down to the softest end
constexpr int kSliderTrackRight = 22;   // widest client x still on the track
constexpr uint16_t kSliderZeroDbPosition = 32;

// Whether a client point (read as unsigned 16-bit coordinates, so points left
// of or above the slider are off) lies on the track.
bool SliderPointOnTrack(uint16_t x, uint16_t y);

// The position for a point on the track at client y, for a slider whose
// range ends at maximum; rounded to the nearest integer, halves upward.
uint16_t SliderPositionFromY(uint16_t y, uint16_t maximum);

// The master volume in decibels at position: +3 at the top, about -90 at
// 300, and exactly 0.0 at the 0 dB position 32.
double SliderVolumeDb(uint16_t position);

// Where the cap picture goes: centred across the slider, its centre row on
// the track point of the position.
int SliderCapLeft(int clientLeft, int clientRight, int pictureWidth);
int SliderCapTop(uint16_t position, uint16_t maximum, int pictureHeight);
