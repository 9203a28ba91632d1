// The Progress dialog run modally, as the Mixdown command runs it, over a
// real render of a real file: its steps, its bar, Cancel and failures.
#include "dialogs/progress_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "audio/mixdown.h"
#include "audio/source_check.h"
#include "dialogs/error_box.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"
#include "tests/support/message_box_catcher.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_builder.h"

namespace {

struct BarPaint { int steps; DWORD tick; };  // a paint of the bar: the steps taken by then, and when

// What the hook saw of the dialog while it ran.
struct Observed {
    int rangeHigh = -1;
    std::vector<int> positions;  // bar position after each step message
    int steps = 0;
    int cancelAfterStep = 0;     // post a Cancel click after this many steps
    DWORD stepPauseMs = 0;       // time each step takes before it is handled
    std::vector<BarPaint> barPaints;  // WM_PAINT messages the bar received
    int stepIts = 0;             // PBM_STEPIT messages the bar received
};
Observed g_seen;

// Sent messages: the range once the dialog has initialised.
LRESULT CALLBACK WatchSent(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_PAINT && GetDlgCtrlID(msg->hwnd) == IDC_PROGRESS_BAR)
        g_seen.barPaints.push_back({g_seen.steps, GetTickCount()});
    if (code == HC_ACTION && msg->message == PBM_STEPIT && GetDlgCtrlID(msg->hwnd) == IDC_PROGRESS_BAR) ++g_seen.stepIts;
    if (code == HC_ACTION && msg->message == WM_INITDIALOG && GetDlgItem(msg->hwnd, IDC_PROGRESS_BAR))
        g_seen.rangeHigh =
            static_cast<int>(SendDlgItemMessageA(msg->hwnd, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Posted messages, as the dialog's loop takes each step off the queue.
LRESULT CALLBACK WatchPosted(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT &&
        GetDlgCtrlID(msg->hwnd) == IDC_PROGRESS_BAR)
        g_seen.barPaints.push_back({g_seen.steps, GetTickCount()});
    if (code == HC_ACTION && wParam == PM_REMOVE && GetDlgItem(msg->hwnd, IDC_PROGRESS_BAR)) {
        HWND bar = GetDlgItem(msg->hwnd, IDC_PROGRESS_BAR);
        if (msg->message == WM_MIXDOWN_STEP) {
            ++g_seen.steps;
            if (g_seen.stepPauseMs) Sleep(g_seen.stepPauseMs);
            g_seen.positions.push_back(static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)));
            if (g_seen.steps == g_seen.cancelAfterStep)
                PostMessageA(msg->hwnd, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_seen = Observed();
        owner_ = CreateWindowA("STATIC", "Quellbox", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 370, 92, nullptr,
                                     nullptr, nullptr, nullptr);
        sentHook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchSent, nullptr, GetCurrentThreadId());
        postedHook_ = SetWindowsHookExA(WH_GETMESSAGE, WatchPosted, nullptr, GetCurrentThreadId());
        temp_ = dir_.File("tmpqbx15.wav");
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(sentHook_);
        UnhookWindowsHookEx(postedHook_);
        DestroyWindow(owner_);
    }

    void Source(uint32_t frames)
    {
        const std::string path = dir_.File("source.wav");
        ASSERT_TRUE(WriteFileBytes(path, PcmWave(FormatFields(), SineSamples(frames, 2, 440, 44100, 8000))));
        MessageBoxCatcher quiet;
        ASSERT_TRUE(CheckSourceFile(path.c_str()));
        source_ = path;
    }
    void Run()
    {
        PrepareMixdown(source_.c_str(), temp_.c_str(), 32768);
        RunProgressDialog(GetModuleHandleA(nullptr), owner_);
    }
    bool TempExists() const { return GetFileAttributesA(temp_.c_str()) != INVALID_FILE_ATTRIBUTES; }

    TempDir dir_;
    std::string source_, temp_;
    HWND owner_ = nullptr;  // stands in for the main window
    HHOOK sentHook_ = nullptr;
    HHOOK postedHook_ = nullptr;
};

TEST_F(ProgressDialogTest, RendersToTheEndAndStepsTheBarBeforeEachBlock)
{
    Source(16384);  // 65536 bytes: two blocks of 32768
    g_seen.stepPauseMs = 60;  // longer than the bar's repaint interval
    MessageBoxCatcher boxes;
    Run();
    EXPECT_TRUE(g_mixdown.completed);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(g_seen.rangeHigh, 2);
    // Two blocks and the closing step; the bar steps as each block starts.
    EXPECT_EQ(g_seen.steps, 3);
    EXPECT_EQ(g_seen.stepIts, 2);
    EXPECT_EQ(g_seen.positions, (std::vector<int>{0, 1, 2}));
    char user[64] = {};
    DWORD length = sizeof user;
    GetUserNameA(user, &length);
    const size_t name = std::string(user).size();
    const size_t n = name + (name % 2 ? 1 : 2);
    Bytes out;
    ASSERT_TRUE(ReadFileBytes(temp_, &out));
    EXPECT_EQ(out.size(), 8u + 116u + 65536u + n);
}

TEST_F(ProgressDialogTest, ARenderRepaintsTheBarAboutEveryFiftyMillisecondsNotPerBlock)
{
    Source(44100 * 120);  // 646 blocks
    g_seen.stepPauseMs = 1;  // 64 blocks take 64 ms or more
    Run();
    EXPECT_TRUE(g_mixdown.completed);
    EXPECT_EQ(g_seen.steps, 647);  // and the closing step
    // From the paint as the render starts to the last block: no paint within
    // 50 ms of the one before, and one within every 64 blocks.
    std::vector<BarPaint> paced;
    for (const BarPaint& paint : g_seen.barPaints) {
        if (paint.steps == 0) paced.clear();
        if (paint.steps <= 646) paced.push_back(paint);
    }
    ASSERT_FALSE(paced.empty()) << "no paint as the render starts";
    for (size_t i = 1; i < paced.size(); ++i) {
        EXPECT_GE(paced[i].tick - paced[i - 1].tick, 50u) << "paint " << i;
        EXPECT_LE(paced[i].steps - paced[i - 1].steps, 64) << "paint " << i;
    }
    EXPECT_LE(646 - paced.back().steps, 64) << "no paint in the last blocks";
    // One step before each block. The range's maximum is 645: the positions
    // seen count up to it, and the last block's step passes it (where the
    // control puts the bar then is its own business).
    EXPECT_EQ(g_seen.stepIts, 646);
    EXPECT_EQ(g_seen.rangeHigh, 645);
    ASSERT_EQ(g_seen.positions.size(), 647u);
    for (int i = 0; i <= 645; ++i) EXPECT_EQ(g_seen.positions[i], i);
}

// A data chunk of 3 GiB has 98304 blocks, more than the bar's 16-bit range
// holds (it wraps to 32768): stepping would run the bar round; it is set to
// the share of the data done instead. The file holds only ten blocks: the
// render reads an empty eleventh at its end, and the closing step follows.
TEST_F(ProgressDialogTest, WhereTheRangeWrapsTheBarShowsTheShareOfTheDataDone)
{
    Source(81920);
    g_sourceFormat.dataLength = 3u << 30;
    Run();
    EXPECT_TRUE(g_mixdown.completed);
    EXPECT_EQ(g_seen.rangeHigh, 32768);
    EXPECT_EQ(g_seen.stepIts, 0);
    EXPECT_EQ(g_seen.positions, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}));
}

