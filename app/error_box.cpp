#include "app/error_box.h"

HWND g_mainWindow = nullptr;

void ShowErrorBox(const char* text)
{
    MessageBoxA(g_mainWindow, text, "Quellbox", MB_OK | MB_ICONERROR);
}
