// The player's message-only window on the interface thread: the engine
// thread posts the end of a playback and its failure texts here, so the
// release, the device close, the timer and every window call happen on
// the thread that owns them.
#pragma once

// Creates the window on the calling thread unless it already has it.
// False when it cannot be created.
bool EnsureNotifyWindow();
