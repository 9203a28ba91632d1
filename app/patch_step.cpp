#include "app/patch_step.h"

int16_t NextPatchPosition(int16_t position, int16_t count)
{
    return position < count ? static_cast<int16_t>(position + 1) : static_cast<int16_t>(1);
}

int16_t PreviousPatchPosition(int16_t position, int16_t count)
{
    return position > 1 ? static_cast<int16_t>(position - 1) : count;
}
