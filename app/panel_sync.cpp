#include "dialogs/panel_sync.h"

#include "app/main_window.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "player/player.h"
#include "widgets/display_panel.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

void ShowDisplayLine(const char* text)
{
    DrawDisplayLine(g_displayWindow, text);
}

void ShowEffectOnPanel(int16_t effectId)
{
    for (int knob = 1; knob <= kKnobCount; ++knob) {
        const uint16_t position = KnobPositionFor(effectId, knob);
        SendMessageA(g_knobWindows[knob - 1], kMsgSetPosition, position, 0);
    }
    // The on/off LED reads the current effect's state when it paints.
    if (g_shell.onOffLedWindow) SendMessageA(g_shell.onOffLedWindow, WM_PAINT, 0, 0);
}

void HandPatchToPlayer() { NotifyChangesToPlayer(g_effectsPatch.ids, g_effectsPatch.count); }
