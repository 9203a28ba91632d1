#include "tests/support/message_sequence.h"

#include <cstdio>

namespace {

std::string Hex(unsigned long long value, int digits)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*llx", digits, value);
    return text;
}

std::string Described(const MessageRecord& m)
{
    return Hex(m.message, 4) + " wParam " + Hex(static_cast<unsigned long long>(m.wParam), 1) + " lParam " +
           Hex(static_cast<unsigned long long>(static_cast<ULONG_PTR>(m.lParam)), 8);
}

std::string Described(const ExpectedMessage& m)
{
    std::string text = Hex(m.message, 4);
    if (m.fields & kWParam) text += " wParam " + Hex(static_cast<unsigned long long>(m.wParam), 1);
    if (m.fields & kLParam) text += " lParam " + Hex(static_cast<unsigned long long>(static_cast<ULONG_PTR>(m.lParam)), 8);
    return text;
}

bool Matches(const MessageRecord& seen, const ExpectedMessage& expected)
{
    if (seen.message != expected.message) return false;
    if ((expected.fields & kWParam) && seen.wParam != expected.wParam) return false;
    if ((expected.fields & kLParam) && seen.lParam != expected.lParam) return false;
    return true;
}

}  // namespace

std::string SequenceMismatch(const std::vector<MessageRecord>& seen, const ExpectedMessage* expected, size_t count)
{
    size_t first = 0;
    while (first < seen.size() && first < count && Matches(seen[first], expected[first])) ++first;
    if (first == seen.size() && first == count) return std::string();

    const std::string place = "message " + std::to_string(first + 1) + " of " + std::to_string(count) + ": ";
    std::string text;
    if (first == count) text = place + "expected no more, got " + Described(seen[first]);
    else if (first == seen.size()) text = place + "expected " + Described(expected[first]) + ", got none";
    else text = place + "expected " + Described(expected[first]) + ", got " + Described(seen[first]);
    text += "\nexpected:";
    for (size_t i = 0; i < count; ++i) text += "\n  " + Described(expected[i]);
    text += "\nseen:";
    for (const MessageRecord& m : seen) text += "\n  " + Described(m);
    return text;
}
