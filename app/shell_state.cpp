#include "app/shell_state.h"

HMENU g_menuResource = nullptr;
HMENU g_popupMenu = nullptr;
char g_tempMixdownPath[kShellPathSize] = "";
char g_helpPath[kShellPathSize] = "";
char g_sourcePath[kSourcePathSize] = "";
char g_sourceTitle[kSourcePathSize] = "";
HWND g_redLedWindow = nullptr;
HWND g_onOffLedWindow = nullptr;
HWND g_upButton = nullptr;
HWND g_downButton = nullptr;
HWND g_volumeSlider = nullptr;
bool g_aboutPressed = false;
