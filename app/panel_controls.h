// Window handles of the main window's transport controls, kept by the shell
// for the commands and dialogs that must know whether playback runs.
#pragma once
#include <windows.h>

extern HWND g_playButton;
extern HWND g_pauseButton;
extern HWND g_stopButton;

// Playback is running or paused while the STOP button is enabled.
bool IsPlaybackActive();

// Sends the main window its STOP command and lets it finish.
void StopPlaybackFromShell();
