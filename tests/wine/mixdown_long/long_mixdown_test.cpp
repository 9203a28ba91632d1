// Mixdowns of more than 2 GiB through the real program: the source opened
// through the Open dialog, the target chosen in the Save dialog, the render
// run in the Progress dialog and handed over onto the target. The source
// and the target come from long_mixdown.py, which writes the source as a
// sparse file and reads the finished target back with independent readers.
//   QBX_LONG_SOURCE   the source (a Windows path)
//   QBX_LONG_TARGET   the mixdown target
//   QBX_LONG_CANCEL_AT for the Cancel case: bytes of output after which
//                     Cancel is clicked
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/file_helpers.h"
#include "tests/wine/e2e/quellbox_process.h"

namespace {

constexpr DWORD kRenderLimitMs = 40 * 60 * 1000;

std::string Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

class LongMixdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = Setting("QBX_LONG_SOURCE");
        target_ = Setting("QBX_LONG_TARGET");
        ASSERT_FALSE(source_.empty() || target_.empty()) << "run by long_mixdown.py";
        DeleteFileA(target_.c_str());
        DeleteFileA(TemporaryMixdownPath().c_str());
        ASSERT_TRUE(app_.Start());
        ASSERT_TRUE(app_.WaitForMainWindow());
        ASSERT_TRUE(app_.ActivatePanel(20000));
        ASSERT_TRUE(app_.OpenThroughDialog(source_));
        ASSERT_TRUE(WaitUntil([this] { return app_.Enabled(IDC_PLAY); }, 10000)) << "the source was refused";
        ASSERT_TRUE(app_.MixdownThroughDialog(target_));
        started_ = GetTickCount();
        progress_ = app_.WaitForDialog("Progress", 20000);
        ASSERT_NE(nullptr, progress_);
    }
    void TearDown() override
    {
        app_.Command(IDM_EXIT);
        app_.WaitForExit(20000);
    }
    double Seconds() const { return (GetTickCount() - started_) / 1000.0; }

    QuellboxProcess app_;
    std::string source_, target_;
    HWND progress_ = nullptr;
    DWORD started_ = 0;
};

TEST_F(LongMixdownTest, TheWholeSourceIsRenderedOntoTheTarget)
{
    ASSERT_TRUE(WaitUntil([this] { return !IsWindow(progress_); }, kRenderLimitMs)) << "the render did not end";
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "a message after a completed render: " << app_.AnswerMessageBox(0);
    EXPECT_TRUE(WaitUntil([this] { return FileExists(target_); }, 60000)) << "no file under the target's name";
    EXPECT_FALSE(FileExists(TemporaryMixdownPath()));
    std::printf("rendered %lld bytes onto the target in %.1f s\n", FileSize(target_), Seconds());
}

TEST_F(LongMixdownTest, CancelPastTwoGigabytesLeavesNoFile)
{
    const long long cancelAt = std::atoll(Setting("QBX_LONG_CANCEL_AT").c_str());
    ASSERT_GT(cancelAt, 0);
    const std::string temp = TemporaryMixdownPath();
    ASSERT_TRUE(WaitUntil([&] { return FileSize(temp) > cancelAt || !IsWindow(progress_); }, kRenderLimitMs));
    ASSERT_TRUE(IsWindow(progress_)) << "the render ended before the Cancel";
    // The bar has crossed the same share of its range as the render of its
    // source, once: it has not wrapped back to the start.
    HWND bar = GetDlgItem(progress_, IDC_PROGRESS_BAR);
    const long long range = SendMessageA(bar, PBM_GETRANGE, FALSE, 0);
    const long long position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    const double done = static_cast<double>(FileSize(temp)) / static_cast<double>(FileSize(source_));
    EXPECT_LE(position, range);
    EXPECT_GE(position, static_cast<long long>(range * (done - 0.05))) << "the bar wrapped: " << position << " of " << range;

    ASSERT_TRUE(ClickMiddle(GetDlgItem(progress_, IDC_PROGRESS_CANCEL)));
    ASSERT_TRUE(WaitUntil([this] { return !IsWindow(progress_); }, 5000)) << "Cancel was not answered";
    EXPECT_TRUE(app_.OpensItsMenuNext()) << "a message after Cancel: " << app_.AnswerMessageBox(0);
    EXPECT_FALSE(FileExists(target_)) << "a cancelled render left a file under the target's name";
    EXPECT_FALSE(FileExists(temp)) << "the temporary file was left behind";
    std::printf("cancelled after %.1f s at %.0f %% of the source\n", Seconds(), done * 100);
}

}  // namespace
