// The shell's side of widgets/panel_shell.h (its panel record, and the
// volume the fader hands on) and what the commands do to the panel and the
// player, answered from the panel's controls and the player.
#include "widgets/panel_shell.h"

#include "app/main_window.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "player/player.h"
#include "widgets/display_panel.h"
#include "widgets/panel_messages.h"

PanelState& ThePanel() { return g_shell.panel; }

void ShowDisplayLine(const char* text) { DrawDisplayLine(g_shell.panel.display, text); }

void ShowEffectOnPanel(int16_t effectId)
{
    for (int knob = 1; knob <= kKnobCount; ++knob) {
        const uint16_t position = KnobPositionFor(effectId, knob);
        SendMessageA(g_shell.panel.knobs[knob - 1], kMsgSetPosition, position, 0);
    }
    // The on/off LED reads the current effect's state when it paints.
    if (g_shell.panel.onOffLed) SendMessageA(g_shell.panel.onOffLed, WM_PAINT, 0, 0);
}

void HandPatchToPlayer() { NotifyChangesToPlayer(g_effectsPatch.ids, g_effectsPatch.count); }

void HandVolumeToPlayer(double left, double right) { ChangeVolume(left, right); }

bool IsPlaybackActive() { return g_shell.panel.stopButton && IsWindowEnabled(g_shell.panel.stopButton); }
