// The Phaser: per channel a chain of first-order all-pass stages whose common
// break frequency an LFO sweeps, with feedback from the chain's end to its
// start, blended with the dry signal.
#pragma once

#include <cstdint>

#include "audio/dsp/dsp_blocks.h"

constexpr int kPhaserStages = 6;
// Coefficients are recomputed every this many samples of the stream (counted
// across blocks) and interpolated linearly between.
constexpr int kPhaserControlPeriod = 32;

// Values gliding over a few milliseconds, in this order.
enum PhaserGlided { kPhRate, kPhMix, kPhDegree, kPhFeed, kPhCount };
// The sweep's centre and top in octaves (log2 Hz). They glide at most an
// octave per 20 ms: moving the break frequency faster shifts the pitch of
// what passes the stages (their phase turns quickly), which would chirp.
enum PhaserSweep { kPhLowOctave, kPhTopOctave, kPhSweepCount };

struct PhaserState {
    ValuesMailbox mailbox;
    uint32_t seen;
    bool ready;      // Init has run
    bool snapNext;   // the first pickup after Init takes values without a glide
    double rate;     // sample rate, Hz
    int glideSamples;
    int untilControl;
    double phase;    // LFO phase of the left channel, cycles
    Glide<kPhCount> glide;
    Glide<kPhSweepCount> sweep;
    // Per stage the left and right all-pass states; then the coefficients
    // now, their per-sample change towards the next control point, and the
    // chain outputs fed back, each as a left/right pair.
    double stage[kPhaserStages][2];
    double coeff[2];
    double coeffStep[2];
    double lastWet[2];
};

void PhaserInit(PhaserState* s, double sampleRate);
void PhaserChange(PhaserState* s, const EffectValues& v);
void PhaserProcess(PhaserState* s, double* samples, int count);

// The all-pass break frequency (Hz) for a centre freq, a depth and an LFO
// value -1 .. 1: a sweep symmetric in octaves whose top is freq + depth,
// kept between 10 Hz and 0.48 x the sample rate.
double PhaserBreakFrequency(double freq, double depth, double lfo, double sampleRate);
// The same from the centre and top in octaves.
double PhaserBreakFrequencyOctaves(double centreOctave, double topOctave, double lfo, double sampleRate);
