// What the fault tests share: the real qbx15.exe started through the
// end-to-end harness, real WAV files, the settings file, and the program
// judged by what a user sees and hears (its lamps, display, title and the
// sink's recording).
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"
#include "tests/wine/e2e/e2e_fixture.h"

// A 44100 Hz 16-bit stereo sine of seconds length.
bool WriteSineWave(const std::string& path, double seconds);

// The window answers a message within the time (its thread does not hang).
bool AnswersMessages(HWND window, DWORD milliseconds);

// The caption the program shows once path is its open source.
std::string TitleFor(const std::string& path);
// The sink heard a tenth of a second of sound after the recording's frame from.
bool HeardSince(size_t from, DWORD milliseconds);

class QuellboxFaultTest : public QuellboxTest {
protected:
    void TearDown() override;

    // Opens path through the Open dialog; true once the title names it.
    bool Open(const std::string& path);
    // Waits until the Progress dialog has come and gone.
    bool WaitForMixdownEnd(DWORD milliseconds);

    // The program answers messages within the time (it does not hang).
    bool Responsive(DWORD milliseconds = 5000) const;
};
