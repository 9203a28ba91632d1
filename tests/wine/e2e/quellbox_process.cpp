#include "quellbox_process.h"

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid) return TRUE;
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

}  // namespace

std::string BinaryFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= milliseconds) return condition();
        Sleep(20);
    }
}

HWND FindProcessWindow(DWORD pid, const char* className, const char* title)
{
    WindowSearch search = {pid, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

std::string QuellboxProcess::Title() const
{
    char text[300] = "";
    GetWindowTextA(main_, text, sizeof text);
    return text;
}

void QuellboxProcess::Command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void QuellboxProcess::RightClick(int x, int y) const
{
    PostMessageA(main_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
}

bool QuellboxProcess::ActivatePanel(DWORD milliseconds)
{
    return WaitUntil(
        [this] {
            if (Enabled(1)) return true;
            RightClick();
            Sleep(150);
            return Enabled(1);
        },
        milliseconds);
}

HWND QuellboxProcess::WaitForDialog(const char* caption, DWORD milliseconds) const
{
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = FindProcessWindow(info_.dwProcessId, "#32770", caption);
            return dialog != nullptr && IsWindowVisible(dialog);
        },
        milliseconds);
    return dialog;
}

bool QuellboxProcess::ChooseInFileDialog(int command, const char* caption, const std::string& path)
{
    Command(command);
    HWND dialog = WaitForDialog(caption, 10000);
    if (!dialog) return false;
    // The file name box of the explorer-style dialog (cmb13, else edt1).
    HWND nameBox = GetDlgItem(dialog, 0x47C);
    if (!nameBox) nameBox = GetDlgItem(dialog, 0x480);
    if (!nameBox) return false;
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return WaitUntil([dialog] { return !IsWindow(dialog); }, 10000);
}

bool QuellboxProcess::OpenThroughDialog(const std::string& path) { return ChooseInFileDialog(101, "Open", path); }

bool QuellboxProcess::MixdownThroughDialog(const std::string& path) { return ChooseInFileDialog(105, nullptr, path); }

std::string QuellboxProcess::AnswerMessageBox(DWORD milliseconds) const
{
    HWND box = WaitForDialog("Quellbox", milliseconds);
    if (!box) return "";
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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
