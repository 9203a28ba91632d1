// What the commands and the controls' notifications do to the panel and
// the player, answered from the panel's controls, the parameter model and
// the player.
#include "app/main_window.h"

#include "model/display_number.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/master_volume.h"
#include "player/player.h"
#include "widgets/display_panel.h"
#include "widgets/panel_messages.h"
#include "widgets/slider_curve.h"

namespace {

constexpr int kLabelSize = 40;

}  // namespace

void ShowEffectOnPanel(const PanelState& panel, int16_t effectId)
{
    for (int knob = 1; knob <= kKnobCount; ++knob) {
        const uint16_t position = KnobPositionFor(effectId, knob);
        SendMessageA(panel.knobs[knob - 1], kMsgSetPosition, position, 0);
    }
    // The on/off LED reads the current effect's state when it paints.
    if (panel.onOffLed) SendMessageA(panel.onOffLed, WM_PAINT, 0, 0);
}

// The knob's window text ("Freq", "Depth"...) names the parameter unless
// the effect gives it another label. KnobValueText knows only the effects
// 1 to 4: for any other id nothing is shown.
void ShowKnobValue(const PanelState& panel, int knob, uint16_t position)
{
    if (g_effectsPatch.count == 0) {
        DrawDisplayLine(panel.display, "NO EFFECTS");
        return;
    }
    const int effect = CurrentEffectId();
    KnobValue value;
    if (!KnobValueText(effect, knob, position, &value)) return;
    char label[kLabelSize] = "";
    GetWindowTextA(panel.knobs[knob - 1], label, sizeof label);
    DrawDisplayText(panel.display, EffectDisplayName(effect), kTopLeft, "", kNoPlace,
                    value.label ? value.label : label, kBottomLeft, value.text, kBottomRight);
}

void ShowMasterVolume(const PanelState& panel)
{
    char label[kLabelSize] = "";
    GetWindowTextA(panel.volumeSlider, label, sizeof label);
    char value[kDisplayNumberSize];
    FormatDisplayNumber(g_masterVolume, value, sizeof value);
    DrawDisplayText(panel.display, "MASTER", kTopLeft, "", kNoPlace, label, kBottomLeft, value, kBottomRight);
}

void ShowOnOffState(const PanelState& panel)
{
    const EffectParameters* effect = CurrentEffectParameters();
    if (!effect) {
        DrawDisplayLine(panel.display, "NO EFFECTS");
        return;
    }
    DrawDisplayText(panel.display, EffectDisplayName(CurrentEffectId()), kTopLeft, effect->on ? "ON" : "OFF",
                    kTopRight, "", kNoPlace, "", kNoPlace);
}

// The knob turns only while the patch has an effect.
void TurnKnob(int knob, uint16_t position) { SetParameterFromKnob(CurrentEffectId(), knob, position); }

void MoveMasterFader(uint16_t position)
{
    g_masterVolume = SliderVolumeDb(position);
    ChangeVolume(g_masterVolume, g_masterVolume);
}

void SwitchCurrentEffect(const PanelState& panel)
{
    EffectParameters* effect = CurrentEffectParameters();
    if (!effect) return;
    effect->on = effect->on ? 0 : 1;
    SendEffectParameters(CurrentEffectId());
    SendMessageA(panel.onOffLed, WM_PAINT, 0, 0);
}

void HandPatchToPlayer() { NotifyChangesToPlayer(g_effectsPatch.ids, g_effectsPatch.count); }

bool IsPlaybackActive(const PanelState& panel) { return panel.stopButton && IsWindowEnabled(panel.stopButton); }
