// The settings file through the real profile services, in the Windows
// directory of the test's Wine prefix, with the real wave-out devices.
#include "app/settings.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "dialogs/device_list.h"
#include "model/settings.h"
#include "tests/support/file_helpers.h"
#include "tests/support/message_box_catcher.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetSettings();
        g_settings.latency = kDefaultLatency;
        g_settings.deviceName[0] = '\0';
        g_settings.deviceIndex = -7;
        devices_ = DeviceNames();
    }
    void TearDown() override { ForgetSettings(); }

    static void Store(const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, "qbx15.ini"));
    }
    static std::string Stored(const char* section, const char* key)
    {
        char text[256] = {};
        GetPrivateProfileStringA(section, key, "<absent>", text, sizeof text, "qbx15.ini");
        return text;
    }
    void Read(int* left = nullptr, int* top = nullptr)
    {
        RECT frame;
        SetRect(&frame, 111, 222, 111 + 376, 222 + 118);  // the centred main window's size
        ReadSettings(GetModuleHandleA(nullptr), frame, &g_settings);
        if (left) *left = g_settings.windowLeft;
        if (top) *top = g_settings.windowTop;
    }
    // Writes the settings as the program does on closing a window at this place.
    static void WriteWithWindowAt(int x, int y, int width, int height)
    {
        HWND w = CreateWindowA("STATIC", "", WS_POPUP, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
        WriteSettings(GetModuleHandleA(nullptr), w, &g_settings);
        DestroyWindow(w);
    }

    std::vector<std::string> devices_;
};

TEST_F(SettingsTest, DefaultsWithoutAFile)
{
    MessageBoxCatcher boxes;
    int left = 0, top = 0;
    Read(&left, &top);
    EXPECT_EQ(g_settings.latency, 150);
    EXPECT_EQ(left, 111);
    EXPECT_EQ(top, 222);
    EXPECT_EQ(g_settings.deviceIndex, 0);
    ASSERT_FALSE(devices_.empty());
    EXPECT_EQ(std::string(g_settings.deviceName), devices_[0]);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SettingsTest, LatencyIsLimitedTo10Through500AsA16BitValueAndWrittenBackSo)
{
    const struct { const char* stored; int16_t expected; } cases[] = {
        {"5", 10}, {"900", 500}, {"10", 10}, {"500", 500}, {"-3", 10}, {"70000", 500}, {"65636", 100},
        {"abc", 10}, {"20", 20},
    };
    for (const auto& c : cases) {
        Store("Wave Out", "Latency", c.stored);
        Read();
        EXPECT_EQ(g_settings.latency, c.expected) << "stored " << c.stored;
        WriteWithWindowAt(10, 20, 30, 40);
        EXPECT_EQ(Stored("Wave Out", "Latency"), std::to_string(c.expected)) << "stored " << c.stored;
    }
}

TEST_F(SettingsTest, StoredDeviceNameSelectsItsIndexExactly)
{
    ASSERT_GE(devices_.size(), 2u);
    Store("Wave Out", "Device", devices_[1].c_str());
    Read();
    EXPECT_EQ(g_settings.deviceIndex, 1);
    EXPECT_EQ(std::string(g_settings.deviceName), devices_[1]);

    // Letter case matters: a name that differs only in case is no match.
    std::string shouted = devices_[1];
    for (char& ch : shouted)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (shouted != devices_[1]) {
        Store("Wave Out", "Device", shouted.c_str());
        Read();
        EXPECT_EQ(g_settings.deviceIndex, 0);
        EXPECT_EQ(std::string(g_settings.deviceName), devices_[0]);
    }
}

TEST_F(SettingsTest, AVanishedDeviceFallsBackToDeviceZeroAndIsForgotten)
{
    Store("Wave Out", "Device", "Headset that was unplugged");
    Read();
    EXPECT_EQ(g_settings.deviceIndex, 0);
    EXPECT_EQ(std::string(g_settings.deviceName), devices_[0]);
    WriteWithWindowAt(0, 0, 10, 10);
    EXPECT_EQ(Stored("Wave Out", "Device"), devices_[0]);
}

