// The twelve button and LED bitmaps, held for the main window's whole life.
#pragma once
#include <windows.h>

struct ButtonBitmaps {
    HBITMAP up;
    HBITMAP pressed;
};

struct PanelBitmaps {
    HBITMAP onLed;   // 217: the current effect is switched on
    HBITMAP offLed;  // 218
    ButtonBitmaps play, pause, stop, down, up;
};

extern PanelBitmaps g_panelBitmaps;

// Loads all twelve from the instance's resources, in the order on/off LED,
// PLAY, PAUSE, STOP, DOWN, UP; a bitmap that cannot be loaded stays none.
void LoadPanelBitmaps(HINSTANCE instance);

// Deletes them all.
void DeletePanelBitmaps();

// The pair of the button with that control id (20 PLAY, 21 PAUSE, 22 STOP,
// 23 UP, 24 DOWN), or null for any other id.
const ButtonBitmaps* ButtonBitmapsFor(int controlId);
