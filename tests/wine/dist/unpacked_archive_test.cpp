// The zip archive, unpacked into a fresh folder before these tests (see
// CMakeLists.txt): it holds the program and all it needs, and the program
// runs from there.
#include <gtest/gtest.h>
#include <windows.h>

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

}  // namespace
