// Redirects one import of a loaded module: the slot through which module
// calls dll's function is pointed at replacement. Used to put a test's
// stand-in between the code under test and the system (a checked allocator,
// a driver that answers in another way).
#pragma once
#include <windows.h>

// True when module imports function from dll (by name) and every such slot
// now holds replacement.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);
