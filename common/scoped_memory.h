// A block of local memory taken and locked for one job, unlocked and freed
// at the end of its scope, on every way out.
#pragma once
#include <windows.h>

// Either step may fail: handle is null when the allocation failed, bytes
// when the lock did (the block is still freed).
struct ScopedLocalBlock {
    HLOCAL handle;
    void* bytes;

    ScopedLocalBlock(UINT flags, SIZE_T size) : handle(LocalAlloc(flags, size)), bytes(handle ? LocalLock(handle) : nullptr)
    {
    }
    ~ScopedLocalBlock()
    {
        if (bytes) LocalUnlock(handle);
        if (handle) LocalFree(handle);
    }
    ScopedLocalBlock(const ScopedLocalBlock&) = delete;
    ScopedLocalBlock& operator=(const ScopedLocalBlock&) = delete;
};
