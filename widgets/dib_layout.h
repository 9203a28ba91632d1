// The layout of a packed device-independent bitmap: header, colour table, bits.
#pragma once
#include <cstddef>
#include <cstdint>

// Colour table entries of a bitmap of that depth: 2^bits up to 8 bits per
// pixel, none above.
int DibColourCount(int bitsPerPixel);

// Offset of the pixel bits from the start of the header.
size_t DibBitsOffset(uint32_t headerSize, int bitsPerPixel);
