// The popup menu at a right click inside the panel.
#include "app/main_window.h"
#include "app/shell_state.h"
#include "widgets/display_panel.h"

bool HandleContextMenu(HWND window, LPARAM lParam)
{
    // Unsigned, so the keyboard's (-1, -1) lies outside the client area.
    POINT point = {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
    ScreenToClient(window, &point);
    RECT client;
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) return false;
    ClientToScreen(window, &point);
    if (g_introFinished && !g_rightClickWait) {
        TrackPopupMenu(g_popupMenu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    }
    return true;
}
