// Messages a window received, kept in the order they came, and the sequence a
// test expects written as data beside the test (the way Wine's user32 tests
// write theirs): each expected message names the fields that must match.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct MessageRecord {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The fields of an expected message compared besides the message itself.
enum MessageFields : unsigned {
    kMessageOnly = 0,
    kWParam = 1u << 0,
    kLParam = 1u << 1,
};

struct ExpectedMessage {
    UINT message;
    unsigned fields;  // MessageFields
    WPARAM wParam;
    LPARAM lParam;
};

// "" when seen is exactly the expected sequence: as many messages, the same
// messages in the same order, equal in the fields each expected one names.
// Otherwise the first difference ("message 3 of 4: expected 0x0408 wParam 7,
// got 0x0407 wParam 7 lParam 0x012c0abc"), then both sequences in full.
std::string SequenceMismatch(const std::vector<MessageRecord>& seen, const ExpectedMessage* expected, size_t count);

template <size_t N>
std::string SequenceMismatch(const std::vector<MessageRecord>& seen, const ExpectedMessage (&expected)[N])
{
    return SequenceMismatch(seen, expected, N);
}
