#include "tests/wine/fuzz/guarded_heap.h"

#include <cstdio>
#include <cstring>

#include "tests/support/import_patch.h"

namespace {

constexpr SIZE_T kPage = 4096;
constexpr unsigned char kCanary = 0xFD;
constexpr unsigned char kFreshFill = 0xCD;  // what a block holds when not zero-filled
constexpr int kSlotCount = 1024;
constexpr SIZE_T kLargestBlock = SIZE_T(64) << 20;
constexpr SIZE_T kFillEnds = 64 * 1024;

enum class Family { Local, Global };

// One guarded block: [inaccessible page][data pages][inaccessible page],
// the block placed at the end or the start of the data pages.
struct Slot {
    bool used;
    bool faulted;      // a fault has been noted for this block already
    Family family;
    bool moveable;
    unsigned char* base;   // the reservation
    SIZE_T dataBytes;      // committed bytes between the two guard pages
    unsigned char* block;  // what the code under test gets (null for a 0-byte moveable block)
    SIZE_T size;
    LONG locks;
    void* handle;
    char origin[96];       // module+offset of the allocating call
};

Slot g_slots[kSlotCount];
SRWLOCK g_lock = SRWLOCK_INIT;
bool g_endAligned = true;
size_t g_live = 0;
size_t g_made = 0;
int g_failAllocation = 0;
int g_failLock = 0;
std::string g_caseLabel;
std::vector<std::string> g_findings;
bool g_handlerInstalled = false;

// Holds the table's lock, exclusively or shared, for one scope.
struct SlotTableLock {
    explicit SlotTableLock(bool exclusive = true) : exclusive(exclusive)
    {
        exclusive ? AcquireSRWLockExclusive(&g_lock) : AcquireSRWLockShared(&g_lock);
    }
    ~SlotTableLock() { exclusive ? ReleaseSRWLockExclusive(&g_lock) : ReleaseSRWLockShared(&g_lock); }
    bool exclusive;
};

template <typename T>
void SetUnderLock(T* field, const T& value)
{
    const SlotTableLock lock;
    *field = value;
}

template <typename T>
T ReadUnderLock(const T& field)
{
    const SlotTableLock lock(false);
    return field;
}

// Each family's own Lock, Unlock and Free, for the handles not made here
// (HLOCAL and HGLOBAL are both HANDLE).
struct RealFunctions {
    LPVOID(WINAPI* lock)(HANDLE);
    BOOL(WINAPI* unlock)(HANDLE);
    HANDLE(WINAPI* free)(HANDLE);
};
RealFunctions g_real[2] = {};

void Describe(const void* address, char* out, size_t size)
{
    HMODULE module = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &module)) {
        GetModuleFileNameA(module, name, sizeof name);
    }
    const char* file = std::strrchr(name, '\\');
    file = file ? file + 1 : name;
    std::snprintf(out, size, "%s+0x%llx", file,
                  static_cast<unsigned long long>(static_cast<const unsigned char*>(address) -
                                                  reinterpret_cast<const unsigned char*>(module)));
}

// Called with the lock held exclusively.
void NoteFinding(const std::string& what)
{
    if (g_findings.size() < 200) g_findings.push_back("case " + g_caseLabel + ": " + what);
}

const char* FamilyName(Family f) { return f == Family::Local ? "LocalAlloc" : "GlobalAlloc"; }

Slot* FindByHandle(void* handle)
{
    if (!handle) return nullptr;
    for (Slot& s : g_slots)
        if (s.used && s.handle == handle) return &s;
    return nullptr;
}

Slot* FindByAddress(const void* address)
{
    const auto* p = static_cast<const unsigned char*>(address);
    for (Slot& s : g_slots)
        if (s.used && p >= s.base && p < s.base + s.dataBytes + 2 * kPage) return &s;
    return nullptr;
}

bool CanaryIntact(const unsigned char* from, const unsigned char* to)
{
    for (const unsigned char* p = from; p < to; ++p)
        if (*p != kCanary) return false;
    return true;
}

void CheckCanary(const Slot& s)
{
    const unsigned char* data = s.base + kPage;
    const unsigned char* begin = s.block ? s.block : data;
    const unsigned char* end = s.block ? s.block + s.size : data;
    const bool before = CanaryIntact(data, begin);
    const bool after = CanaryIntact(end, data + s.dataBytes);
    if (before && after) return;
    char text[256];
    std::snprintf(text, sizeof text, "write %s a %llu-byte %s block (made at %s) found at its release",
                  before ? "past the end of" : "before", static_cast<unsigned long long>(s.size),
                  FamilyName(s.family), s.origin);
    NoteFinding(text);
}

