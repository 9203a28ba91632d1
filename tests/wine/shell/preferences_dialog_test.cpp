// The Preferences dialog from the program's own template, driven through
// its real controls: the device box lists the real wave-out devices.
#include "dialogs/preferences_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "app/main_window.h"
#include "app/settings.h"
#include "dialogs/error_box.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"
#include "widgets/panel_shell.h"

namespace {

// The shell's transport, as the dialog sees it.
bool g_playbackActive = false;
int g_stopCommands = 0;

}  // namespace

bool IsPlaybackActive() { return g_playbackActive; }

void StopPlaybackFromShell()
{
    ++g_stopCommands;
    g_playbackActive = false;
}

namespace {

class PreferencesDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_shell.mainWindow = CreateWindowA("STATIC", "main", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr);
        g_playbackActive = false;
        g_stopCommands = 0;
        g_sourceFormat = {44100, 2, 1000, 26460};
        g_latency = 150;
        WAVEOUTCAPSA caps = {};
        waveOutGetDevCapsA(0, &caps, sizeof caps);
        lstrcpyA(g_deviceName, caps.szPname);
        g_deviceIndex = 0;
    }
    void TearDown() override
    {
        if (dialog_) DestroyWindow(dialog_);
        DestroyWindow(g_shell.mainWindow);
        g_shell.mainWindow = nullptr;
    }

    void Open()
    {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PREFERENCES), g_shell.mainWindow,
                                     PreferencesDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    std::string Text(int id) const
    {
        char text[256] = {};
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }
    void Type(const char* latency)
    {
        SetDlgItemTextA(dialog_, IDC_LATENCY_BOX, latency);
        Command(IDC_LATENCY_BOX, CBN_EDITCHANGE);
    }
    void Choose(int latencyEntry)
    {
        SendDlgItemMessageA(dialog_, IDC_LATENCY_BOX, CB_SETCURSEL, latencyEntry, 0);
        Command(IDC_LATENCY_BOX, CBN_SELENDOK);
    }
    void Command(int id, int code)
    {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }

    HWND dialog_ = nullptr;
};

TEST_F(PreferencesDialogTest, OpensWithTheCurrentDeviceLatencyAndBytes)
{
    g_deviceIndex = 1;
    Open();
    EXPECT_EQ(Text(IDC_LATENCY_BOX), "150");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "26460");
    HWND devices = GetDlgItem(dialog_, IDC_DEVICE_BOX);
    EXPECT_EQ(static_cast<UINT>(SendMessageA(devices, CB_GETCOUNT, 0, 0)), waveOutGetNumDevs());
    EXPECT_EQ(SendMessageA(devices, CB_GETCURSEL, 0, 0), 1);
    HWND latency = GetDlgItem(dialog_, IDC_LATENCY_BOX);
    ASSERT_EQ(SendMessageA(latency, CB_GETCOUNT, 0, 0), 8);
    const char* expected[] = {"20", "40", "60", "80", "100", "150", "200", "500"};
    for (int i = 0; i < 8; ++i) {
        char entry[16] = {};
        SendMessageA(latency, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, expected[i]);
    }
}

TEST_F(PreferencesDialogTest, BytesFollowTheLatencyWhileItIsValid)
{
    Open();
    Choose(0);
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "3528");
    Type("1000");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "3528");
    Type("  +100ms");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "17640");
    Type("9");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "17640");
}

TEST_F(PreferencesDialogTest, OkLimitsTheLatencyAndSetsTheBlockSize)
{
    const struct { const char* typed; int16_t latency; int32_t bytes; } cases[] = {
        {"1000", 500, 88200}, {"5", 10, 1764}, {"abc", 10, 1764}, {"60", 60, 10584}};
    for (const auto& c : cases) {
        g_latency = 150;
        Open();
        Type(c.typed);
        Command(IDOK, BN_CLICKED);
        EXPECT_EQ(g_latency, c.latency) << c.typed;
        EXPECT_EQ(g_sourceFormat.blockSize, c.bytes) << c.typed;
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

TEST_F(PreferencesDialogTest, BlockSizeUsesTheSourceRate)
{
    g_sourceFormat.sampleRate = 22050;
    g_latency = 100;
    Open();
    Type("150");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "13228");
    Command(IDOK, BN_CLICKED);
    EXPECT_EQ(g_sourceFormat.blockSize, 13228);
}

TEST_F(PreferencesDialogTest, OkWithoutAChangeLeavesPlaybackAlone)
{
    g_playbackActive = true;
    g_sourceFormat.blockSize = 12345;
    Open();
    Command(IDOK, BN_CLICKED);
    EXPECT_EQ(g_stopCommands, 0);
    EXPECT_EQ(g_sourceFormat.blockSize, 12345);
}

TEST_F(PreferencesDialogTest, AnotherDeviceStopsPlaybackAndIsStored)
{
    ASSERT_GE(waveOutGetNumDevs(), 2u);
    g_playbackActive = true;
    Open();
    SendDlgItemMessageA(dialog_, IDC_DEVICE_BOX, CB_SETCURSEL, 1, 0);
    Command(IDOK, BN_CLICKED);
    EXPECT_EQ(g_stopCommands, 1);
    EXPECT_EQ(g_deviceIndex, 1);
    WAVEOUTCAPSA caps = {};
    waveOutGetDevCapsA(1, &caps, sizeof caps);
    EXPECT_STREQ(g_deviceName, caps.szPname);
}

TEST_F(PreferencesDialogTest, CancelChangesNothing)
{
    Open();
    Type("40");
    SendDlgItemMessageA(dialog_, IDC_DEVICE_BOX, CB_SETCURSEL, 1, 0);
    Command(IDCANCEL, BN_CLICKED);
    EXPECT_EQ(g_latency, 150);
    EXPECT_EQ(g_deviceIndex, 0);
    EXPECT_EQ(g_sourceFormat.blockSize, 26460);
}

}  // namespace
