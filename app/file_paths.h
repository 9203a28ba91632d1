// Joining a directory and a file name the way the shell builds its fixed
// paths (the temporary mixdown file, the help file), and the file name part
// of a path (a dropped file's title). Pure.
#pragma once
#include <cstddef>

constexpr size_t kShellPathSize = 512;

// dir, then "\" unless dir already ends with one, then name. False (and an
// empty out) when the result would not fit in size bytes.
bool JoinDirectoryAndName(const char* dir, const char* name, char* out, size_t size);

// Whether a byte of a path opens a double-byte character of the code page
// the path is written in (code pages 932, 936, 949 and 950 have such
// bytes; UTF-8 and the single-byte pages have none).
using LeadByteTest = bool (*)(unsigned char byte);

// The file name part of a path: what follows its last "\", "/" or drive
// colon (the whole path when it has none). A double-byte character is
// stepped over whole, so its second byte is never taken for a "\" (in
// code page 932, "\x95\x5C" is one letter).
const char* FileNamePart(const char* path, LeadByteTest isLeadByte);
