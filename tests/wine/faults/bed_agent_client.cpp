#include "bed_agent_client.h"

#include <cstdio>
#include <cstdlib>

std::string BedUnixFolder()
{
    const char* bed = std::getenv("QBX_BED");
    return bed ? bed : "";
}

std::string UnixToWinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string BedWineFolder() { return UnixToWinePath(BedUnixFolder()); }

bool BedAction(const std::string& line, DWORD milliseconds)
{
    static unsigned serial = 0;
    if (BedUnixFolder().empty()) return false;
    const std::string base = BedWineFolder() + "\\agent\\" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++serial);
    const std::string temp = base + ".new";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "bed agent: cannot write %s\n", temp.c_str());
        return false;
    }
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
    // Renamed whole, so the agent never reads half a request.
    if (!MoveFileA(temp.c_str(), (base + ".req").c_str())) return false;
    const std::string done = base + ".done";
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (FILE* d = std::fopen(done.c_str(), "r")) {
            int code = -1;
            const bool read = std::fscanf(d, "%d", &code) == 1;
            std::fclose(d);
            DeleteFileA(done.c_str());
            if (!read || code != 0) std::fprintf(stderr, "bed agent: \"%s\" gave %d\n", line.c_str(), code);
            return read && code == 0;
        }
        Sleep(20);
    }
    return false;
}