TEST_F(SettingsTest, PositionRoundTripsEvenPartlyOffTheScreen)
{
    const int bottomRow = GetSystemMetrics(SM_CYSCREEN) - 1;
    HWND w = CreateWindowA("STATIC", "", WS_POPUP, -150, bottomRow, 370, 92, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    RECT r;
    GetWindowRect(w, &r);
    g_settings.latency = 60;
    lstrcpyA(g_settings.deviceName, devices_[0].c_str());
    WriteSettings(GetModuleHandleA(nullptr), w, &g_settings);
    DestroyWindow(w);

    EXPECT_EQ(Stored("Main Window", "Left"), std::to_string(r.left));
    EXPECT_EQ(Stored("Main Window", "Top"), std::to_string(r.top));
    int left = 0, top = 0;
    g_settings.latency = 150;
    Read(&left, &top);
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(g_settings.latency, 60);
}

TEST_F(SettingsTest, APositionWhollyOffTheWorkAreaGivesTheDefault)
{
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const struct { std::string left, top; } cases[] = {
        {"-5000", "40"}, {"40", "-5000"}, {"30000", "40"}, {"40", "30000"}, {"2147483600", "2147483600"},
        {"-2147483648", "-2147483648"}, {std::to_string(work.left - 376), "40"},
    };
    for (const auto& c : cases) {
        Store("Main Window", "Left", c.left.c_str());
        Store("Main Window", "Top", c.top.c_str());
        int left = 0, top = 0;
        Read(&left, &top);
        EXPECT_EQ(left, 111) << c.left << ", " << c.top;
        EXPECT_EQ(top, 222) << c.left << ", " << c.top;
    }
    // One pixel on the work area is enough to be kept as it is.
    Store("Main Window", "Left", std::to_string(work.left - 375).c_str());
    Store("Main Window", "Top", std::to_string(work.bottom - 1).c_str());
    int left = 0, top = 0;
    Read(&left, &top);
    EXPECT_EQ(left, work.left - 375);
    EXPECT_EQ(top, work.bottom - 1);
}

TEST_F(SettingsTest, ClosingMinimisedOrMaximisedStoresTheNormalPosition)
{
    HWND w = CreateWindowA("STATIC", "", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                           123, 77, 376, 118, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWNORMAL);
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        ShowWindow(w, SW_RESTORE);
        ShowWindow(w, show);
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_NE(r.left, 123) << show;  // minimised or maximised, the window stands elsewhere
        WriteSettings(GetModuleHandleA(nullptr), w, &g_settings);
        EXPECT_EQ(Stored("Main Window", "Left"), "123") << show;
        EXPECT_EQ(Stored("Main Window", "Top"), "77") << show;
    }
    DestroyWindow(w);
}

TEST_F(SettingsTest, WritingLeavesOtherSectionsAlone)
{
    Store("Somebody Else", "Key", "kept");
    WriteWithWindowAt(1, 2, 3, 4);
    EXPECT_EQ(Stored("Somebody Else", "Key"), "kept");
    EXPECT_EQ(Stored("Wave Out", "Latency"), "150");
}

// Runs in a test bed without PulseAudio, where Wine has no wave-out device.
TEST(SettingsWithoutDevice, LookupTellsTheUserAndAnswers21)
{
    ASSERT_EQ(waveOutGetNumDevs(), 0u);
    MessageBoxCatcher boxes;
    lstrcpyA(g_settings.deviceName, "Kept");
    EXPECT_EQ(LookupWaveOutDevice(g_settings.deviceName), 21);
    EXPECT_EQ(std::string(g_settings.deviceName), "Kept");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "No Wave Out device/driver has been installed in this system.");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Quellbox");
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
    EXPECT_TRUE(boxes.Boxes()[0].errorIcon);
}

}  // namespace
