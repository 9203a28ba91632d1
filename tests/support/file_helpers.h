// Whole-file reads and writes and an existence probe for the Wine tests,
// on the Win32 file calls the program itself uses.
#pragma once
#include <string>

// The file's bytes; "" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
// Replaces the file with bytes; false when it cannot be written in full.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
