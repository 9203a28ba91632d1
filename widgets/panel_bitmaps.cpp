#include "widgets/panel_bitmaps.h"

#include "common/scoped_gdi.h"
#include "resources/panel_bitmap_ids.h"
#include "resources/resource_ids.h"

#include <initializer_list>

namespace {

PanelBitmaps g_panelBitmaps = {};

HBITMAP Load(HINSTANCE instance, int id) { return LoadBitmapA(instance, MAKEINTRESOURCEA(id)); }

void Delete(HBITMAP* bitmap)
{
    if (*bitmap) DeleteObject(*bitmap);
    *bitmap = nullptr;
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

}  // namespace

void LoadPanelBitmaps(HINSTANCE instance)
{
    g_panelBitmaps.onLed = Load(instance, IDB_ONOFF_ON);
    g_panelBitmaps.offLed = Load(instance, IDB_ONOFF_OFF);
    g_panelBitmaps.play = {Load(instance, IDB_PLAY_UP), Load(instance, IDB_PLAY_PRESSED)};
    g_panelBitmaps.pause = {Load(instance, IDB_PAUSE_UP), Load(instance, IDB_PAUSE_PRESSED)};
    g_panelBitmaps.stop = {Load(instance, IDB_STOP_UP), Load(instance, IDB_STOP_PRESSED)};
    g_panelBitmaps.down = {Load(instance, IDB_DOWN_UP), Load(instance, IDB_DOWN_PRESSED)};
    g_panelBitmaps.up = {Load(instance, IDB_UP_UP), Load(instance, IDB_UP_PRESSED)};
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

HBITMAP OnOffLedBitmap(bool on) { return on ? g_panelBitmaps.onLed : g_panelBitmaps.offLed; }

void DrawOwnerButton(const DRAWITEMSTRUCT* item)
{
    const ButtonBitmaps* pair = ButtonBitmapsFor(static_cast<int>(item->CtlID));
    if (!pair) return;
    HBITMAP picture = (item->itemState & ODS_SELECTED) ? pair->pressed : pair->up;
    if (!picture) return;
    ScopedMemDC memory(item->hDC);
    ScopedSelectObject pictureSelected(memory, picture);
    const RECT& r = item->rcItem;
    BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
}
