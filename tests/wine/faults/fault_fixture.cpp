#include "fault_fixture.h"

#include "tests/support/recording.h"
#include "tests/support/wav_builder.h"

bool WriteSineWave(const std::string& path, double seconds)
{
    const int frames = static_cast<int>(seconds * 44100);
    return WriteFileBytes(path, PcmWave(FormatFields{}, SineSamples(frames, 2, 441.0, 44100.0, 8000.0)));
}

void QuellboxFaultTest::TearDown()
{
    // No test may leave a message box or dialog behind unnoticed.
    if (app_.Pid() && app_.WaitForExit(0) == -1) {
        EXPECT_EQ(app_.AnswerMessageBox(0), "") << "a stray message box";
    }
}

std::string TitleFor(const std::string& path) { return path.substr(path.find_last_of('\\') + 1) + " - Quellbox"; }

bool HeardSince(size_t from, DWORD milliseconds)
{
    return WaitUntil([from] { return WithoutSilence(ReadRecording(from)).size() > 2 * 4410; }, milliseconds);
}

bool QuellboxFaultTest::Open(const std::string& path)
{
    return app_.OpenThroughDialog(path) && WaitUntil([&] { return app_.Title() == TitleFor(path); }, 5000);
}

bool QuellboxFaultTest::WaitForMixdownEnd(DWORD milliseconds)
{
    return WaitUntil([this] { return !app_.WaitForDialog("Progress", 0); }, milliseconds);
}

bool AnswersMessages(HWND window, DWORD milliseconds)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

bool QuellboxFaultTest::Responsive(DWORD milliseconds) const { return AnswersMessages(app_.MainWindow(), milliseconds); }
