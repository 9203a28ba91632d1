// The manual for the platform's help viewer, built beside the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    dir = dir.substr(0, dir.find_last_of('\\') + 1);
    return dir + name;
}

struct TitleSearch {
    DWORD process;
    std::string title;
};

BOOL CALLBACK FindTitleOfProcess(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<TitleSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char title[512] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    if (pid == search->process && IsWindowVisible(hwnd) && title[0]) {
        search->title = title;
        return FALSE;
    }
    return TRUE;
}

TEST(HelpFile, IsBuiltBesideTheProgram)
{
    const std::string path = BesideThisProgram("qbx15.hlp");
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    char magic[4] = {};
    DWORD read = 0;
    ReadFile(f, magic, 4, &read, nullptr);
    CloseHandle(f);
    // Every WinHelp file starts with this magic number.
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(magic, 4), std::string("\x3F\x5F\x03\x00", 4));
}

TEST(HelpFile, ThePlatformViewerOpensItAtItsContents)
{
    std::string command = "winhlp32.exe \"" + BesideThisProgram("qbx15.hlp") + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForInputIdle(pi.hProcess, 20000);

    // The viewer names the manual's title once it has read the file.
    TitleSearch search = {pi.dwProcessId, ""};
    for (int i = 0; i < 200 && search.title.find("Quellbox 1.5") == std::string::npos; ++i) {
        search.title.clear();
        EnumWindows(FindTitleOfProcess, reinterpret_cast<LPARAM>(&search));
        Sleep(50);
    }
    EXPECT_NE(search.title.find("Quellbox 1.5"), std::string::npos) << search.title;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace
