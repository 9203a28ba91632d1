// Registration of the panel's own window classes.
#pragma once
#include <windows.h>

// Registers "rotary_control", "SLIDER", "DISPLAY", "LED" and "ONOFFLED" in
// that order for instance (which also becomes the instance the panel draws
// its bitmaps from); true only if all five succeeded.
bool RegisterPanelClasses(HINSTANCE instance);
