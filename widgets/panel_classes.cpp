#include "widgets/panel_classes.h"

#include "widgets/display_panel.h"
#include "widgets/master_slider.h"
#include "widgets/panel_windows.h"
#include "widgets/rotary_control.h"

namespace {

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure, int extraBytes, HBRUSH background)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

bool RegisterPanelClasses(HINSTANCE instance)
{
    // One pointer-sized slot (at kRecordSlot) for the controls that keep a state record.
    const int recordBytes = kRecordSlot + sizeof(LONG_PTR);
    return Register(instance, "rotary_control", RotaryControlProc, recordBytes, nullptr) &&
           Register(instance, "SLIDER", MasterSliderProc, recordBytes, nullptr) &&
           Register(instance, "DISPLAY", DisplayPanelProc, recordBytes, nullptr) &&
           Register(instance, "LED", LedProc, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) &&
           Register(instance, "ONOFFLED", OnOffLedProc, 0, nullptr);
}
