// The message boxes of the code under fuzzing, read where it asks for them.
// The MessageBoxA imports of the patched modules (the source check linked
// into the fuzzer, player.dll) lead to a stand-in that notes the box's
// owner, caption, text, icon and buttons from its arguments and answers OK,
// as a user pressing the default button would, without building the dialog:
// Wine takes 10 to 40 ms over each real one, most of a case's time. A case
// run with real boxes has the stand-in hand every call on to the system's
// MessageBoxA, and the MessageBoxCatcher reads the box off the real dialog;
// the fuzzer runs a fixed sample of its cases that way, so the stand-in's
// reading is checked against the real box throughout the run.
#pragma once
#include <windows.h>

#include <vector>

#include "tests/support/message_box_catcher.h"

// Redirects module's MessageBoxA imports to the stand-in. False when it
// imports none.
bool InstallBoxStandIn(HMODULE module);

// The boxes shown while one lives, on any thread: real ones (caught off the
// dialog on this thread) or read by the stand-in.
class FuzzBoxes {
public:
    explicit FuzzBoxes(bool real);
    ~FuzzBoxes();
    FuzzBoxes(const FuzzBoxes&) = delete;
    FuzzBoxes& operator=(const FuzzBoxes&) = delete;

    std::vector<CaughtBox> Boxes() const;
    // With real boxes: the stand-in read each as the dialog shows it.
    bool ReadingAgrees() const;

private:
    MessageBoxCatcher catcher_;
    bool real_;
};
