// The Windows entry of qbx15.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return RunQuellbox(instance, showCommand); }