void* GuardedAlloc(Family family, UINT flags, SIZE_T size, void* caller)
{
    const SlotTableLock lock;
    if (g_failAllocation > 0 && --g_failAllocation == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Slot* slot = nullptr;
    for (Slot& s : g_slots)
        if (!s.used) { slot = &s; break; }
    const SIZE_T dataBytes = (size == 0 ? 1 : (size + kPage - 1) / kPage) * kPage;
    unsigned char* base = nullptr;
    // Larger blocks are refused as when memory runs out: a hostile size
    // field must not make the checked run commit gigabytes.
    if (slot && size <= kLargestBlock) {
        base = static_cast<unsigned char*>(VirtualAlloc(nullptr, dataBytes + 2 * kPage, MEM_RESERVE, PAGE_NOACCESS));
        if (base && !VirtualAlloc(base + kPage, dataBytes, MEM_COMMIT, PAGE_READWRITE)) {
            VirtualFree(base, 0, MEM_RELEASE);
            base = nullptr;
        }
    }
    if (!base) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const bool moveable = (flags & LMEM_MOVEABLE) != 0;
    *slot = Slot();
    slot->used = true;
    slot->family = family;
    slot->moveable = moveable;
    slot->base = base;
    slot->dataBytes = dataBytes;
    slot->size = size;
    // Fresh pages are zero: only the slack gets the canary, and only a
    // block that is not to be zero-filled gets the fresh-memory pattern.
    unsigned char* data = base + kPage;
    if (size > 0 || !moveable) {
        slot->block = g_endAligned ? data + dataBytes - size : data;
        std::memset(data, kCanary, static_cast<size_t>(slot->block - data));
        std::memset(slot->block + size, kCanary, static_cast<size_t>(data + dataBytes - (slot->block + size)));
        // (Large blocks only at their ends: a hostile size field asks for
        // megabytes that nobody reads.)
        if (!(flags & LMEM_ZEROINIT)) {
            const SIZE_T ends = size < 2 * kFillEnds ? size : kFillEnds;
            std::memset(slot->block, kFreshFill, ends);
            std::memset(slot->block + size - ends, kFreshFill, ends);
        }
    } else {
        std::memset(data, kCanary, dataBytes);
    }
    // A moveable block's handle is no pointer the code could use by mistake:
    // an odd address inside this table.
    slot->handle = moveable ? static_cast<void*>(reinterpret_cast<char*>(slot) + 1) : slot->block;
    Describe(caller, slot->origin, sizeof slot->origin);
    ++g_live;
    ++g_made;
    return slot->handle;
}

// Returns true when handle is a guarded block (and *result is set).
bool GuardedLock(void* handle, void** result)
{
    const SlotTableLock lock;
    Slot* s = FindByHandle(handle);
    if (!s) return false;
    if (g_failLock > 0 && --g_failLock == 0) {
        *result = nullptr;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } else if (!s->block) {
        *result = nullptr;
        SetLastError(ERROR_DISCARDED);
    } else {
        if (s->moveable) ++s->locks;
        *result = s->block;
    }
    return true;
}

bool GuardedUnlock(void* handle, BOOL* result)
{
    const SlotTableLock lock;
    Slot* s = FindByHandle(handle);
    if (!s) return false;
    if (s->locks > 0) --s->locks;
    *result = s->locks > 0;
    SetLastError(s->locks > 0 ? ERROR_SUCCESS : (s->moveable ? NO_ERROR : ERROR_NOT_LOCKED));
    return true;
}

bool GuardedFree(void* handle)
{
    const SlotTableLock lock;
    Slot* s = FindByHandle(handle);
    if (!s) return false;
    CheckCanary(*s);
    VirtualFree(s->base, 0, MEM_RELEASE);
    *s = Slot();
    --g_live;
    return true;
}

template <Family F>
HANDLE WINAPI HookAlloc(UINT flags, SIZE_T size)
{
    return static_cast<HANDLE>(GuardedAlloc(F, flags, size, __builtin_return_address(0)));
}

template <Family F>
LPVOID WINAPI HookLock(HANDLE h)
{
    void* p = nullptr;
    return GuardedLock(h, &p) ? p : g_real[static_cast<int>(F)].lock(h);
}

template <Family F>
BOOL WINAPI HookUnlock(HANDLE h)
{
    BOOL r = FALSE;
    return GuardedUnlock(h, &r) ? r : g_real[static_cast<int>(F)].unlock(h);
}

template <Family F>
HANDLE WINAPI HookFree(HANDLE h)
{
    if (!h) return nullptr;
    return GuardedFree(h) ? nullptr : g_real[static_cast<int>(F)].free(h);
}

// A fault inside a guard page: noted once per block, the page opened, and
// the faulting instruction run again.
LONG CALLBACK GuardFaultHandler(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const auto* address = reinterpret_cast<const unsigned char*>(record->ExceptionInformation[1]);
    const SlotTableLock lock;
    Slot* s = FindByAddress(address);
    if (!s) return EXCEPTION_CONTINUE_SEARCH;
    unsigned char* page = s->base + ((address - s->base) / kPage) * kPage;
    VirtualAlloc(page, kPage, MEM_COMMIT, PAGE_READWRITE);
    if (page != s->base) std::memset(page, kCanary, kPage);  // the page behind: keep checking writes
    if (!s->faulted) {
        s->faulted = true;
        const unsigned char* begin = s->block ? s->block : s->base + kPage;
        const unsigned char* end = begin + s->size;
        char where[96];
        Describe(record->ExceptionAddress, where, sizeof where);
        char text[320];
        const unsigned long long distance =
            address < begin ? static_cast<unsigned long long>(begin - address)
                            : static_cast<unsigned long long>(address - end) + 1;
        std::snprintf(text, sizeof text, "%s %llu byte(s) %s a %llu-byte %s block (made at %s) by code at %s",
                      record->ExceptionInformation[0] == 1 ? "write" : "read", distance,
                      address < begin ? "before" : "past the end of", static_cast<unsigned long long>(s->size),
                      FamilyName(s->family), s->origin, where);
        NoteFinding(text);
    }
    return EXCEPTION_CONTINUE_EXECUTION;
}

template <typename T>
void Resolve(const std::string& name, T* out)
{
    *out = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name.c_str())));
}

