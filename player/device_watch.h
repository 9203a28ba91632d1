// Notices a wave-out device that has stopped playing without a word: when
// the sound server behind it dies, the device neither moves on nor hands a
// buffer back, and the playback would hang with STOP lit for ever. Pure:
// the judge is tested natively; the indicator timer feeds it.
#pragma once
#include <cstdint>

// A position that does not move for this long while the sound runs (not
// paused) means the device is gone. Far above any block (500 ms at most)
// and any hiccup of a busy machine.
constexpr uint32_t kDeviceStallMs = 4000;

struct DeviceWatch {
    bool started;          // a look has been taken
    uint32_t position;     // the last position the device reported
    uint32_t completions;  // the buffers it had handed back by then
    uint32_t sinceTick;    // when the device last showed progress (ms tick)
};

// A new playback, or the end of a pause: the watch starts afresh.
void ResetDeviceWatch(DeviceWatch* watch);

// One look at the device: positionKnown false when it could not tell its
// position; completions the number of buffers it has handed back so far.
// A device shows progress when its position moves or it hands a buffer
// back, so one that cannot tell its position at all still counts as
// playing while its buffers come back. Returns true once it has shown no
// progress for kDeviceStallMs while not halted. Ticks may wrap.
bool DeviceHasStalled(DeviceWatch* watch, bool positionKnown, uint32_t position, uint32_t completions, bool halted,
                      uint32_t nowTick);
