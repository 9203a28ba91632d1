// A machine with more wave-out devices than the Preferences dialog used to
// list: the test bed's sound server is given two dozen more sinks, and the
// real program lists them all and keeps the one stored beyond the twentieth.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bed_agent_client.h"
#include "fault_fixture.h"

namespace {

// The device box's entries as the program lists them (wide text crosses
// the process boundary whole).
std::vector<std::string> BoxEntries(HWND box)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[64] = {};
        char text[64] = {};
        SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        entries.push_back(text);
    }
    return entries;
}

class DeviceListTest : public QuellboxFaultTest {
protected:
    void TearDown() override
    {
        QuellboxFaultTest::TearDown();
        EXPECT_TRUE(BedAction("remove-sinks"));
    }

    HWND OpenPreferences(QuellboxProcess& app)
    {
        app.Command(IDM_PREFERENCES);
        HWND dialog = app.WaitForDialog("Preferences", 10000);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    void Close(QuellboxProcess& app, HWND dialog, int button)
    {
        ASSERT_TRUE(ClickMiddle(GetDlgItem(dialog, button)));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
        app.Command(IDM_EXIT);
        EXPECT_EQ(app.WaitForExit(10000), 0);
    }
};

TEST_F(DeviceListTest, PreferencesListsEveryDeviceAndKeepsOneBeyondTheTwentieth)
{
    // Added before this process first asks for its devices.
    ASSERT_TRUE(BedAction("add-sinks 24"));
    std::vector<std::string> names = DeviceNames();
    ASSERT_GT(names.size(), 24u);

    // Every device is listed (in the order the program's device ids run).
    StartActive();
    HWND dialog = OpenPreferences(app_);
    ASSERT_NE(dialog, nullptr);
    const std::vector<std::string> listed = BoxEntries(GetDlgItem(dialog, IDC_DEVICE_BOX));
    Close(app_, dialog, IDCANCEL);
    std::vector<std::string> sortedListed = listed;
    std::sort(sortedListed.begin(), sortedListed.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(sortedListed, names);
    ASSERT_EQ(listed.size(), names.size());

    // A device stored beyond the twentieth is selected at its place; another
    // one beyond it, chosen and confirmed, is what the program keeps.
    const size_t stored = listed.size() - 3;
    ASSERT_GE(stored, 20u);
    WritePrivateProfileStringA("Wave Out", "Device", listed[stored].c_str(), kIni);
    QuellboxProcess again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(again.WaitForMainWindow());
    ASSERT_TRUE(again.ActivatePanel(20000));
    dialog = OpenPreferences(again);
    ASSERT_NE(dialog, nullptr);
    HWND box = GetDlgItem(dialog, IDC_DEVICE_BOX);
    EXPECT_EQ(BoxEntries(box), listed);
    EXPECT_EQ(SendMessageA(box, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(stored));
    EXPECT_EQ(ControlText(box), listed[stored]);
    // Chosen by hand: a click opens the box's list, a second closes it with
    // the box focused, and End picks the last device.
    ASSERT_TRUE(BringToForeground(dialog));
    ASSERT_TRUE(ClickMiddle(box));
    ASSERT_TRUE(ClickMiddle(box));
    PressKey(VK_END);
    EXPECT_TRUE(WaitForOutcome(
        [&] { return SendMessageA(box, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(listed.size() - 1); }, 2000));
    Close(again, dialog, IDOK);
    EXPECT_EQ(IniText("Wave Out", "Device"), listed.back());
}

}  // namespace
