// What the end-to-end tests share: the settings file, real files in the
// temporary folder, and a fixture that starts the real program.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_helpers.h"
#include "tests/wine/e2e/quellbox_process.h"
#include "tests/wine/e2e/reference_panel.h"

// The default latency of 150 ms in bytes of 16-bit stereo at 44100 Hz.
constexpr uint32_t kDefaultBlockBytes = 44100 * 150 / 1000 * 4;

constexpr int kKnobIds[] = {IDC_KNOB_FREQ, IDC_KNOB_DEPTH, IDC_KNOB_RATE, IDC_KNOB_MIX, IDC_KNOB_DEGREE, IDC_KNOB_FEED};
extern const char kIni[];  // "qbx15.ini", in the Windows directory

std::string IniText(const char* section, const char* key);
std::string TempFile(const char* name);     // the temporary folder + name
std::string DemoWav();

// The knobs' positions (kMsgGetPosition), Freq to Feed.
std::vector<LRESULT> KnobPositions(const QuellboxProcess& app);

// The pixels of a child control as they are on the screen, row by row.
std::vector<COLORREF> WindowPixels(HWND window);
std::vector<COLORREF> ControlPixels(const QuellboxProcess& app, int id);
// The same as a picture, to compare with a reference rendering.
inline Pixels ControlPicture(const QuellboxProcess& app, int id) { return ScreenPixels(app.Control(id)); }

// The transport lamps as the screen shows them: lit, or dark.
bool GreenLit(const QuellboxProcess& app);
bool RedLit(const QuellboxProcess& app);

// Moves the pointer to a client point of a window and clicks the left
// button there; the test fails at once when the pointer cannot get there.
void LeftClick(HWND window, int x, int y);

class QuellboxTest : public ::testing::Test {
protected:
    void SetUp() override { ForgetSettings(); }

    // Started, its panel enabled by the first right click after the intro.
    void StartActive();
    // Started, active, with path opened through the Open dialog.
    void StartWith(const std::string& path);
    void StartWithDemo() { StartWith(DemoWav()); }
    // PLAY clicked, and waits until the green lamp lights.
    void Play();
    // Waits for the end of playback: both lamps dark again.
    bool WaitForPlaybackEnd(DWORD milliseconds);
    // The on/off LED of the current effect (name) clicked; waits until the
    // display, under the pointer resting on the LED, says it is on.
    void SwitchOn(const char* name)
    {
        LeftClick(app_.Control(IDC_ONOFF_LED), 9, 9);
        ASSERT_TRUE(WaitForDisplay(ReferenceDisplay(name, kTopLeft, "ON", kTopRight))) << name << " ON";
    }
    // UP or DOWN clicked; waits until the display names the effect.
    void StepTo(int button, const char* name)
    {
        ASSERT_TRUE(app_.Command(button));
        ASSERT_TRUE(WaitForDisplay(ReferenceDisplayLine(name))) << name;
    }
    // Waits until the display shows the picture.
    bool WaitForDisplay(const Pixels& picture) const
    {
        return WaitUntil([&] { return ControlPicture(app_, IDC_DISPLAY) == picture; }, 5000);
    }
    // PLAY to the end; the sink heard exactly expected, in the default blocks.
    void ExpectPlayedToTheEnd(const std::vector<int16_t>& expected);

    QuellboxProcess app_;
};
