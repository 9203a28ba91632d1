// Loaded into the running qbx15.exe by the load test (a remote thread that
// calls LoadLibrary), so that the program's own GDI and USER objects can be
// counted where they live: Wine's GetGuiResources always answers 0.
// Each count is a thread routine; its exit code is the count.
#include <windows.h>

extern "C" {

// Live GDI objects of this process: every handle value whose table entry
// holds an object (a handle with an empty high word names its entry).
DWORD WINAPI CountGdiObjects(void*)
{
    DWORD count = 0;
    for (UINT_PTR value = 1; value < 0x10000; ++value)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++count;
    return count;
}

// USER objects of this process: its windows and its menus.
DWORD WINAPI CountUserObjects(void*)
{
    DWORD count = 0;
    const DWORD self = GetCurrentProcessId();
    for (UINT_PTR value = 0x20; value < 0x10000; value += 2) {
        HWND window = reinterpret_cast<HWND>(value);
        DWORD pid = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &pid) && pid == self) ++count;
        else if (IsMenu(reinterpret_cast<HMENU>(value))) ++count;
    }
    return count;
}

}  // extern "C"
