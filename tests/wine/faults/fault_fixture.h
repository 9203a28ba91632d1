// What the fault tests share: the real qbx15.exe started through the
// end-to-end harness, real WAV files, the settings file and the
// transport's look.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"
#include "tests/wine/e2e/quellbox_process.h"

// Reads and writes one key of qbx15.ini.
void StoreSetting(const char* section, const char* key, const char* value);
std::string StoredSetting(const char* section, const char* key);

// A 44100 Hz 16-bit stereo sine of seconds length.
bool WriteSineWave(const std::string& path, double seconds);

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
