// The bodies of the main window's commands: the five panel buttons and the
// popup menu's items. The main window (app/main_window.cpp) serves each
// WM_COMMAND through these, once PanelCouldGive has let it through.
#pragma once
#include <windows.h>

// Whether the panel could give the command now: its button (or the on/off
// LED) enabled, or its menu item enabled in a menu that the panel opens, in
// an enabled main window. Another program's WM_COMMAND otherwise does nothing.
bool PanelCouldGive(HWND window, int id);

// PLAY: the patch and every effect's values to the player, which starts.
void OnPlay(HWND window);
// UP (step +1) and DOWN (step -1).
void OnStepEffect(HWND window, int step);
void OnOpen(HWND window);
void OnMixdown(HWND window);
void OnEffectsPatch(HWND window);
void OnPreferences(HWND window);
