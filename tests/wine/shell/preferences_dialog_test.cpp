// The Preferences dialog from the program's own template, driven through
// its real controls: the device box lists the real wave-out devices.
#include "dialogs/preferences_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "model/settings.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"

namespace {

class PreferencesDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = CreateWindowA("STATIC", "main", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr);
        g_sourceFormat = {44100, 2, 1000, 26460};
        WAVEOUTCAPSA caps = {};
        waveOutGetDevCapsA(0, &caps, sizeof caps);
        g_settings = {150, "", 0, 40, 30};
        lstrcpyA(g_settings.deviceName, caps.szPname);
        edited_ = g_settings;
    }
    void TearDown() override
    {
        if (dialog_) DestroyWindow(dialog_);
        DestroyWindow(owner_);
    }

    // The dialog over the copy edited_, as the Preferences command opens it.
    void Open()
    {
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PREFERENCES), owner_,
                                     PreferencesDialogProc, reinterpret_cast<LPARAM>(&edited_));
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
    // The settings in force are the dialog's to read, never to change.
    void ExpectSettingsInForceUntouched() const
    {
        EXPECT_EQ(g_settings.latency, 150);
        EXPECT_EQ(g_settings.deviceIndex, 0);
        EXPECT_EQ(g_sourceFormat.blockSize, 26460);
    }

    HWND owner_ = nullptr;
    HWND dialog_ = nullptr;
    Settings edited_ = {};
};

TEST_F(PreferencesDialogTest, OpensWithTheCopysDeviceLatencyAndBytes)
{
    edited_.deviceIndex = 1;
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

TEST_F(PreferencesDialogTest, BytesFollowTheLatencyAtTheSourceRateWhileItIsValid)
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
    DestroyWindow(dialog_);
    g_sourceFormat.sampleRate = 22050;
    Open();
    Type("150");
    EXPECT_EQ(Text(IDC_BYTES_VALUE), "13228");
}

TEST_F(PreferencesDialogTest, OkPutsTheLimitedLatencyIntoTheCopyOnly)
{
    const struct { const char* typed; int16_t latency; } cases[] = {{"1000", 500}, {"5", 10}, {"abc", 10}, {"60", 60}};
    for (const auto& c : cases) {
        edited_ = g_settings;
        Open();
        Type(c.typed);
        Command(IDOK, BN_CLICKED);
        EXPECT_EQ(edited_.latency, c.latency) << c.typed;
        ExpectSettingsInForceUntouched();
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

TEST_F(PreferencesDialogTest, AnotherDeviceIsTakenIntoTheCopyByNameAndIndex)
{
    ASSERT_GE(waveOutGetNumDevs(), 2u);
    Open();
    SendDlgItemMessageA(dialog_, IDC_DEVICE_BOX, CB_SETCURSEL, 1, 0);
    Command(IDOK, BN_CLICKED);
    EXPECT_EQ(edited_.deviceIndex, 1);
    WAVEOUTCAPSA caps = {};
    waveOutGetDevCapsA(1, &caps, sizeof caps);
    EXPECT_STREQ(edited_.deviceName, caps.szPname);
    EXPECT_EQ(edited_.latency, 150);
    ExpectSettingsInForceUntouched();
}

TEST_F(PreferencesDialogTest, CancelLeavesTheCopyAsItWas)
{
    Open();
    Type("40");
    SendDlgItemMessageA(dialog_, IDC_DEVICE_BOX, CB_SETCURSEL, 1, 0);
    Command(IDCANCEL, BN_CLICKED);
    EXPECT_EQ(edited_.latency, 150);
    EXPECT_EQ(edited_.deviceIndex, 0);
    EXPECT_STREQ(edited_.deviceName, g_settings.deviceName);
    ExpectSettingsInForceUntouched();
}

}  // namespace
