#include "tests/wine/fuzz/fuzz_boxes.h"

#include "tests/support/import_patch.h"

namespace {

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

MessageBoxFn g_realMessageBox = nullptr;
CRITICAL_SECTION g_lock;
bool g_lockReady = false;
bool g_watching = false;
bool g_real = true;
std::vector<CaughtBox> g_read;

int ButtonCount(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return 1;
    case MB_ABORTRETRYIGNORE:
    case MB_YESNOCANCEL:
    case MB_CANCELTRYCONTINUE: return 3;
    default: return 2;
    }
}

CaughtBox ReadBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    CaughtBox box;
    box.caption = caption ? caption : "";
    box.text = text ? text : "";
    box.owner = owner;
    box.errorIcon = (type & MB_ICONMASK) == MB_ICONHAND;
    box.buttonCount = ButtonCount(type);
    box.hasOk = (type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_OKCANCEL;
    return box;
}

int WINAPI StandInMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    EnterCriticalSection(&g_lock);
    // A real box is read too, so that the reading can be held against it.
    if (g_watching) g_read.push_back(ReadBox(owner, text, caption, type));
    const bool read = g_watching && !g_real;
    LeaveCriticalSection(&g_lock);
    return read ? IDOK : g_realMessageBox(owner, text, caption, type);
}

void Prepare()
{
    if (g_lockReady) return;
    InitializeCriticalSection(&g_lock);
    g_realMessageBox = reinterpret_cast<MessageBoxFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "MessageBoxA")));
    g_lockReady = true;
}

}  // namespace

bool InstallBoxStandIn(HMODULE module)
{
    Prepare();
    return PatchImport(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(StandInMessageBox));
}

FuzzBoxes::FuzzBoxes(bool real) : real_(real)
{
    Prepare();
    EnterCriticalSection(&g_lock);
    g_read.clear();
    g_real = real;
    g_watching = true;
    LeaveCriticalSection(&g_lock);
}

FuzzBoxes::~FuzzBoxes()
{
    EnterCriticalSection(&g_lock);
    g_watching = false;
    g_real = true;
    g_read.clear();
    LeaveCriticalSection(&g_lock);
}

std::vector<CaughtBox> FuzzBoxes::Boxes() const
{
    if (real_) return catcher_.Boxes();
    EnterCriticalSection(&g_lock);
    std::vector<CaughtBox> read = g_read;
    LeaveCriticalSection(&g_lock);
    return read;
}

bool FuzzBoxes::ReadingAgrees() const
{
    if (!real_) return true;
    const std::vector<CaughtBox> shown = catcher_.Boxes();
    EnterCriticalSection(&g_lock);
    const std::vector<CaughtBox> read = g_read;
    LeaveCriticalSection(&g_lock);
    if (read.size() != shown.size()) return false;
    for (size_t i = 0; i < read.size(); ++i) {
        const CaughtBox& a = read[i];
        const CaughtBox& b = shown[i];
        if (a.caption != b.caption || a.text != b.text || a.owner != b.owner || a.errorIcon != b.errorIcon ||
            a.buttonCount != b.buttonCount || a.hasOk != b.hasOk)
            return false;
    }
    return true;
}
