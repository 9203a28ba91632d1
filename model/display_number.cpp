#include "model/display_number.h"

#include <cmath>
#include <cstdio>
#include <cstring>

void FormatDisplayNumber(double value, char* text, size_t size)
{
    if (!text || size == 0) return;
    const char* special = nullptr;
    if (std::isnan(value)) special = "NAN";
    else if (std::isinf(value)) special = value < 0 ? "-INF" : "INF";
    if (special) {
        std::snprintf(text, size, "%s", special);
        return;
    }

    // The magnitude to seven decimals, rounded to nearest; then keep two.
    char digits[kDisplayNumberSize + 8];
    std::snprintf(digits, sizeof digits, "%.7f", std::fabs(value));
    char* point = std::strchr(digits, '.');
    if (point) point[3] = '\0';
    std::snprintf(text, size, "%s%s", value < 0 ? "-" : "", digits);
}
