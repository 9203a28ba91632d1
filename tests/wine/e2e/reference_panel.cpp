#include "tests/wine/e2e/reference_panel.h"

#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "tests/wine/panel/panel_test_window.h"
#include "widgets/display_panel.h"
#include "widgets/panel_messages.h"

namespace {

// The off-screen panel, made once; its controls are made on first use.
PanelTestWindow& Panel()
{
    static PanelTestWindow* panel = new PanelTestWindow(false);
    return *panel;
}

HWND Shown(HWND control)
{
    ShowWindow(control, SW_SHOWNA);
    return control;
}

void SetRange(HWND control, int minimum, int maximum, int position)
{
    SendMessageA(control, kMsgSetMinimum, static_cast<WPARAM>(minimum), 0);
    SendMessageA(control, kMsgSetMaximum, static_cast<WPARAM>(maximum), 0);
    SendMessageA(control, kMsgSetPosition, static_cast<WPARAM>(position), 0);
}

}  // namespace

Pixels ReferenceDisplay(const char* text1, unsigned format1, const char* text2, unsigned format2, const char* text3,
                        unsigned format3, const char* text4, unsigned format4)
{
    static HWND display = nullptr;
    if (!display) {
        display = Shown(Panel().AddDisplay());
        KillTimer(display, IDT_DISPLAY_INTRO);  // no intro: only the texts given here
    }
    DrawDisplayText(display, text1, format1, text2, format2, text3, format3, text4, format4);
    return PrintClient(display);
}

Pixels ReferenceKnobOnDisplay(int effectId, int knob, const char* label, int position)
{
    ResetEffectParameters();
    SetParameterFromKnob(effectId, knob, static_cast<uint16_t>(position));
    KnobValue value = {};
    KnobValueText(effectId, knob, static_cast<uint16_t>(position), &value);
    return ReferenceDisplay(EffectDisplayName(effectId), kTopLeft, "", 0, value.label ? value.label : label,
                            kBottomLeft, value.text, kBottomRight);
}

Pixels ReferenceKnob(int number, int minimum, int maximum, int position)
{
    static HWND knobs[6] = {};
    HWND& knob = knobs[number - 1];
    if (!knob) knob = Shown(Panel().AddKnob(number));
    SetRange(knob, minimum, maximum, position);
    return PrintClient(knob);
}

Pixels ReferenceSlider(int position)
{
    static HWND slider = nullptr;
    if (!slider) slider = Shown(Panel().AddSlider());
    SetRange(slider, 0, 300, position);
    return PrintClient(slider);
}
