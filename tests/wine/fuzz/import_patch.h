// Redirects a module's imports: the code under fuzzing calls the fuzzer's
// stand-ins instead of the system's functions.
#pragma once
#include <windows.h>

// Points every import of function from dll in module's import table at
// replacement. False when module imports no such function.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);
