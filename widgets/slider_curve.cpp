#include "widgets/slider_curve.h"

#include <cmath>

bool SliderPointOnTrack(uint16_t x, uint16_t y)
{
    return x <= kSliderTrackRight && y >= kSliderTrackTop && y <= kSliderTrackTop + kSliderTrackLength;
}

uint16_t SliderPositionFromY(uint16_t y, uint16_t maximum)
{
    const double position = (y - kSliderTrackTop) * 0.017857142857142856 * maximum;
    return static_cast<uint16_t>(std::floor(position + 0.5));
}

double SliderVolumeDb(uint16_t position)
{
    if (position == kSliderZeroDbPosition) return 0.0;
    const double p = position;
    return 3.0 - 0.14299442 * p + 0.0016542398 * p * p - 7.3697501e-6 * p * p * p;
}

int SliderCapLeft(int clientLeft, int clientRight, int pictureWidth)
{
    return clientLeft + (clientRight - pictureWidth - clientLeft) / 2;
}

int SliderCapTop(uint16_t position, uint16_t maximum, int pictureHeight)
{
    // A slider whose range was set to end at 0 keeps its cap at the top.
    const double share = maximum != 0 ? static_cast<double>(position) / maximum : 0.0;
    return static_cast<int>(kSliderTrackTop + kSliderTrackLength * share - pictureHeight * 0.5);
}
