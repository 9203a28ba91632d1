// The Effects Patch dialog from the program's own template, driven through
// its real list boxes and buttons.
#include "dialogs/effects_patch_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "model/effects_patch.h"
#include "resources/resource_ids.h"

namespace {

class EffectsPatchDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEffectsPatch();
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EFFECTS_PATCH), nullptr,
                                     EffectsPatchDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(dialog_);
        ResetEffectsPatch();
    }

    std::vector<std::string> Entries(int list) const
    {
        std::vector<std::string> out;
        HWND box = GetDlgItem(dialog_, list);
        const int n = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[32] = {};
            SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog_, id)) != FALSE; }
    void Command(int id, int code = BN_CLICKED)
    {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }
    // Selects an entry by its text as a click would, with the notification.
    void Select(int list, const char* name)
    {
        HWND box = GetDlgItem(dialog_, list);
        const LRESULT i = SendMessageA(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        ASSERT_NE(i, LB_ERR) << name;
        SendMessageA(box, LB_SETCURSEL, i, 0);
        Command(list, LBN_SELCHANGE);
    }
    void Add(const char* name)
    {
        Select(IDC_AVAILABLE_LIST, name);
        Command(IDC_ADD);
    }
    void Remove(const char* name)
    {
        Select(IDC_PATCH_LIST, name);
        Command(IDC_REMOVE);
    }

    HWND dialog_ = nullptr;
    using Names = std::vector<std::string>;
};

TEST_F(EffectsPatchDialogTest, FirstOpeningShowsTheFullPatch)
{
    EXPECT_EQ(Entries(IDC_AVAILABLE_LIST), Names{});
    EXPECT_EQ(Entries(IDC_PATCH_LIST), (Names{"Phaser", "Flanger", "Chorus", "C-Delay"}));
    EXPECT_FALSE(Enabled(IDC_ADD));
    EXPECT_FALSE(Enabled(IDC_REMOVE));
    EXPECT_TRUE(Enabled(IDC_CLEAR));
}

TEST_F(EffectsPatchDialogTest, ClearThenAddBuildsANewOrder)
{
    Command(IDC_CLEAR);
    EXPECT_FALSE(Enabled(IDC_CLEAR));
    EXPECT_EQ(Entries(IDC_AVAILABLE_LIST), (Names{"Phaser", "Flanger", "Chorus", "C-Delay"}));
    Add("Chorus");
    EXPECT_FALSE(Enabled(IDC_ADD));
    EXPECT_TRUE(Enabled(IDC_CLEAR));
    Add("Phaser");
    EXPECT_EQ(Entries(IDC_PATCH_LIST), (Names{"Chorus", "Phaser"}));
    EXPECT_EQ(Entries(IDC_AVAILABLE_LIST), (Names{"Flanger", "C-Delay"}));

    Command(IDOK);
    EXPECT_EQ(g_effectsPatch.count, 2);
    EXPECT_EQ(g_effectsPatch.ids[0], 3);
    EXPECT_EQ(g_effectsPatch.ids[1], 1);
    EXPECT_EQ(g_effectsPatch.availableCount, 2);
    EXPECT_STREQ(g_effectsPatch.availableNames[0], "Flanger");
    EXPECT_STREQ(g_effectsPatch.availableNames[1], "C-Delay");
    // The Phaser was current and stays so, now at position 2.
    EXPECT_EQ(g_effectsPatch.position, 2);
}

TEST_F(EffectsPatchDialogTest, RemovingTheCurrentEffectMakesTheFirstCurrent)
{
    Remove("Phaser");
    EXPECT_FALSE(Enabled(IDC_REMOVE));
    Command(IDOK);
    EXPECT_EQ(g_effectsPatch.position, 1);
    EXPECT_EQ(CurrentEffectId(), 2);
    EXPECT_EQ(g_effectsPatch.count, 3);
}

TEST_F(EffectsPatchDialogTest, ReorderingKeepsTheCurrentEffect)
{
    g_effectsPatch.position = 2;  // the Flanger
    Remove("Flanger");
    Select(IDC_AVAILABLE_LIST, "Flanger");
    Command(IDC_AVAILABLE_LIST, LBN_DBLCLK);  // a double-click adds as well
    EXPECT_EQ(Entries(IDC_PATCH_LIST), (Names{"Phaser", "Chorus", "C-Delay", "Flanger"}));
    Command(IDOK);
    EXPECT_EQ(g_effectsPatch.position, 4);
    EXPECT_EQ(CurrentEffectId(), 2);
}

TEST_F(EffectsPatchDialogTest, AnEmptyPatchKeepsThePosition)
{
    g_effectsPatch.position = 3;
    for (const char* name : {"Phaser", "Flanger", "Chorus", "C-Delay"}) {
        Select(IDC_PATCH_LIST, name);
        Command(IDC_PATCH_LIST, LBN_DBLCLK);
    }
    EXPECT_FALSE(Enabled(IDC_CLEAR));
    Command(IDOK);
    EXPECT_EQ(g_effectsPatch.count, 0);
    EXPECT_EQ(g_effectsPatch.availableCount, 4);
    EXPECT_EQ(g_effectsPatch.position, 3);
}

TEST_F(EffectsPatchDialogTest, CancelLeavesEverythingAsItWas)
{
    Command(IDC_CLEAR);
    Add("C-Delay");
    Command(IDCANCEL);
    EXPECT_EQ(g_effectsPatch.count, 4);
    EXPECT_EQ(g_effectsPatch.ids[3], 4);
    EXPECT_EQ(g_effectsPatch.availableCount, 0);
}

TEST_F(EffectsPatchDialogTest, AddWithoutASelectionDoesNothing)
{
    Command(IDC_CLEAR);
    Command(IDC_ADD);
    EXPECT_EQ(Entries(IDC_PATCH_LIST), Names{});
    EXPECT_EQ(Entries(IDC_AVAILABLE_LIST).size(), 4u);
}

}  // namespace
