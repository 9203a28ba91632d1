// The twelve button and LED bitmaps, held for the main window's whole life,
// and the drawing of the five owner-drawn buttons with them.
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

// Draws the owner-drawn button of the item (PLAY, PAUSE, STOP, UP, DOWN)
// in its pressed picture while ODS_SELECTED is set, else in its up picture
// (also when disabled). Other ids draw nothing.
void DrawOwnerButton(const DRAWITEMSTRUCT* item);
