// The twelve button and LED bitmaps, held for the main window's whole life.
#pragma once
#include <windows.h>

struct ButtonBitmaps {
    HBITMAP up;
    HBITMAP pressed;
};

struct PanelBitmaps {
    HBITMAP onLed;   // IDB_ONOFF_ON: the current effect is switched on
    HBITMAP offLed;  // IDB_ONOFF_OFF
    ButtonBitmaps play, pause, stop, down, up;
};

// Loads all twelve from the instance's resources, in the order on/off LED,
// PLAY, PAUSE, STOP, DOWN, UP; a bitmap that cannot be loaded stays none.
void LoadPanelBitmaps(HINSTANCE instance);

// Deletes them all.
void DeletePanelBitmaps();

// The on/off LED's picture for an effect switched on or off.
HBITMAP OnOffLedBitmap(bool on);

// The pair of the button with that control id (IDC_PLAY, IDC_PAUSE,
// IDC_STOP, IDC_UP, IDC_DOWN), or null for any other id.
const ButtonBitmaps* ButtonBitmapsFor(int controlId);
