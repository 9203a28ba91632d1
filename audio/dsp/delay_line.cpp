#include "audio/dsp/delay_line.h"

void DelayLineInit(DelayLine* line, double maxDelay)
{
    uint32_t size = 16;
    while (size < maxDelay + 8.0) size <<= 1;
    line->buffer.assign(size, 0.0);
    line->mask = size - 1;
    line->write = 0;
}

void DelayLineClear(DelayLine* line)
{
    for (double& v : line->buffer) v = 0.0;
    line->write = 0;
}
