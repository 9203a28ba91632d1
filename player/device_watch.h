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
    bool started;         // a position has been seen
    uint32_t position;    // the last position the device reported
    uint32_t sinceTick;   // when that position was first seen (ms tick)
};

// A new playback, or the end of a pause: the watch starts afresh.
void ResetDeviceWatch(DeviceWatch* watch);

// One look at the device: positionKnown false when it could not tell its
// position. Returns true once the position has stood still (or been
// unknown) for kDeviceStallMs while not halted. Ticks may wrap.
bool DeviceHasStalled(DeviceWatch* watch, bool positionKnown, uint32_t position, bool halted, uint32_t nowTick);
