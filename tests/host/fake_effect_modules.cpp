#include "tests/host/fake_effect_modules.h"

#include "audio/effect_modules.h"

std::vector<ChangeCall> g_changeCalls;
std::vector<ProcessCall> g_processCalls;
bool g_fakeEffectsAlterSamples = false;
std::vector<SetUpCall> g_setUpCalls;

namespace {
void Process(int id, double* values, int count)
{
    g_processCalls.push_back({id, count});
    if (g_fakeEffectsAlterSamples)
        for (int i = 0; i < count; ++i) values[i] += id * 1000.0;
}

void Record(int id, double freq, double depth, double rate, double mix, double degree, double feed)
{
    static const char* const kNames[] = {"ChangePhaser", "ChangeFlanger", "ChangeChorus", "ChangeChDelay"};
    g_changeCalls.push_back({id, freq, depth, rate, mix, degree, feed});
    g_setUpCalls.push_back({kNames[id - 1], 0.0});
}
}  // namespace

extern "C" {
void InitPhaser(double rate) { g_setUpCalls.push_back({"InitPhaser", rate}); }
void InitFlanger(double rate) { g_setUpCalls.push_back({"InitFlanger", rate}); }
void InitChorus(double rate) { g_setUpCalls.push_back({"InitChorus", rate}); }
void InitChDelay(double rate) { g_setUpCalls.push_back({"InitChDelay", rate}); }
void ChangePhaser(double a, double b, double c, double d, double e, double f) { Record(1, a, b, c, d, e, f); }
void ChangeFlanger(double a, double b, double c, double d, double e, double f) { Record(2, a, b, c, d, e, f); }
void ChangeChorus(double a, double b, double c, double d, double e, double f) { Record(3, a, b, c, d, e, f); }
void ChangeChDelay(double a, double b, double c, double d, double e, double f) { Record(4, a, b, c, d, e, f); }
void Phaser(double* v, int n) { Process(1, v, n); }
void Flanger(double* v, int n) { Process(2, v, n); }
void Chorus(double* v, int n) { Process(3, v, n); }
void ChDelay(double* v, int n) { Process(4, v, n); }
}
