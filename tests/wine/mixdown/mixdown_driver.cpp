#include "tests/wine/mixdown/mixdown_driver.h"

#include <windows.h>

#include "audio/mixdown.h"

namespace {

const char kDriverClass[] = "qbx_mixdown_driver";

struct DriverState {
    MixdownRun run;
    int cancelAfterBlocks;
    bool done;
};

DriverState* StateOf(HWND window)
{
    return reinterpret_cast<DriverState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// What the Cancel button does between two blocks, while the next step is
// already queued.
void Driver_Cancel(HWND window, DriverState* state)
{
    MSG queued;
    state->run.stepQueuedAtCancel =
        PeekMessageA(&queued, window, WM_MIXDOWN_STEP, WM_MIXDOWN_STEP, PM_NOREMOVE) != 0;
    state->run.finishResult = FinishMixdown();
    g_mixdown.completed = false;
    state->run.cancelled = true;
    state->done = true;
}

void Driver_OnMixdownStep(HWND window, DriverState* state)
{
    if (state->done) return;
    ++state->run.stepsHandled;
    if (g_mixdown.currentBlockBytes == 0) {
        state->run.finishResult = FinishMixdown();
        state->run.completed = state->run.finishResult;
        g_mixdown.completed = state->run.completed;
        state->done = true;
        return;
    }
    if (!RenderNextBlock(window)) {
        state->run.failed = true;
        state->done = true;
        return;
    }
    ++state->run.blocksRendered;
    if (state->run.blocksRendered == state->cancelAfterBlocks) Driver_Cancel(window, state);
}

LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MIXDOWN_STEP:
        if (DriverState* state = StateOf(window)) Driver_OnMixdownStep(window, state);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterDriverClass()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DriverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kDriverClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

MixdownRun DriveMixdown(const std::string& source, const std::string& temp, int cancelAfterBlocks)
{
    RegisterDriverClass();
    DriverState state = {};
    state.cancelAfterBlocks = cancelAfterBlocks;
    HWND window = CreateWindowA(kDriverClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        state.run.failed = true;
        return state.run;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    PrepareMixdown(source.c_str(), temp.c_str(), kMixdownBlockBytes);
    g_mixdown.startPending = false;
    state.run.started = StartMixdown(window);
    if (!state.run.started) {
        state.run.failed = true;
        state.done = true;
    } else if (cancelAfterBlocks == 0) {
        Driver_Cancel(window, &state);
    }
    MSG msg;
    while (!state.done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    PumpPending();
    return state.run;
}
