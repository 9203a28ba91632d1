// Joining a directory and a file name the way the shell builds its fixed
// paths (the temporary mixdown file, the help file), and the file name part
// of a path (a dropped file's title). Pure.
#pragma once
#include <cstddef>

constexpr size_t kShellPathSize = 512;

// dir, then "\" unless dir already ends with one, then name. False (and an
// empty out) when the result would not fit in size bytes.
bool JoinDirectoryAndName(const char* dir, const char* name, char* out, size_t size);

// The file name part of a path: what follows its last "\", "/" or drive
// colon (the whole path when it has none).
const char* FileNamePart(const char* path);
