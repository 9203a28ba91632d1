// Times mixdown renders of one source file under Wine: through an empty
// patch, or through all four effects switched on at their default values.
// "steps" times the render's message traffic alone: one WM_MIXDOWN_STEP
// posted and handled per block of the source, each handler posting the
// next, with no file read or written. That is the least a render that
// takes one posted step per block can cost on this system.
//   mixdown_bench SOURCE OUTPUT empty|four|steps [REPEATS]
// Prints the best and the median wall-clock time of the render itself
// (PrepareMixdown to the closed file), without the program's start-up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/mixdown.h"
#include "audio/mixdown_layout.h"
#include "audio/source_check.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/source_format.h"
#include "tests/wine/mixdown/mixdown_driver.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

constexpr char kStepWindowClass[] = "qbx_bench_steps";
constexpr int kBlockBytes = 32768;

struct StepCount {
    int32_t left;
};

LRESULT CALLBACK StepWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_MIXDOWN_STEP) return DefWindowProcA(window, message, wParam, lParam);
    auto* count = reinterpret_cast<StepCount*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (--count->left > 0) PostMessageA(window, WM_MIXDOWN_STEP, 0, 0);
    return 0;
}

// One posted WM_MIXDOWN_STEP per block of the checked source, handled by a
// window's message loop as the Progress dialog's would be.
bool PostSteps()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StepWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kStepWindowClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowA(kStepWindowClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return false;
    const int32_t readSize = MixdownReadSize(kBlockBytes, g_sourceFormat.channels == 1);
    StepCount count = {MixdownBlockCount(g_sourceFormat.dataLength, readSize) + 1};  // and the last, finishing step
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));
    PostMessageA(window, WM_MIXDOWN_STEP, 0, 0);
    MSG msg;
    while (count.left > 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(window);
    return true;
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
    return std::strcmp(mode, "steps") == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || !SetUpPatch(argv[3])) {
        std::fprintf(stderr, "usage: mixdown_bench SOURCE OUTPUT empty|four|steps [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    if (!CheckSourceFile(argv[1])) return 1;

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const bool stepsOnly = std::strcmp(argv[3], "steps") == 0;
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        // The file of the last run goes first, outside the timing: cutting
        // an existing file short while its pages are still being written
        // out would be timed as part of the render.
        DeleteFileA(argv[2]);
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        const bool completed = stepsOnly ? PostSteps() : DriveMixdown(argv[1], argv[2]).completed;
        QueryPerformanceCounter(&to);
        if (!completed) {
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
