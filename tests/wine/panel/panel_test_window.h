// A test parent for the panel controls: a 370 x 92 popup window that paints
// the panel background (IDB_PANEL_BACKGROUND) like the main window, draws the
// owner-drawn buttons, and records what the controls tell their parent.
#pragma once
#include <windows.h>

#include <vector>

#include "resources/resource_ids.h"
#include "tests/support/message_sequence.h"
#include "widgets/panel_messages.h"

// Registers the panel classes and the test parent's class once per process.
void EnsurePanelClasses();

// The test parent's window procedure: paints IDB_PANEL_BACKGROUND at the
// client origin, draws the owner-drawn buttons and records the notifications
// (kNotifyChanging to kNotifyIntroEnded) and WM_COMMAND.
LRESULT CALLBACK PanelParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class PanelTestWindow {
public:
    // Created, shown and painted; or, not shown, kept off the screen (to
    // render the controls with WM_PRINTCLIENT beside another program).
    explicit PanelTestWindow(bool shown = true);
    ~PanelTestWindow();
    PanelTestWindow(const PanelTestWindow&) = delete;
    PanelTestWindow& operator=(const PanelTestWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Add(const char* className, const char* text, int id, int x, int y, int width, int height, DWORD style);

    // The knob, slider and display controls of the panel, created hidden at
    // their places.
    HWND AddKnob(int number);
    HWND AddDisplay();
    HWND AddSlider();

    const std::vector<MessageRecord>& Notifications() const;
    void ClearNotifications();

private:
    HWND window_;
};

// The ways a control can lose the mouse capture in the middle of a drag.
enum class CaptureLoss {
    AnotherWindowTakesIt,  // SetCapture by another window of the thread
    CancelMode,            // WM_CANCELMODE to the control itself
    MessageBox,            // a real message box owned by the panel, answered with OK
};
constexpr CaptureLoss kEveryCaptureLoss[] = {CaptureLoss::AnotherWindowTakesIt, CaptureLoss::CancelMode,
                                             CaptureLoss::MessageBox};
const char* CaptureLossName(CaptureLoss how);

// The notification a knob or the slider sends its parent (kNotifyChanging
// during a drag, kNotifyReleased at its end, kNotifyPointerOn at every
// move): its control id, and its handle's low word with the position.
ExpectedMessage ControlNotification(UINT notification, HWND control, WORD position);

// Takes the capture away from control, which holds it, in that way; true
// when the control has lost it.
bool TakeCaptureAway(HWND control, HWND panel, CaptureLoss how);

// Handles every message waiting for this thread, for about milliseconds.
void PumpMessages(DWORD milliseconds);