TEST_F(ProgressDialogTest, CancelEndsAfterTheBlockInHandAndLeavesNoFile)
{
    Source(44100);
    g_seen.cancelAfterStep = 1;
    MessageBoxCatcher boxes;
    Run();
    EXPECT_FALSE(g_mixdown.completed);
    EXPECT_FALSE(TempExists());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_LE(g_seen.steps, 2);
}

TEST_F(ProgressDialogTest, ATemporaryFileThatCannotBeCreatedIsOneErrorAndNoFile)
{
    Source(1000);
    temp_ = dir_.File("no such folder\\tmpqbx15.wav");
    MessageBoxCatcher boxes;
    Run();
    EXPECT_FALSE(g_mixdown.completed);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Error in Mixdown operation.");
    EXPECT_EQ(boxes.Boxes()[0].owner, owner_);
    EXPECT_FALSE(TempExists());
}

// Refuses to create the Progress dialog's window, as a system short of
// window memory would; other windows (the message box) are made as usual.
LRESULT CALLBACK RefuseProgressWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create->lpszName && !IS_INTRESOURCE(create->lpszName) && lstrcmpA(create->lpszName, "Progress") == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ProgressDialogTest, ADialogThatCannotBeCreatedIsOneErrorAndNoFile)
{
    Source(1000);
    ASSERT_TRUE(WriteFileBytes(temp_, Bytes(100, 0)));  // left over from an earlier run
    HHOOK refuse = SetWindowsHookExA(WH_CBT, RefuseProgressWindow, nullptr, GetCurrentThreadId());
    MessageBoxCatcher boxes;
    Run();
    UnhookWindowsHookEx(refuse);
    EXPECT_FALSE(g_mixdown.completed);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Error in Mixdown operation.");
    EXPECT_EQ(boxes.Boxes()[0].owner, owner_);
    EXPECT_EQ(g_seen.steps, 0);
    EXPECT_FALSE(TempExists());
}

}  // namespace
