#include "widgets/dib_layout.h"

int DibColourCount(int bitsPerPixel)
{
    if (bitsPerPixel < 1 || bitsPerPixel > 8) return 0;
    return 1 << bitsPerPixel;
}

size_t DibBitsOffset(uint32_t headerSize, int bitsPerPixel)
{
    return headerSize + static_cast<size_t>(DibColourCount(bitsPerPixel)) * 4;
}
