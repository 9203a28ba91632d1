// Stepping the current patch position round the patch (UP and DOWN). Pure.
#pragma once
#include <cstdint>

// UP: the next position, after the last back to 1.
int16_t NextPatchPosition(int16_t position, int16_t count);

// DOWN: the previous position, before the first round to the last (count).
int16_t PreviousPatchPosition(int16_t position, int16_t count);
