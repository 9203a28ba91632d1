// The installer, run silently as a user's deployment would run it: what it
// puts where, the installed program with its manual, and the uninstaller.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "../e2e/quellbox_process.h"
#include "dist_support.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quellbox";

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

// Where the installer puts the program: Program Files of its own kind.
std::string InstallFolder() { return ShellFolder(CSIDL_PROGRAM_FILES) + "Quellbox"; }

std::string Shortcut() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "Quellbox.lnk"; }
std::string ManualShortcut() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "Quellbox Manual.lnk"; }

std::string UninstallValue(const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

bool UninstallKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The uninstaller runs from a copy of itself and returns at once; done once
// the folder and its registration are gone.
bool Uninstall()
{
    if (RunAndWait("\"" + InstallFolder() + "\\uninstall.exe\" /S", 30000) != 0) return false;
    return WaitUntil([] { return !FileExists(InstallFolder()) && !UninstallKeyExists(); }, 30000);
}

// Uninstalls what a test left installed, after its program has ended.
struct InstallationCleanup {
    ~InstallationCleanup()
    {
        EndHelpViewers();
        if (FileExists(InstallFolder() + "\\uninstall.exe")) Uninstall();
    }
};

class InstalledQuellbox : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA(SettingsFilePath().c_str());
        ASSERT_FALSE(FileExists(InstallFolder())) << "left over: " << InstallFolder();
        ASSERT_EQ(0, RunAndWait("\"" + DistFolder() + QBX_DIST_SETUP "\" /S", 60000));
    }

    // Started as its shortcut starts it, the panel enabled.
    void StartFromShortcut()
    {
        std::string target, folder;
        ASSERT_TRUE(ReadShortcut(Shortcut(), target, folder));
        ASSERT_TRUE(app_.Start(target, folder));
        ASSERT_TRUE(app_.WaitForMainWindow());
        ASSERT_TRUE(app_.ActivatePanel(20000));
    }

    InstallationCleanup cleanup_;  // runs after app_ has been ended
    QuellboxProcess app_;
};

TEST_F(InstalledQuellbox, SilentSetupInstallsEveryShippedFileIntoProgramFiles)
{
    EXPECT_TRUE(FilesDifferingFromStaged(InstallFolder() + "\\").empty())
        << ::testing::PrintToString(FilesDifferingFromStaged(InstallFolder() + "\\"));
    std::vector<std::string> expected = ProgramFolderNames();
    expected.push_back("uninstall.exe");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, FolderNames(InstallFolder() + "\\"));
    EXPECT_EQ(ManualPages(), FolderNames(InstallFolder() + "\\manual\\"));
}

TEST_F(InstalledQuellbox, StartMenuShortcutsStartTheProgramAndOpenTheManualInTheInstallFolder)
{
    std::string target, folder;
    ASSERT_TRUE(ReadShortcut(Shortcut(), target, folder)) << Shortcut();
    EXPECT_EQ(0, lstrcmpiA((InstallFolder() + "\\qbx15.exe").c_str(), target.c_str())) << target;
    // The program reads its manual from the folder it is started in.
    EXPECT_EQ(0, lstrcmpiA(InstallFolder().c_str(), folder.c_str())) << folder;

    // "Quellbox Manual": the contents page of the installed HTML manual.
    ASSERT_TRUE(ReadShortcut(ManualShortcut(), target, folder)) << ManualShortcut();
    const std::string contents = InstallFolder() + "\\manual\\index.html";
    EXPECT_EQ(0, lstrcmpiA(contents.c_str(), target.c_str())) << target;
    const std::string page = ReadWholeFile(target);
    EXPECT_NE(page.find("<title>Quellbox 1.5</title>"), std::string::npos) << target;
    EXPECT_TRUE(page == ReadWholeFile(StagedFolder() + "manual\\index.html"));
}

TEST_F(InstalledQuellbox, UninstallerIsRegistered)
{
    EXPECT_EQ("Quellbox 1.5", UninstallValue("DisplayName"));
    EXPECT_EQ("\"" + InstallFolder() + "\\uninstall.exe\"", UninstallValue("UninstallString"));
    EXPECT_EQ(InstallFolder(), UninstallValue("InstallLocation"));
}

TEST_F(InstalledQuellbox, HelpOpensTheManualAtItsContentsAndExitClosesTheViewer)
{
    StartFromShortcut();
    EXPECT_EQ(nullptr, VisibleHelpViewer());
    app_.Command(IDM_HELP);
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            viewer = VisibleHelpViewer();
            return viewer && ViewerTopicText(viewer).find("Chapter 8: Messages") != std::string::npos;
        },
        20000))
        << "viewer shows: " << (viewer ? ViewerTopicText(viewer) : "no viewer");
    // The viewer opens over the panel; set it aside beside the panel, as a
    // user would, so the panel can be reached for the next commands.
    RECT panel = {};
    GetWindowRect(app_.MainWindow(), &panel);
    SetWindowPos(viewer, nullptr, 0, 0, panel.left > 200 ? panel.left : 200, panel.top > 200 ? panel.top : 200,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The contents topic: the manual's title page with its chapter list.
    const std::string contents = ViewerTopicText(viewer);
    EXPECT_NE(contents.find("Quellbox plays a 16-bit PCM WAV file"), std::string::npos) << contents;
    EXPECT_NE(contents.find("Chapter 1: The control panel"), std::string::npos) << contents;

    // A jump from the contents reaches its chapter.
    ASSERT_TRUE(ClickViewerLink(viewer, "Chapter 7: The settings file"));
    EXPECT_TRUE(WaitUntil([&] { return ViewerTopicText(viewer).find("qbx15.ini") != std::string::npos; }, 10000))
        << ViewerTopicText(viewer);

    // Help again while the viewer is open brings that viewer back to the
    // contents, and once it shows them the request has been served: by it alone.
    EXPECT_TRUE(app_.Command(IDM_HELP));
    EXPECT_TRUE(WaitUntil([&] { return ViewerTopicText(viewer) == contents; }, 10000)) << ViewerTopicText(viewer);
    EXPECT_EQ(viewer, VisibleHelpViewer());

    EXPECT_TRUE(app_.Command(IDM_EXIT));
    EXPECT_EQ(0, app_.WaitForExit(15000));
    EXPECT_TRUE(WaitUntil([] { return HelpViewer() == nullptr; }, 10000)) << "the viewer stayed open";
}

TEST_F(InstalledQuellbox, SilentUninstallRemovesEverythingButTheSettingsFile)
{
    StartFromShortcut();
    app_.Command(IDM_EXIT);
    ASSERT_EQ(0, app_.WaitForExit(15000));
    ASSERT_TRUE(FileExists(SettingsFilePath()));

    ASSERT_TRUE(Uninstall()) << "still there: " << InstallFolder();
    EXPECT_FALSE(FileExists(Shortcut()));
    EXPECT_FALSE(FileExists(ManualShortcut()));
    EXPECT_FALSE(UninstallKeyExists());
    EXPECT_TRUE(FileExists(SettingsFilePath()));
}

}  // namespace
