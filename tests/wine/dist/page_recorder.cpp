// Stands in for the user's web browser: writes the page it was asked to
// open (its one argument, in UTF-8) into the file that the environment
// variable QBX_OPENED_PAGE names, and ends.
#include <windows.h>
#include <shellapi.h>

int main()
{
    wchar_t record[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"QBX_OPENED_PAGE", record, MAX_PATH)) return 1;
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count != 2) return 1;
    char page[4 * MAX_PATH] = "";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, args[1], -1, page, sizeof page, nullptr, nullptr);
    LocalFree(args);
    if (bytes <= 0) return 1;
    HANDLE file = CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, page, static_cast<DWORD>(bytes - 1), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