// Points module's imports of one family's four functions at the hooks.
template <Family F>
bool PatchFamily(HMODULE module)
{
    const std::string family = F == Family::Local ? "Local" : "Global";
    RealFunctions& real = g_real[static_cast<int>(F)];
    if (!real.lock) {
        Resolve(family + "Lock", &real.lock);
        Resolve(family + "Unlock", &real.unlock);
        Resolve(family + "Free", &real.free);
    }
    bool any = false;
    any |= PatchImport(module, "kernel32.dll", (family + "Alloc").c_str(), reinterpret_cast<void*>(HookAlloc<F>));
    any |= PatchImport(module, "kernel32.dll", (family + "Lock").c_str(), reinterpret_cast<void*>(HookLock<F>));
    any |= PatchImport(module, "kernel32.dll", (family + "Unlock").c_str(), reinterpret_cast<void*>(HookUnlock<F>));
    any |= PatchImport(module, "kernel32.dll", (family + "Free").c_str(), reinterpret_cast<void*>(HookFree<F>));
    return any;
}

}  // namespace

bool InstallGuardedHeap(HMODULE module)
{
    if (!g_handlerInstalled) {
        AddVectoredExceptionHandler(1, GuardFaultHandler);
        g_handlerInstalled = true;
    }
    const bool local = PatchFamily<Family::Local>(module);
    const bool global = PatchFamily<Family::Global>(module);
    return local || global;
}

void SetGuardPlacement(bool endAligned) { SetUnderLock(&g_endAligned, endAligned); }
size_t LiveGuardedBlocks() { return ReadUnderLock(g_live); }
size_t GuardedBlocksMade() { return ReadUnderLock(g_made); }
void FailNthAllocation(int n) { SetUnderLock(&g_failAllocation, n); }
void FailNthLock(int n) { SetUnderLock(&g_failLock, n); }
void SetGuardCaseLabel(const std::string& label) { SetUnderLock(&g_caseLabel, label); }

std::vector<std::string> TakeGuardFindings()
{
    const SlotTableLock lock;
    std::vector<std::string> out;
    out.swap(g_findings);
    return out;
}
