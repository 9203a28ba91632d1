// The zip archive, unpacked into a fresh folder before these tests (see
// CMakeLists.txt): it holds the program and all it needs, and the program
// runs from there.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

#include "../e2e/quellbox_process.h"
#include "dist_support.h"
#include "tests/support/temp_dir.h"

namespace {

std::string UnpackedFolder() { return DistFolder() + "unpacked\\"; }

class UnpackedQuellbox : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(SettingsFilePath().c_str()); }
    void TearDown() override { EndHelpViewers(); }

    void StartIn(const std::string& folder)
    {
        ASSERT_TRUE(app_.Start(UnpackedFolder() + "qbx15.exe", folder));
        ASSERT_TRUE(app_.WaitForMainWindow());
    }

    QuellboxProcess app_;
};

TEST_F(UnpackedQuellbox, ArchiveHoldsExactlyTheFilesThatShip)
{
    EXPECT_EQ(ProgramFolderNames(), FolderNames(UnpackedFolder()));
    EXPECT_EQ(ManualPages(), FolderNames(UnpackedFolder() + "manual\\"));
    EXPECT_TRUE(FilesDifferingFromStaged(UnpackedFolder()).empty())
        << ::testing::PrintToString(FilesDifferingFromStaged(UnpackedFolder()));
    // The README is written for Windows editors.
    const std::string readme = ReadWholeFile(UnpackedFolder() + "README.txt");
    EXPECT_NE(readme.find("Quellbox 1.5\r\n"), std::string::npos);
    EXPECT_EQ(readme.find("\n"), readme.find("\r\n") + 1);
}

TEST_F(UnpackedQuellbox, ProgramStartsFromTheUnpackedFolderAndClosesCleanly)
{
    StartIn(UnpackedFolder());
    EXPECT_EQ("Quellbox", app_.Title());
    EXPECT_TRUE(app_.ActivatePanel(20000));
    // The caption's close button.
    PostMessageA(app_.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, app_.WaitForExit(15000));
    EXPECT_TRUE(FileExists(SettingsFilePath()));
}

TEST_F(UnpackedQuellbox, AMissingHelpFileIsReportedByTheViewerAndTheProgramGoesOn)
{
    // Started in a folder without the manual, it looks for the manual there.
    TempDir elsewhere;
    StartIn(elsewhere.Path());
    ASSERT_TRUE(app_.ActivatePanel(20000));
    app_.Command(IDM_HELP);
    const std::string message = AnswerViewerMessage(20000);
    EXPECT_NE(message.find("qbx15.hlp"), std::string::npos) << message;

    // The program still answers its panel.
    app_.Command(IDC_UP);
    DWORD_PTR answer = 0;
    EXPECT_NE(0, SendMessageTimeoutA(app_.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    app_.Command(IDM_EXIT);
    EXPECT_EQ(0, app_.WaitForExit(15000));
    EXPECT_TRUE(WaitUntil([] { return HelpViewer() == nullptr; }, 10000)) << "the viewer stayed open";
}

// Windows 10 and later have no WinHelp viewer. Wine is told to answer the
// program as Windows 10 does, and web pages are given to a recorder that
// stands in for the user's browser (the association of .html, set and put
// back here).
class UnpackedOnWindows10 : public UnpackedQuellbox {
protected:
    void SetUp() override
    {
        UnpackedQuellbox::SetUp();
        record_ = dir_.File("opened page.txt");
        SetEnvironmentVariableA("QBX_OPENED_PAGE", record_.c_str());
        SetValue(kVersionKey, "Version", "win10");
        const std::string recorder = BinaryFolder() + "qbx_page_recorder.exe";
        SetValue(kPageClassKey, "", "\"" + recorder + "\" \"%1\"");
        RegGetValueA(HKEY_LOCAL_MACHINE, kHtmlKey, "", RRF_RT_REG_SZ, nullptr, htmlClass_, &htmlClassSize_);
        SetValue(kHtmlKey, "", "QuellboxTest.Page");
    }
    void TearDown() override
    {
        if (htmlClass_[0]) SetValue(kHtmlKey, "", htmlClass_);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\QuellboxTest.Page");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\qbx15.exe");
        SetEnvironmentVariableA("QBX_OPENED_PAGE", nullptr);
        UnpackedQuellbox::TearDown();
    }
    static void SetValue(const char* key, const char* name, const std::string& value)
    {
        const HKEY root = key == kVersionKey ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(),
                                                 static_cast<DWORD>(value.size() + 1)))
            << key;
    }
    static constexpr const char* kVersionKey = "Software\\Wine\\AppDefaults\\qbx15.exe";
    static constexpr const char* kHtmlKey = "Software\\Classes\\.html";
    static constexpr const char* kPageClassKey = "Software\\Classes\\QuellboxTest.Page\\shell\\open\\command";

    TempDir dir_;
    std::string record_;
    char htmlClass_[256] = "";
    DWORD htmlClassSize_ = sizeof htmlClass_;
};

TEST_F(UnpackedOnWindows10, HelpOpensTheHtmlManualBesideTheProgramInTheBrowser)
{
    // Started elsewhere: the HTML manual is found beside the program.
    TempDir elsewhere;
    StartIn(elsewhere.Path());
    ASSERT_TRUE(app_.ActivatePanel(20000));
    ASSERT_TRUE(app_.Command(IDM_HELP));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(record_); }, 20000)) << "no page was opened";
    char contents[MAX_PATH] = "";
    GetFullPathNameA((UnpackedFolder() + "manual\\index.html").c_str(), MAX_PATH, contents, nullptr);
    EXPECT_EQ(0, lstrcmpiA(contents, ReadWholeFile(record_).c_str())) << ReadWholeFile(record_);
    EXPECT_EQ(nullptr, HelpViewer()) << "no WinHelp viewer on this Windows";
    EXPECT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(15000));
}

TEST_F(UnpackedOnWindows10, WithoutTheHtmlManualHelpGivesTheSystemsMessageForAMissingFile)
{
    // The program's own files, without the manual's folder.
    TempDir bare;
    for (const std::string& name : ShippedFiles())
        ASSERT_TRUE(CopyFileA((UnpackedFolder() + name).c_str(), bare.File(name).c_str(), FALSE)) << name;
    ASSERT_TRUE(app_.Start(bare.File("qbx15.exe"), bare.Path()));
    ASSERT_TRUE(app_.WaitForMainWindow());
    ASSERT_TRUE(app_.ActivatePanel(20000));
    ASSERT_TRUE(app_.Command(IDM_HELP));
    char missing[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0,
                   missing, sizeof missing, nullptr);
    std::string expected = missing;
    while (!expected.empty() && std::isspace(static_cast<unsigned char>(expected.back()))) expected.pop_back();
    EXPECT_EQ(expected, app_.AnswerMessageBox(20000));
    EXPECT_TRUE(app_.OpensItsMenuNext());
    EXPECT_FALSE(FileExists(record_)) << "a page was opened";
    EXPECT_EQ(nullptr, HelpViewer());
    EXPECT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(15000));
}

}  // namespace
