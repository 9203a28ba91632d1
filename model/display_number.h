// The two-decimal number format of the display panel.
#pragma once
#include <cstddef>

// Long enough for any finite double: sign, 309 integer digits, ".", two decimals.
constexpr size_t kDisplayNumberSize = 320;

// Writes value with exactly two decimals, dropping (not rounding) later
// digits of its seven-place decimal form: 2.975 -> "2.97", -0.004 -> "-0.00".
// Infinities and NaN are written "INF", "-INF" and "NAN". The text is always
// NUL-terminated within size bytes.
void FormatDisplayNumber(double value, char* text, size_t size);
