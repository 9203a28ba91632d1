// The playback engine's exports, as qbx15 calls them. Link with the import
// library of player.dll (libplayer.dll.a), which is built from the same
// export table.
//
// The volume export appears in the DLL's export table as "_ChangeVolume@16"
// on every architecture. In C++ it is the __stdcall function ChangeVolume
// declared below, whose link name is bound to that export (on i686 the
// compiler adds one more underscore to every C name); a caller simply writes
// ChangeVolume(left, right).
#pragma once
#include <windows.h>

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define QBX_CHANGE_VOLUME_LINK_NAME "__ChangeVolume@16"
#else
#define QBX_CHANGE_VOLUME_LINK_NAME "_ChangeVolume@16"
#endif

#define QBX_PLAYERAPI __cdecl

extern "C" {

// Starts playing fileName on wave-out device deviceId in blocks of blockSize
// bytes of 16-bit stereo. The player then drives the three buttons and the
// two LEDs itself until the playback ends. 0 on success; otherwise 100 (file,
// format, read or timer failure), 7 (out of memory) or the multimedia
// service's own code, after the player has shown the message.
uint32_t QBX_PLAYERAPI Play(HWND playButton, HWND stopButton, HWND pauseButton, HWND greenLed, HWND redLed,
                            uint32_t deviceId, const char* fileName, uint32_t ioBufferSize, uint32_t blockSize);

// Pauses a running playback or resumes a paused one; the device's result.
uint32_t QBX_PLAYERAPI Pause();

// Ends the playback; the result of the device reset, 0 when none was open.
uint32_t QBX_PLAYERAPI Stop();

// The effects patch in order (ids 1 Phaser, 2 Flanger, 3 Chorus, 4 C-Delay).
void QBX_PLAYERAPI NotifyChangesToPlayer(const int16_t* ids, int16_t count);

// Master volume per channel in decibels (export "_ChangeVolume@16").
void __stdcall ChangeVolume(double leftDb, double rightDb) __asm__(QBX_CHANGE_VOLUME_LINK_NAME);

// The number of wave-out devices, as waveOutGetNumDevs reports it.
uint32_t QBX_PLAYERAPI GetNumWaveOutDevs();

}  // extern "C"
