// The settings kept between runs in the settings file: the playback latency
// and wave-out device that Preferences edits, and where the main window
// stood. app/settings.cpp reads and writes the record; no window code here.
#pragma once
#include <cstdint>

constexpr int16_t kMinimumLatency = 10;
constexpr int16_t kMaximumLatency = 500;
constexpr int16_t kDefaultLatency = 150;

// A product name is at most 31 UTF-16 units; in the process code page
// (UTF-8) each takes up to three bytes, and the terminating zero one.
constexpr int kDeviceNameSize = 3 * 31 + 1;
constexpr int32_t kNoDeviceIndex = 21;

struct Settings {
    int16_t latency;                   // milliseconds, kMinimumLatency to kMaximumLatency
    char deviceName[kDeviceNameSize];  // the wave-out device the player opens, by product name
    int32_t deviceIndex;               // and by index
    int32_t windowLeft;                // the main window's outer top-left corner on the screen
    int32_t windowTop;
};

extern Settings g_settings;

// Whether edited differs from the settings in force in what a playback
// was started with (latency or device): a running playback must stop
// before edited is committed.
bool ChangesPlayback(const Settings& edited);

// Puts what Preferences edited in force: latency and device, and the block
// size of the current source for the latency. The window's place is not
// Preferences' business and stays.
void CommitPreferences(const Settings& edited);
