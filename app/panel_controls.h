// What the commands and dialogs ask of the transport controls.
#pragma once

// Playback is running or paused while the STOP button is enabled.
bool IsPlaybackActive();

// Sends the main window its STOP command and lets it finish.
void StopPlaybackFromShell();
