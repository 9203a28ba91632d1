#include "dialogs/latency_text.h"

#include "model/settings.h"

int ParseLatencyText(const char* text)
{
    if (!text) return 0;
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value < 1000000000LL) value = value * 10 + (*text - '0');
    }
    if (value > 2147483647LL) value = 2147483647LL;
    return static_cast<int>(negative ? -value : value);
}

bool IsValidLatency(int ms) { return ms >= kMinimumLatency && ms <= kMaximumLatency; }

int LimitLatency(int ms)
{
    if (ms < kMinimumLatency) return kMinimumLatency;
    if (ms > kMaximumLatency) return kMaximumLatency;
    return ms;
}
