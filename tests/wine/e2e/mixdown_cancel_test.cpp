// The Progress dialog of the real program worked by hand while it renders:
// Cancel by a real click after the pointer circled over the dialog, by
// Enter or Space on the button, a held key and Escape that do not cancel, a
// move of the dialog by its caption, a Cancel that comes as the last block
// is rendered, and the program closed during a render. Mouse and keys go
// through SendInput.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/real_input.h"
#include "tests/support/wav_builder.h"
#include "tests/wine/e2e/e2e_fixture.h"
#include "tests/wine/player/player_harness.h"

namespace {

constexpr DWORD kSettleMs = 5000;  // for a window to show what it was told
constexpr long long kCancelBytes = 4 * 32768;  // at most four blocks rendered after a Cancel
const char kOldTarget[] = "the previous mixdown";

// A 44100 Hz stereo WAV file of dataBytes bytes of silence that costs no
// disk: the header is written and the file then lengthened past a hole.
bool WriteSparseWave(const std::string& path, uint32_t dataBytes)
{
    Bytes header;
    AppendFourCC(&header, "RIFF");
    AppendU32(&header, 36 + dataBytes);
    AppendFourCC(&header, "WAVE");
    AppendChunk(&header, "fmt ", FormatPayload(FormatFields()));
    AppendChunkDeclared(&header, "data", dataBytes, Bytes());
    if (!WriteFileBytes(path, header)) return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = 44 + static_cast<LONGLONG>(dataBytes);
    const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

class MixdownCancelTest : public QuellboxTest {
protected:
    void SetUp() override
    {
        QuellboxTest::SetUp();
        target_ = TempFile("qbx_e2e_cancel_target.wav");
        DeleteFileA(target_.c_str());
        files_.push_back(target_);
    }
    void TearDown() override
    {
        app_.Command(IDM_EXIT);
        app_.WaitForExit(10000);
        for (const std::string& f : files_) DeleteFileA(f.c_str());
    }

    // The program started on a long silent source (about 100 minutes)
    // with all four effects switched on, so that every block costs the most.
    void StartOnLongSource()
    {
        const std::string source = TempFile("qbx_e2e_long_sparse.wav");
        files_.push_back(source);
        ASSERT_TRUE(WriteSparseWave(source, 1u << 30));
        StartWith(source);
        const char* effects[] = {"PHASER", "FLANGER", "CHORUS", "C-DELAY"};
        for (int i = 0; i < 4; ++i) {
            SwitchOn(effects[i]);
            StepTo(IDC_UP, effects[(i + 1) % 4]);
        }
    }

    // Starts a mixdown onto the target and waits until the render is under
    // way; the target's name then holds an older file, which a Cancel must
    // leave alone. The Progress dialog, or null.
    HWND StartRender()
    {
        DeleteFileA(target_.c_str());
        EXPECT_TRUE(app_.MixdownThroughDialog(target_)) << "the Save dialog did not take the target";
        WriteWholeFile(target_, kOldTarget);
        HWND progress = app_.WaitForDialog("Progress", 10000);
        const std::string temp = TemporaryMixdownPath();
        if (progress && WaitForOutcome([&] { return FileSize(temp) > (4 << 20); }, 10000)) return progress;
        ADD_FAILURE() << (progress ? "the render stalled at " : "no Progress dialog; temporary file: ") << FileSize(temp);
        return nullptr;
    }

    // Gives a Cancel (cancel: a click or a key) while the window thread is
    // held still, and lets the thread go. Input is served before the next
    // block: the temporary file, watched until it goes, grows by no more
    // than a few blocks past its size at the Cancel, and the dialog closes.
    void CancelHeld(HWND progress, const std::function<void()>& cancel)
    {
        const std::string temp = TemporaryMixdownPath();
        ASSERT_TRUE(app_.HoldWindowThread(true));
        const long long at = FileSize(temp);
        cancel();
        ASSERT_TRUE(app_.HoldWindowThread(false));
        long long most = at;
        EXPECT_TRUE(WaitForOutcome([&] { most = std::max(most, FileSize(temp)); return !FileExists(temp); }, 10000));
        EXPECT_LE(most - at, kCancelBytes) << "the render went on after the Cancel";
        std::printf("after the Cancel the render wrote %lld bytes or more\n", most - at);
        EXPECT_TRUE(WaitForOutcome([progress] { return !IsWindow(progress); }, 10000)) << "the dialog stayed";
        ExpectCancelled();
    }

    void ExpectCancelled()
    {
        // A program that has closed showed none: a box would have held it open.
        if (IsWindow(app_.MainWindow())) {
            EXPECT_TRUE(app_.OpensItsMenuNext()) << "a Cancel shows no message: " << app_.AnswerMessageBox(0);
        }
        EXPECT_TRUE(ReadWholeFile(target_) == kOldTarget) << "the existing target was touched";
        EXPECT_FALSE(FileExists(TemporaryMixdownPath())) << "the temporary file was left behind";
    }

    static POINT Centre(HWND window)
    {
        RECT r = {};
        GetClientRect(window, &r);
        return {r.right / 2, r.bottom / 2};
    }

    std::string target_;
    std::vector<std::string> files_;
};

// Circles the pointer over the dialog, away from Cancel, about 90 moves a
// second until done holds or milliseconds have passed; done's last answer.
bool CirclePointerOver(HWND progress, const std::function<bool()>& done, DWORD milliseconds)
{
    RECT r = {};
    GetWindowRect(progress, &r);
    const POINT centre = {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 3};
    const DWORD start = GetTickCount();
    for (int i = 0; !done() && GetTickCount() - start < milliseconds; ++i) {
        const double angle = i * 0.35;
        MovePointerToScreen({centre.x + static_cast<LONG>(30 * cos(angle)), centre.y + static_cast<LONG>(6 * sin(angle))});
        Sleep(11);
    }
    return done();
}

// A hand moving over the dialog all the while: the render goes on under it,
// and a click on Cancel still ends it at once.
TEST_F(MixdownCancelTest, AMouseClickOnCancelEndsALongRenderAtOnceAfterThePointerCircledOverTheDialog)
{
    StartOnLongSource();
    HWND progress = StartRender();
    ASSERT_NE(nullptr, progress);
    const std::string temp = TemporaryMixdownPath();
    const long long before = FileSize(temp);
    EXPECT_TRUE(CirclePointerOver(progress, [&] { return FileSize(temp) > before + (8 << 20); }, 60000))
        << "the render stood still while the pointer moved";
    ASSERT_TRUE(IsWindow(progress));
    HWND cancel = GetDlgItem(progress, IDC_PROGRESS_CANCEL);
    const POINT at = Centre(cancel);
    ASSERT_TRUE(MovePointerTo(cancel, at.x, at.y));
    CancelHeld(progress, [] { PressButton(MouseButton::kLeft); ReleaseButton(MouseButton::kLeft); });
}

// Another program's commands while the render holds the main window
// disabled: a Mixdown that would re-enter the render, a PLAY that would
// prepare the effect modules afresh under it, an Open. None does anything;
// the render goes on, and Cancel ends it as ever.
TEST_F(MixdownCancelTest, CommandsFromAnotherProgramDuringARenderDoNothing)
{
    StartOnLongSource();
    HWND progress = StartRender();
    ASSERT_NE(nullptr, progress);
    const std::string temp = TemporaryMixdownPath();
    for (int id : {IDM_MIXDOWN, IDC_PLAY, IDM_OPEN})
        ASSERT_TRUE(PostMessageA(app_.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0));
    // Posted messages are served in order, and each block's step is posted
    // by the one before it: once a few more blocks are written, the three
    // commands have been handled.
    const long long posted = FileSize(temp);
    ASSERT_TRUE(WaitForOutcome([&] { return FileSize(temp) > posted + 4 * 32768; }, 10000)) << "the render stopped";
    EXPECT_TRUE(IsWindow(progress));
    ASSERT_TRUE(ClickMiddle(GetDlgItem(progress, IDC_PROGRESS_CANCEL)));
    EXPECT_TRUE(WaitForOutcome([progress] { return !IsWindow(progress); }, 10000));
    EXPECT_FALSE(GreenLit(app_)) << "PLAY started a playback";
    ExpectCancelled();  // the menu opens next: no Save or Open dialog is up
}

TEST_F(MixdownCancelTest, EnterOrSpaceOnCancelEndTheRenderAndAHeldKeyOrEscapeDoNot)
{
    StartOnLongSource();
    for (WORD key : {VK_RETURN, VK_SPACE}) {
        HWND progress = StartRender();
        ASSERT_NE(nullptr, progress);
        ASSERT_TRUE(BringToForeground(progress));
        ASSERT_EQ(GetDlgItem(progress, IDC_PROGRESS_CANCEL), GuiThreadOf(progress).hwndFocus) << "Cancel has the keyboard focus";
        // A key held down (Shift, auto-repeated) and Escape leave the
        // render running.
        const long long before = FileSize(TemporaryMixdownPath());
        for (int repeat = 0; repeat < 15; ++repeat) {
            HoldKeyDown(VK_SHIFT);
            Sleep(33);
        }
        PressKey(VK_SHIFT);  // and let go
        PressKey(VK_ESCAPE);
        // Many blocks rendered after the keys, each step a message behind
        // them in the dialog's queue, and the dialog still open.
        EXPECT_TRUE(WaitForOutcome([&] { return FileSize(TemporaryMixdownPath()) > before + (4 << 20); }, 10000))
            << "the render stopped after Escape";
        ASSERT_TRUE(IsWindow(progress)) << "Escape ended the render";
        SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Space");
        CancelHeld(progress, [key] { PressKey(key); });
    }
}

TEST_F(MixdownCancelTest, TheProgressDialogCanBeMovedAndRepaintsWhileItRenders)
{
    StartOnLongSource();
    HWND progress = StartRender();
    ASSERT_NE(nullptr, progress);
    RECT before = {};
    GetWindowRect(progress, &before);
    // Dragged by its caption, 60 pixels right and 40 down, in steps of
    // screen points (the window's own points move with it).
    const POINT grip = {before.left + (before.right - before.left) / 3,
                        before.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_TRUE(MovePointerToScreen(grip));
    PressButton(MouseButton::kLeft);
    for (int step = 1; step <= 8; ++step) {
        Sleep(15);
        EXPECT_TRUE(MovePointerToScreen({grip.x + 60 * step / 8, grip.y + 40 * step / 8}));
    }
    // Still held, the dialog stands at its new place with its bar drawn
    // (its edge and face, not a blank of the dialog's colour).
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    EXPECT_TRUE(WaitForOutcome([&] { const std::vector<COLORREF> p = WindowPixels(bar);
        return std::set<COLORREF>(p.begin(), p.end()).size() >= 2; }, kSettleMs)) << "the bar is blank during the drag";
    ReleaseButton(MouseButton::kLeft);
    RECT now = {};
    EXPECT_TRUE(WaitForOutcome(
        [&] {
            GetWindowRect(progress, &now);
            return now.left == before.left + 60 && now.top == before.top + 40;
        },
        kSettleMs))
        << "the dialog did not follow the pointer: from " << before.left << "," << before.top << " to " << now.left
        << "," << now.top;
    ASSERT_TRUE(IsWindow(progress)) << "the render ended during the move";
    // At its new place the Cancel button is drawn and the bar goes on moving.
    HWND cancel = GetDlgItem(progress, IDC_PROGRESS_CANCEL);
    EXPECT_TRUE(WaitForOutcome([&] { const std::vector<COLORREF> p = WindowPixels(cancel);
        return std::set<COLORREF>(p.begin(), p.end()).size() >= 3; }, kSettleMs)) << "the Cancel button is not drawn";
    const std::vector<COLORREF> barBefore = WindowPixels(bar);
    EXPECT_TRUE(WaitForOutcome([&] { return WindowPixels(bar) != barBefore; }, 3000)) << "the bar is not repainted";
    const POINT at = Centre(cancel);
    CancelHeld(progress, [&] { ASSERT_TRUE(ClickAt(cancel, at.x, at.y)); });
}

// Closing the program while it renders, as the taskbar's Close, taskkill
// (without /F) and the end of the session close it: the render ends as
// Cancel ends it, then the program closes; the target keeps its old file
// and no temporary file is left.
TEST_F(MixdownCancelTest, ClosingTheProgramDuringARenderLeavesNothingBehind)
{
    for (const char* way : {"WM_CLOSE", "taskkill", "end of session"}) {
        SCOPED_TRACE(way);
        StartOnLongSource();
        HWND progress = StartRender();
        ASSERT_NE(nullptr, progress);
        HWND main = app_.MainWindow();
        const std::string how = way;
        if (how == "WM_CLOSE") {
            PostMessageA(main, WM_CLOSE, 0, 0);
        } else if (how == "taskkill") {
            ASSERT_NE(-1, RunAndWait("taskkill.exe /PID " + std::to_string(app_.Pid()), 10000));
        } else {
            DWORD_PTR answer = 0;
            ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program refused the end of the session";
            ASSERT_TRUE(SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer));
        }
        EXPECT_EQ(app_.WaitForExit(10000), 0) << "the program did not close";
        ExpectCancelled();
    }
}

// The render of a short source is held still just as its last blocks are
// written, a real click on Cancel is queued, and the render is let go: the
// click then lands before or after the end. Either the target keeps its
// old file, or it holds the whole render; never a part of one; and a click
// queued while 16 blocks are still to come always cancels.
TEST_F(MixdownCancelTest, ACancelAsTheLastBlockIsRenderedGivesTheWholeFileOrNone)
{
    const int frames = 44100 * 30;
    const std::vector<int16_t> samples = TestSignal(frames, 2, 41);
    const std::string source = TempFile("qbx_e2e_last_block.wav");
    files_.push_back(source);
    ASSERT_TRUE(WriteTestWave(source, samples, 2));
    const std::string data(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
    StartWith(source);  // the effects are off: the render is the source itself
    const std::string temp = TemporaryMixdownPath();
    const long long full = 44 + static_cast<long long>(data.size());
    int whole = 0, none = 0;
    for (int round = 0; round < 6; ++round) {
        DeleteFileA(target_.c_str());
        ASSERT_TRUE(app_.MixdownThroughDialog(target_));
        WriteWholeFile(target_, kOldTarget);
        HWND progress = app_.WaitForDialog("Progress", 10000);
        ASSERT_NE(nullptr, progress);
        HWND cancel = GetDlgItem(progress, IDC_PROGRESS_CANCEL);
        const POINT at = Centre(cancel);
        ASSERT_TRUE(MovePointerTo(cancel, at.x, at.y));
        // Held when the last block has been written, or 1, 2, 4, 8 or 16
        // blocks before it.
        const long long holdAt = full - (round == 0 ? 0 : 1 << (round - 1)) * 32768;
        const DWORD start = GetTickCount();
        while (FileSize(temp) < holdAt && IsWindow(progress) && GetTickCount() - start < 60000) {
        }
        ASSERT_TRUE(app_.HoldWindowThread(true));
        // Held still, the dialog cannot close; if it already has, the
        // click would land on the panel instead, so none is given.
        const bool open = IsWindow(progress) != FALSE;
        if (open) {
            PressButton(MouseButton::kLeft);
            ReleaseButton(MouseButton::kLeft);
        }
        ASSERT_TRUE(app_.HoldWindowThread(false));
        ASSERT_TRUE(WaitForOutcome([progress] { return !IsWindow(progress); }, 10000));
        EXPECT_TRUE(app_.OpensItsMenuNext()) << "a message after the render: " << app_.AnswerMessageBox(0);
        EXPECT_TRUE(WaitForOutcome([&] { return !FileExists(temp); }, 5000)) << "the temporary file stayed";
        const std::string got = ReadWholeFile(target_);
        if (got == kOldTarget) {
            ++none;
            continue;
        }
        ++whole;
        EXPECT_LT(round, 5) << "a Cancel queued 16 blocks before the end let the render finish";
        ASSERT_GT(got.size(), static_cast<size_t>(full)) << "a part of a render stands under the target's name";
        EXPECT_EQ(got.compare(0, 4, "RIFF"), 0);
        EXPECT_TRUE(got.compare(44, data.size(), data) == 0) << "the target does not hold the whole render";
        EXPECT_EQ(got.compare(full, 4, "LIST"), 0) << "the target does not end in the closing LIST chunk";
    }
    std::printf("6 Cancels at the last blocks: %d left the old file, %d came after the whole render\n", none, whole);
}

}  // namespace
