#include "widgets/panel_bitmaps.h"

#include "resources/panel_bitmap_ids.h"
#include "resources/resource_ids.h"
#include "widgets/panel_windows.h"

#include <initializer_list>

PanelBitmaps g_panelBitmaps = {};

namespace {

HBITMAP Load(int id) { return LoadBitmapA(g_panelInstance, MAKEINTRESOURCEA(id)); }

void Delete(HBITMAP* bitmap)
{
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
}

}  // namespace

void LoadPanelBitmaps()
{
    g_panelBitmaps.onLed = Load(IDB_ONOFF_ON);
    g_panelBitmaps.offLed = Load(IDB_ONOFF_OFF);
    g_panelBitmaps.play = {Load(IDB_PLAY_UP), Load(IDB_PLAY_PRESSED)};
    g_panelBitmaps.pause = {Load(IDB_PAUSE_UP), Load(IDB_PAUSE_PRESSED)};
    g_panelBitmaps.stop = {Load(IDB_STOP_UP), Load(IDB_STOP_PRESSED)};
    g_panelBitmaps.down = {Load(IDB_DOWN_UP), Load(IDB_DOWN_PRESSED)};
    g_panelBitmaps.up = {Load(IDB_UP_UP), Load(IDB_UP_PRESSED)};
}

void DeletePanelBitmaps()
{
    Delete(&g_panelBitmaps.onLed);
    Delete(&g_panelBitmaps.offLed);
    for (ButtonBitmaps* pair : {&g_panelBitmaps.play, &g_panelBitmaps.pause, &g_panelBitmaps.stop,
                                &g_panelBitmaps.down, &g_panelBitmaps.up}) {
        Delete(&pair->up);
        Delete(&pair->pressed);
    }
}

const ButtonBitmaps* ButtonBitmapsFor(int controlId)
{
    switch (controlId) {
    case IDC_PLAY: return &g_panelBitmaps.play;
    case IDC_PAUSE: return &g_panelBitmaps.pause;
    case IDC_STOP: return &g_panelBitmaps.stop;
    case IDC_UP: return &g_panelBitmaps.up;
    case IDC_DOWN: return &g_panelBitmaps.down;
    default: return nullptr;
    }
}
