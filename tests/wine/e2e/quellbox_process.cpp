#include "quellbox_process.h"

#include <dlgs.h>

#include "tests/support/file_helpers.h"
#include "tests/support/message_box_catcher.h"

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    const char* title;
    bool visibleOnly;
    int childId;  // when not 0: a window with a child of this id
    HWND found;
};

// The popup menu's items by their underlined letters.
struct MenuKey {
    int command;
    char key;
};
const MenuKey kMenuKeys[] = {
    {IDM_OPEN, 'O'},        {IDM_EFFECTS_PATCH, 'E'}, {IDM_MIXDOWN, 'M'}, {IDM_ABOUT, 'A'},
    {IDM_PREFERENCES, 'P'}, {IDM_HELP, 'H'},          {IDM_EXIT, 'X'},
};

HWND FindWindowOf(DWORD pid, const char* className, const char* title, bool visibleOnly, int childId = 0);

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (search->childId && !GetDlgItem(window, search->childId)) return TRUE;
    char text[256] = "";
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpA(text, search->className) != 0) return TRUE;
    }
    if (search->title) {
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, search->title) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindWindowOf(DWORD pid, const char* className, const char* title, bool visibleOnly, int childId)
{
    WindowSearch search = {pid, className, title, visibleOnly, childId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The path of a file or folder of this machine that Wine maps to the
// Windows path (kernel32's wine_get_unix_file_name); "" when there is none.
std::string UnixPath(const std::string& path)
{
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix =
        reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    WCHAR wide[MAX_PATH] = L"";
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return "";
    char* unixPath = toUnix(wide);
    if (!unixPath) return "";
    const std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

}  // namespace

std::string BinaryFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

int RunAndWait(const std::string& commandLine, DWORD milliseconds)
{
    std::string command = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

HWND FindProcessWindow(DWORD pid, const char* className, const char* title)
{
    return FindWindowOf(pid, className, title, false);
}

QuellboxProcess::~QuellboxProcess()
{
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool QuellboxProcess::Start() { return Start(BinaryFolder() + "qbx15.exe", BinaryFolder()); }

bool QuellboxProcess::Start(const std::string& program, const std::string& folder)
{
    if (info_.hProcess) {  // a copy started before, which has ended
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
        info_ = {};
    }
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info_) != FALSE;
}

bool QuellboxProcess::Attach()
{
    main_ = FindWindowA("zantil_quellbox", nullptr);
    if (main_) GetWindowThreadProcessId(main_, &info_.dwProcessId);
    return main_ != nullptr;
}

bool QuellboxProcess::WaitForMainWindow()
{
    return WaitUntil(
        [this] {
            main_ = FindProcessWindow(info_.dwProcessId, "zantil_quellbox", nullptr);
            return main_ != nullptr && IsWindowVisible(main_);
        },
        15000);
}

int QuellboxProcess::WaitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

std::string QuellboxProcess::Title() const { return ControlText(main_); }

std::string ControlText(HWND window)
{
    wchar_t text[MAX_PATH * 2] = L"";
    SendMessageW(window, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text));
    char utf8[MAX_PATH * 6] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

bool QuellboxProcess::Command(int id) const
{
    // The five buttons' ids run from IDC_PLAY to IDC_DOWN.
    if (id >= IDC_PLAY && id <= IDC_DOWN) return ClickControl(id);
    for (const MenuKey& item : kMenuKeys) {
        if (item.command != id) continue;
        // The menu reads the keyboard of the foreground window's thread: the
        // panel comes to the front first, as a click on it does on a desktop.
        if (!BringToForeground(main_) || !RightClick()) return false;
        // The letter is pressed only while the menu is up in the foreground.
        const DWORD thread = GetWindowThreadProcessId(main_, nullptr);
        const auto menuHasTheKeys = [&] {
            return PopupMenu() && GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == thread;
        };
        if (!WaitUntil(menuHasTheKeys, 5000)) return false;
        PressKey(static_cast<WORD>(item.key));
        return WaitUntil([this] { return PopupMenu() == nullptr; }, 5000);
    }
    return false;
}

bool QuellboxProcess::ClickControl(int id) const { return ClickMiddle(Control(id)); }

bool UncoverAt(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HWND root = GetAncestor(window, GA_ROOT);
    const auto uncovered = [&] { return GetAncestor(WindowFromPoint(p), GA_ROOT) == root; };
    if (uncovered()) return true;
    SetForegroundWindow(root);
    return WaitUntil(uncovered, 5000);
}

bool ClickMiddle(HWND window)
{
    RECT r = {};
    if (!window || !GetClientRect(window, &r)) return false;
    return UncoverAt(window, r.right / 2, r.bottom / 2) && ClickAt(window, r.right / 2, r.bottom / 2);
}

GUITHREADINFO GuiThreadOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

bool SelectBoxText(HWND box)
{
    RECT r = {};
    if (!box || !GetClientRect(box, &r)) return false;
    // Clicked again until the box has the keys: a click given while a
    // dialog is still being laid out or activated may miss it.
    const auto clickedIn = [&] {
        return ClickAt(box, 8, r.bottom / 2) && WaitUntil([box] { return KeysReach(box); }, 1000);
    };
    if (!WaitUntil(clickedIn, 10000)) return false;
    PressKey(VK_END);
    PressKeys({VK_SHIFT, VK_HOME});
    return true;
}

// Keys reach the focus window of the foreground thread: they are pressed
// only while the box (or a combo box's own edit field) has the focus in the
// foreground window. Sent otherwise, a Delete could reach a dialog's file
// list and delete a file there, or an Enter open a folder.
bool KeysReach(HWND box)
{
    const HWND focus = GuiThreadOf(box).hwndFocus;
    return GetForegroundWindow() == GetAncestor(box, GA_ROOT) && (focus == box || IsChild(box, focus));
}

bool TypeIntoBox(HWND box, const std::string& text)
{
    if (!SelectBoxText(box) || !KeysReach(box)) return false;
    PressKey(VK_DELETE);
    TypeText(text.c_str());
    return WaitUntil([&] { return ControlText(box) == text; }, 10000);
}

bool QuellboxProcess::RightClick(int x, int y) const { return UncoverAt(main_, x, y) && RightClickAt(main_, x, y); }

HWND QuellboxProcess::PopupMenu() const { return FindWindowOf(info_.dwProcessId, "#32768", nullptr, true); }

bool QuellboxProcess::CloseMenu() const
{
    if (!PopupMenu()) return true;
    PressKey(VK_ESCAPE);
    return WaitUntil([this] { return PopupMenu() == nullptr; }, 5000);
}

bool QuellboxProcess::OpensItsMenuNext() const
{
    return RightClick() && WaitUntil([this] { return PopupMenu() != nullptr; }, 5000) && CloseMenu();
}

bool QuellboxProcess::ActivatePanel(DWORD milliseconds)
{
    const bool enabled = WaitUntil(
        [this] {
            if (Enabled(IDC_KNOB_FREQ)) return true;
            RightClick();
            return WaitUntil([this] { return Enabled(IDC_KNOB_FREQ); }, 400);
        },
        milliseconds);
    if (!enabled) return false;
    // The release of the click that enabled the panel opens the menu.
    WaitUntil([this] { return PopupMenu() != nullptr; }, 3000);
    return CloseMenu();
}

HWND QuellboxProcess::WaitForDialog(const char* caption, DWORD milliseconds) const
{
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = FindWindowOf(info_.dwProcessId, "#32770", caption, true);
            return dialog != nullptr;
        },
        milliseconds);
    return dialog;
}

bool QuellboxProcess::ChooseInFileDialog(int command, const char* caption, const std::string& path,
                                         std::string* proposed)
{
    if (!Command(command)) return false;
    HWND dialog = WaitForDialog(caption, 10000);
    if (!dialog) return false;
    // The file name box of the explorer-style dialog (cmb13, else edt1).
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (!nameBox) nameBox = GetDlgItem(dialog, edt1);
    if (!nameBox) return false;
    if (proposed) *proposed = ControlText(nameBox);
    if (!TypeIntoBox(nameBox, path) || !KeysReach(nameBox)) return false;
    PressKey(VK_RETURN);
    // Before it replaces a file the Save dialog asks, in a box of this copy
    // with a Yes button: the user clicks Yes.
    return WaitUntil(
        [&] {
            HWND question = FindWindowOf(info_.dwProcessId, "#32770", nullptr, true, IDYES);
            if (question && ClickMiddle(GetDlgItem(question, IDYES)))
                WaitUntil([question] { return !IsWindow(question); }, 5000);
            return !IsWindow(dialog);
        },
        10000);
}

bool QuellboxProcess::OpenThroughDialog(const std::string& path)
{
    return ChooseInFileDialog(IDM_OPEN, "Open", path, nullptr);
}

bool QuellboxProcess::MixdownThroughDialog(const std::string& path, std::string* proposed)
{
    return ChooseInFileDialog(IDM_MIXDOWN, nullptr, path, proposed);
}

std::string QuellboxProcess::AnswerMessageBox(DWORD milliseconds) const
{
    HWND box = WaitForDialog("Quellbox", milliseconds);
    if (!box) return "";
    char text[256] = "";
    GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
    if (BringToForeground(box)) PressKey(VK_RETURN);
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    return text;
}

bool QuellboxProcess::HoldWindowThread(bool hold) const
{
    const DWORD threadId = GetWindowThreadProcessId(MainWindow(), nullptr);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
    if (!thread) return false;
    const DWORD count = hold ? SuspendThread(thread) : ResumeThread(thread);
    CloseHandle(thread);
    return count != static_cast<DWORD>(-1);
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string DragFilesOnto(HWND window, int x, int y, const std::vector<std::string>& files)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string outcome = std::string(temp) + "qbx_drag_outcome.txt";
    DeleteFileA(outcome.c_str());
    POINT point = {x, y};
    ClientToScreen(window, &point);
    // Wine starts a program of this machine as it is, without a process
    // handle to wait on: the outcome file tells when the drag is over.
    std::string command = "\"" + BinaryFolder() + "..\\host-tools\\qbx_desktop_drag\" \"" + UnixPath(outcome) +
                          "\" " + std::to_string(point.x) + " " + std::to_string(point.y);
    for (const std::string& file : files) command += " \"" + UnixPath(file) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return "failed\nthe drag could not be started: " + command;
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    if (!WaitUntil([&] { return FileExists(outcome); }, 30000)) return "failed\nthe drag did not end";
    std::string answer = ReadWholeFile(outcome);
    DeleteFileA(outcome.c_str());
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return answer;
}
