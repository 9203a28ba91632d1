#include "player/device_watch.h"

void ResetDeviceWatch(DeviceWatch* watch) { *watch = {}; }

bool DeviceHasStalled(DeviceWatch* watch, bool positionKnown, uint32_t position, uint32_t completions, bool halted,
                      uint32_t nowTick)
{
    // A paused device stands still by right; the wait starts after it.
    if (halted) {
        ResetDeviceWatch(watch);
        return false;
    }
    const bool moved = positionKnown && (!watch->started || position != watch->position);
    const bool handedBack = watch->started && completions != watch->completions;
    if (!watch->started || moved || handedBack) {
        watch->started = true;
        watch->position = positionKnown ? position : watch->position;
        watch->completions = completions;
        watch->sinceTick = nowTick;
        return false;
    }
    return nowTick - watch->sinceTick >= kDeviceStallMs;
}
