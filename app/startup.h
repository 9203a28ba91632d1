// The program's start: refusals, fixed paths, settings, the main window and
// the message loop.
#pragma once
#include <windows.h>

// Registers "zantil_quellbox" and the five panel classes; true only if all
// six succeeded.
bool RegisterShellClasses(HINSTANCE instance);

// Runs the program to its end; the exit code (1 for a refused start).
int RunQuellbox(HINSTANCE instance, int showCommand);
