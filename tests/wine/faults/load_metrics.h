// Figures of a running program taken from outside: memory, kernel handles,
// and (through load_probe.dll, loaded into it) GDI and USER objects.
#pragma once
#include <windows.h>

#include <string>

struct ProcessFigures {
    size_t workingSet = 0;     // bytes
    size_t privateBytes = 0;   // committed private bytes
    unsigned handles = 0;      // kernel handles, counted by probing
    unsigned gdiObjects = 0;   // counted inside the process
    unsigned userObjects = 0;  // windows and menus, counted inside the process
    DWORD guiResourcesGdi = 0;   // GetGuiResources as the system reports it
    DWORD guiResourcesUser = 0;
};

class ProcessMeter {
public:
    // Opens the process and loads the probe (beside this binary) into it.
    bool Attach(DWORD pid);
    ~ProcessMeter();
    ProcessFigures Measure() const;

private:
    DWORD RunRemote(const char* routine) const;

    HANDLE process_ = nullptr;
    UINT_PTR remoteBase_ = 0;
    HMODULE localProbe_ = nullptr;
};

std::string FiguresLine(int actions, int fileDialogs, const ProcessFigures& f);
