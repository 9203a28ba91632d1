#include "app/file_paths.h"

#include <cstring>

bool JoinDirectoryAndName(const char* dir, const char* name, char* out, size_t size)
{
    if (!out || size == 0) return false;
    out[0] = '\0';
    if (!dir || !name) return false;
    const size_t dirLength = std::strlen(dir);
    const bool needsSeparator = dirLength == 0 || dir[dirLength - 1] != '\\';
    const size_t total = dirLength + (needsSeparator ? 1 : 0) + std::strlen(name);
    if (total + 1 > size) return false;
    std::memcpy(out, dir, dirLength);
    size_t at = dirLength;
    if (needsSeparator) out[at++] = '\\';
    std::strcpy(out + at, name);
    return true;
}

const char* FileNamePart(const char* path, LeadByteTest isLeadByte)
{
    const char* name = path;
    for (const char* c = path; *c; ++c) {
        if (isLeadByte(static_cast<unsigned char>(*c))) {
            if (c[1] == '\0') break;  // a lead byte cut off at the end names nothing more
            ++c;
            continue;
        }
        if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
    }
    return name;
}
