// FormatDisplayNumber over the whole double range (every bit pattern: NaN
// payloads, infinities, subnormals, both zeros) into a buffer of exactly the
// given size on the heap, so a write past it is caught by ASan.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/display_number.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// "-?D+.DD" with at least one integer digit.
bool IsTwoDecimalText(const std::string& t)
{
    size_t i = t[0] == '-' ? 1 : 0;
    const size_t digitsFrom = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == digitsFrom || i + 3 != t.size() || t[i] != '.') return false;
    return t[i + 1] >= '0' && t[i + 1] <= '9' && t[i + 2] >= '0' && t[i + 2] <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const double value = in.Double();
    const size_t bufferSize = in.Byte() % 8 == 0 ? in.U16() % (kDisplayNumberSize + 8) : kDisplayNumberSize;

    std::vector<char> full(kDisplayNumberSize, '\x7F');
    FormatDisplayNumber(value, full.data(), full.size());
    const char* end = static_cast<const char*>(std::memchr(full.data(), '\0', full.size()));
    FUZZ_EXPECT(end != nullptr);
    const std::string text(full.data(), static_cast<size_t>(end - full.data()));

    if (std::isnan(value)) {
        FUZZ_EXPECT(text == "NAN");
    } else if (std::isinf(value)) {
        FUZZ_EXPECT(text == (value < 0 ? "-INF" : "INF"));
    } else {
        FUZZ_EXPECT(IsTwoDecimalText(text));
        FUZZ_EXPECT((text[0] == '-') == (value < 0));  // -0.0 is not negative
        // Dropped digits only make the magnitude smaller, by less than 0.01
        // (plus the rounding at the seventh place).
        const double back = std::strtod(text.c_str(), nullptr);
        const double drop = std::fabs(value) - std::fabs(back);
        FUZZ_EXPECT(drop >= -5.1e-8 - std::fabs(value) * 1e-15);
        FUZZ_EXPECT(drop < 0.01 + std::fabs(value) * 1e-15);
    }

    // A shorter buffer gets the same text cut short, always NUL-terminated,
    // and nothing written past it (the heap block has exactly that size).
    if (bufferSize > 0) {
        std::vector<char> cut(bufferSize, '\x7F');
        FormatDisplayNumber(value, cut.data(), bufferSize);
        const char* cutEnd = static_cast<const char*>(std::memchr(cut.data(), '\0', bufferSize));
        FUZZ_EXPECT(cutEnd != nullptr);
        const std::string cutText(cut.data(), static_cast<size_t>(cutEnd - cut.data()));
        FUZZ_EXPECT(cutText == text.substr(0, bufferSize - 1));
    }
    return 0;
}
