#include "app/error_box.h"

#include "app/main_window.h"
#include "audio/source_check.h"

void ShowErrorBox(const char* text)
{
    MessageBoxA(g_shell.mainWindow, text, "Quellbox", MB_OK | MB_ICONERROR);
}

bool AcceptSourceFile(const char* path)
{
    const char* refusal = nullptr;
    if (CheckSourceFile(path, &refusal)) return true;
    ShowErrorBox(refusal);
    return false;
}
