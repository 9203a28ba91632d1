#include "app/help.h"

#include <objbase.h>
#include <shellapi.h>

#include "dialogs/error_box.h"

namespace {

// WinHlp32 ships with Windows up to XP and can be installed on Vista to 8.1;
// from Windows 10 on it cannot, and winhlp32.exe only says that the format
// is no longer supported.
constexpr DWORD kFirstWindowsWithoutWinHelp = 10;

constexpr wchar_t kManualContents[] = L"manual\\index.html";

// Room for the program's path with the manual's name in place of its own.
constexpr DWORD kManualPathSize = 4 * MAX_PATH;

using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);

// The running Windows' major version as the kernel tells it. GetVersionEx
// and the version helpers answer 6.2 to a program whose manifest does not
// declare Windows 10; RtlGetVersion always answers the truth.
DWORD WindowsMajorVersion()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return 0;
    const auto query = reinterpret_cast<RtlGetVersionProc>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!query || query(&version) != 0) return 0;
    return version.dwMajorVersion;
}

bool HasWinHelpViewer() { return WindowsMajorVersion() < kFirstWindowsWithoutWinHelp; }

// manual\index.html in the program's folder (in UTF-16, so any folder name
// is kept whole); false when the path does not fit.
bool ManualContentsPath(wchar_t* path, DWORD size)
{
    const DWORD length = GetModuleFileNameW(nullptr, path, size);
    if (length == 0 || length >= size) return false;
    DWORD folder = length;
    while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/') --folder;
    if (folder + ARRAYSIZE(kManualContents) > size) return false;
    lstrcpyW(path + folder, kManualContents);
    return true;
}

void ShowFileNotFound(HWND owner)
{
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        ERROR_FILE_NOT_FOUND, 0, text, sizeof text, nullptr);
    // The system's texts end with a line break.
    for (DWORD end = length; end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n' || text[end - 1] == ' ');)
        text[--end] = '\0';
    ShowErrorBox(owner, text);
}

// The page goes to whatever the user has chosen to open web pages with; the
// shell tells of its own failures (no such program) itself.
void OpenHtmlManual(HWND window)
{
    wchar_t path[kManualPathSize] = L"";
    if (!ManualContentsPath(path, kManualPathSize) || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        ShowFileNotFound(window);
        return;
    }
    // Some shell extensions that open a file are COM objects.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = window;
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

// HELP_FORCEFILE opens the manual at its default topic unless the viewer
// already shows it; Wine's viewer ignores that command (it opens an empty
// window), so HELP_CONTENTS follows and brings up the contents topic, the
// manual's default topic, in every viewer.
void ShowManual(HWND window, const char* helpPath)
{
    if (!HasWinHelpViewer()) {
        OpenHtmlManual(window);
        return;
    }
    WinHelpA(window, helpPath, HELP_FORCEFILE, 0);
    WinHelpA(window, helpPath, HELP_CONTENTS, 0);
}

void CloseManual(HWND window, const char* helpPath)
{
    if (HasWinHelpViewer()) WinHelpA(window, helpPath, HELP_QUIT, 0);
}
