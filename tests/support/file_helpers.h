// Whole-file reads and writes, an existence probe and sizes for the Wine
// tests, on the Win32 file calls the program itself uses; the files the
// program keeps in the Windows directory; the machine's wave-out devices.
#pragma once
#include <string>
#include <vector>

// The file's bytes; "" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
// Replaces the file with bytes; false when it cannot be written in full.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The size of a file, or -1 when it is not there.
long long FileSize(const std::string& path);

// The Windows directory + "\" + name.
std::string WindowsFile(const char* name);
// Deletes qbx15.ini in the Windows directory (and this process's cached copy).
void ForgetSettings();
// The Windows directory's temporary mixdown file.
std::string TemporaryMixdownPath();

// The wave-out devices' names in the order of their ids.
std::vector<std::string> DeviceNames();
