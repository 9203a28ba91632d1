#include "dist_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "../e2e/quellbox_process.h"
#include "tests/support/message_box_catcher.h"

const std::vector<std::string>& ShippedFiles()
{
    static const std::vector<std::string> names = {
        "README.txt", "chdelay.dll", "chorus.dll", "demo.wav", "flanger.dll", "led.dll",
        "phaser.dll", "player.dll", "qbx15.cnt", "qbx15.exe", "qbx15.hlp"};
    return names;
}

std::string DistFolder() { return BinaryFolder() + "..\\dist\\"; }

std::string StagedFolder() { return DistFolder() + QBX_DIST_NAME "\\"; }

std::vector<std::string> ManualPages() { return FolderNames(StagedFolder() + "manual\\"); }

std::vector<std::string> ProgramFolderNames()
{
    std::vector<std::string> names = ShippedFiles();
    names.push_back("manual");
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FilesDifferingFromStaged(const std::string& folder)
{
    std::vector<std::string> names = ShippedFiles();
    for (const std::string& page : ManualPages()) names.push_back("manual\\" + page);
    std::vector<std::string> differing;
    for (const std::string& name : names) {
        const std::string file = ReadWholeFile(folder + name);
        if (file.empty() || file != ReadWholeFile(StagedFolder() + name)) differing.push_back(name);
    }
    return differing;
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadShortcut(const std::string& link, std::string& target, std::string& workingFolder)
{
    const HRESULT init = CoInitialize(nullptr);
    bool ok = false;
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH] = L"";
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
            char path[MAX_PATH] = "";
            char folder[MAX_PATH] = "";
            ok = SUCCEEDED(file->Load(wide, STGM_READ)) &&
                 SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
                 SUCCEEDED(shellLink->GetWorkingDirectory(folder, MAX_PATH));
            target = path;
            workingFolder = folder;
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

std::string SettingsFilePath()
{
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\qbx15.ini";
}

HWND HelpViewer() { return FindWindowA("MS_WINHELP", nullptr); }

namespace {

BOOL CALLBACK MatchVisibleViewer(HWND window, LPARAM lParam)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "MS_WINHELP") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
}

struct ClassSearch {
    const char* prefix;
    HWND found;
};

BOOL CALLBACK MatchClassPrefix(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (_strnicmp(name, search->prefix, lstrlenA(search->prefix)) != 0 || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The viewer shows a topic in a rich edit control.
HWND TopicWindow(HWND viewer)
{
    ClassSearch search = {"RichEdit", nullptr};
    EnumChildWindows(viewer, MatchClassPrefix, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND VisibleHelpViewer()
{
    HWND viewer = nullptr;
    EnumWindows(MatchVisibleViewer, reinterpret_cast<LPARAM>(&viewer));
    return viewer;
}

void EndHelpViewers()
{
    for (HWND viewer = HelpViewer(); viewer; viewer = HelpViewer()) {
        DWORD pid = 0;
        GetWindowThreadProcessId(viewer, &pid);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!process) return;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

std::string ViewerTopicText(HWND viewer)
{
    HWND topic = TopicWindow(viewer);
    if (!topic) return "";
    // Sent, not GetWindowText: that gives only the caption of another process's window.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(topic, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(topic, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

bool ClickViewerLink(HWND viewer, const std::string& linkText)
{
    HWND topic = TopicWindow(viewer);
    const std::string text = ViewerTopicText(viewer);
    const size_t at = text.find(linkText);
    if (!topic || at == std::string::npos) return false;
    // The control counts a paragraph end as one character; its text gives "\r\n".
    LONG position = static_cast<LONG>(at);
    for (size_t i = text.find("\r\n"); i != std::string::npos && i < at; i = text.find("\r\n", i + 2)) --position;
    const LRESULT point = SendMessageA(topic, EM_POSFROMCHAR, static_cast<WPARAM>(position + 2), 0);
    const LPARAM click = MAKELPARAM(LOWORD(point) + 2, HIWORD(point) + 4);
    PostMessageA(topic, WM_MOUSEMOVE, 0, click);
    PostMessageA(topic, WM_LBUTTONDOWN, MK_LBUTTON, click);
    PostMessageA(topic, WM_LBUTTONUP, 0, click);
    return true;
}

std::string AnswerViewerMessage(DWORD milliseconds)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            HWND viewer = HelpViewer();
            if (!viewer) return false;
            DWORD pid = 0;
            GetWindowThreadProcessId(viewer, &pid);
            box = FindProcessWindow(pid, "#32770", nullptr);
            return box != nullptr && IsWindowVisible(box);
        },
        milliseconds);
    if (!box) return "";
    char text[512] = "";
    GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
    // A question is answered No, a notice OK.
    const int answer = GetDlgItem(box, IDNO) ? IDNO : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    return text;
}
