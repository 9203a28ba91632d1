// A recording stand-in for the effect modules' Change entry points, linked
// into the host tests in place of the DLLs.
#pragma once
#include <string>
#include <vector>

struct ChangeCall {
    int effectId;  // 1 Phaser, 2 Flanger, 3 Chorus, 4 C-Delay
    double freq, depth, rate, mix, degree, feed;
};

extern std::vector<ChangeCall> g_changeCalls;

struct ProcessCall {
    int effectId;
    int count;
};

// Every processing call in order. Each fake effect also adds its id x 1000
// to every value it is given, so a test can see that it ran on the buffer.
extern std::vector<ProcessCall> g_processCalls;
extern bool g_fakeEffectsAlterSamples;

// The name of every Init and Change entry point called, in calling order
// ("InitPhaser", "ChangeChDelay"...), with the rate of each Init call.
struct SetUpCall {
    std::string entryPoint;
    double rate;  // Init calls only
};
extern std::vector<SetUpCall> g_setUpCalls;
