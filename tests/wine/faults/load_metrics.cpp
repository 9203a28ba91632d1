#include "load_metrics.h"

#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "tests/wine/e2e/quellbox_process.h"

namespace {

const char kProbe[] = "load_probe.dll";
const char* const kProbeRoutines[] = {"CountGdiObjects", "CountUserObjects"};

// Kernel handles of process: each handle value that can be duplicated
// (Wine's GetProcessHandleCount always reports 0).
unsigned CountHandles(HANDLE process)
{
    unsigned count = 0;
    for (UINT_PTR value = 4; value < (UINT_PTR(1) << 16); value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS)) {
            ++count;
            CloseHandle(copy);
        }
    }
    return count;
}

UINT_PTR RemoteModuleBase(HANDLE process, const char* name)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return 0;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        char base[MAX_PATH] = "";
        if (GetModuleBaseNameA(process, modules[i], base, MAX_PATH) && lstrcmpiA(base, name) == 0)
            return reinterpret_cast<UINT_PTR>(modules[i]);
    }
    return 0;
}

}  // namespace

bool ProcessMeter::Attach(DWORD pid)
{
    process_ = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (!process_) return false;
    const std::string path = BinaryFolder() + kProbe;
    localProbe_ = LoadLibraryA(path.c_str());
    if (!localProbe_) return false;
    // A count whose routine cannot be found would read as 0 objects.
    for (const char* routine : kProbeRoutines)
        if (!GetProcAddress(localProbe_, routine)) return false;
    void* remoteName = VirtualAllocEx(process_, nullptr, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (!remoteName || !WriteProcessMemory(process_, remoteName, path.c_str(), path.size() + 1, nullptr)) return false;
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = CreateRemoteThread(process_, nullptr, 0, loadLibrary, remoteName, 0, nullptr);
    if (!thread) return false;
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    VirtualFreeEx(process_, remoteName, 0, MEM_RELEASE);
    remoteBase_ = RemoteModuleBase(process_, kProbe);
    return remoteBase_ != 0;
}

ProcessMeter::~ProcessMeter()
{
    if (process_) CloseHandle(process_);
    if (localProbe_) FreeLibrary(localProbe_);
}

DWORD ProcessMeter::RunRemote(const char* routine) const
{
    const auto local = reinterpret_cast<UINT_PTR>(reinterpret_cast<void*>(GetProcAddress(localProbe_, routine)));
    if (!local) return 0;
    const UINT_PTR remote = remoteBase_ + (local - reinterpret_cast<UINT_PTR>(localProbe_));
    HANDLE thread = CreateRemoteThread(process_, nullptr, 0,
                                       reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(remote)),
                                       nullptr, 0, nullptr);
    if (!thread) return 0;
    WaitForSingleObject(thread, 30000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

ProcessFigures ProcessMeter::Measure() const
{
    ProcessFigures f;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process_, &counters, sizeof counters)) {
        f.workingSet = counters.WorkingSetSize;
        f.privateBytes = counters.PagefileUsage;
    }
    f.gdiObjects = RunRemote("CountGdiObjects");
    f.userObjects = RunRemote("CountUserObjects");
    // Counted after the probe's threads have gone.
    f.handles = CountHandles(process_);
    f.guiResourcesGdi = GetGuiResources(process_, GR_GDIOBJECTS);
    f.guiResourcesUser = GetGuiResources(process_, GR_USEROBJECTS);
    return f;
}

std::string FiguresLine(int actions, int fileDialogs, const ProcessFigures& f)
{
    char line[240];
    std::snprintf(line, sizeof line, "%6d actions  %4d file dialogs  working set %7zu KB  private %7zu KB  handles %4u  GDI %4u  USER %4u  (GetGuiResources %lu/%lu)",
                  actions, fileDialogs, f.workingSet / 1024, f.privateBytes / 1024, f.handles, f.gdiObjects, f.userObjects,
                  static_cast<unsigned long>(f.guiResourcesGdi), static_cast<unsigned long>(f.guiResourcesUser));
    return line;
}
