#include "dialogs/error_box.h"

#include "audio/source_check.h"

void ShowErrorBox(HWND owner, const char* text)
{
    MessageBoxA(owner, text, "Quellbox", MB_OK | MB_ICONERROR);
}

bool AcceptSourceFile(HWND owner, const char* path)
{
    const char* refusal = nullptr;
    if (CheckSourceFile(path, &refusal)) return true;
    ShowErrorBox(owner, refusal);
    return false;
}
