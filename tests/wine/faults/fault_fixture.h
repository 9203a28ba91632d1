// What the fault tests share: the real qbx15.exe started through the
// end-to-end harness, real WAV files, the file dialogs answered as a user
// would (the overwrite question included) and the transport's look.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"
#include "tests/wine/e2e/quellbox_process.h"

// Deletes qbx15.ini in the Windows directory; writes one key into it.
void ForgetSettings();
void StoreSetting(const char* section, const char* key, const char* value);
std::string StoredSetting(const char* section, const char* key);

// The Windows directory's temporary mixdown file.
std::string TemporaryMixdownPath();

std::string FileText(const std::string& path);
bool WriteText(const std::string& path, const std::string& text);
// A 44100 Hz 16-bit stereo sine of seconds length.
bool WriteSineWave(const std::string& path, double seconds);

// The Mixdown command's Save dialog answered with target (and Yes to the
// overwrite question); true once the dialog has closed.
bool ChooseMixdownTargetIn(const QuellboxProcess& app, const std::string& target);
// The window answers a message within the time (its thread does not hang).
bool AnswersMessages(HWND window, DWORD milliseconds);
// The child windows of parent of a window class.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);

class QuellboxFaultTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Started, the intro over and the panel enabled.
    void StartActive();
    // Opens path through the Open dialog; true once PLAY is enabled.
    bool Open(const std::string& path);
    // Chooses target in the Save dialog of the Mixdown command, answering
    // the overwrite question with Yes; true once the dialog has closed.
    bool ChooseMixdownTarget(const std::string& target);
    // Waits until the Progress dialog has come and gone.
    bool WaitForMixdownEnd(DWORD milliseconds);

    // The program answers messages within the time (it does not hang).
    bool Responsive(DWORD milliseconds = 5000) const;
    // PLAY enabled, PAUSE and STOP disabled.
    bool TransportStopped() const;
    // Waits for the transport's stopped look.
    bool WaitForStopped(DWORD milliseconds) const;
    // The centre pixels of the two LED windows as the screen shows them.
    std::vector<COLORREF> LedColours() const;

    QuellboxProcess app_;
};
