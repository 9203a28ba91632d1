#include "tests/support/file_helpers.h"

#include <windows.h>
#include <mmsystem.h>

std::string ReadWholeFile(const std::string& path)
{
    // Shared every way, so that reading never stands in the program's way.
    const DWORD everyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, everyShare, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string WindowsFile(const char* name)
{
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}

void ForgetSettings()
{
    const char ini[] = "qbx15.ini";
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini);
    DeleteFileA(WindowsFile(ini).c_str());
}

std::string TemporaryMixdownPath() { return WindowsFile("tmpqbx15.wav"); }

std::vector<std::string> DeviceNames()
{
    std::vector<std::string> names;
    for (UINT id = 0; id < waveOutGetNumDevs(); ++id) {
        WAVEOUTCAPSA caps = {};
        waveOutGetDevCapsA(id, &caps, sizeof caps);
        names.push_back(caps.szPname);
    }
    return names;
}
