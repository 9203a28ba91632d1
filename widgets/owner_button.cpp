#include "widgets/owner_button.h"

#include "common/scoped_gdi.h"
#include "widgets/panel_bitmaps.h"

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
