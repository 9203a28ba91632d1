// Times mixdown renders of one source file under Wine: through an empty
// patch, or through all four effects switched on at their default values.
//   mixdown_bench SOURCE OUTPUT empty|four [REPEATS]
// Prints the best and the median wall-clock time of the render itself
// (PrepareMixdown to the closed file), without the program's start-up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/source_check.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "tests/wine/mixdown/mixdown_driver.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool SetUpPatch(const char* mode)
{
    ResetEffectsPatch();
    ResetEffectParameters();
    if (std::strcmp(mode, "empty") == 0) {
        g_effectsPatch.count = 0;
        return true;
    }
    if (std::strcmp(mode, "four") == 0) {
        for (auto& fx : g_effectParameters) fx.on = 1;
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || !SetUpPatch(argv[3])) {
        std::fprintf(stderr, "usage: mixdown_bench SOURCE OUTPUT empty|four [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    if (!CheckSourceFile(argv[1])) return 1;

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        // The file of the last run goes first, outside the timing: cutting
        // an existing file short while its pages are still being written
        // out would be timed as part of the render.
        DeleteFileA(argv[2]);
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        const MixdownRun run = DriveMixdown(argv[1], argv[2]);
        QueryPerformanceCounter(&to);
        if (!run.completed) {
            std::fprintf(stderr, "mixdown_bench: the render failed\n");
            return 1;
        }
        times.push_back(Seconds(from, to, frequency));
    }
    std::sort(times.begin(), times.end());
    std::printf("render %s: best %.3f s, median %.3f s over %d runs\n", argv[3], times.front(),
                times[times.size() / 2], repeats);
    return 0;
}
