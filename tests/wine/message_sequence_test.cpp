// The expected-sequence check that the control tests use: it passes only an
// exact sequence and names the first message that differs.
#include "tests/support/message_sequence.h"

#include <gtest/gtest.h>

namespace {

const std::vector<MessageRecord> kSeen = {
    {WM_USER + 7, 7, MAKELPARAM(0x0abc, 0)},
    {WM_USER + 7, 7, MAKELPARAM(0x0abc, 300)},
    {WM_USER + 8, 7, MAKELPARAM(0x0abc, 300)},
};

TEST(MessageSequence, TheSameSequenceMatchesInTheNamedFields)
{
    const ExpectedMessage exact[] = {
        {WM_USER + 7, kWParam | kLParam, 7, MAKELPARAM(0x0abc, 0)},
        {WM_USER + 7, kLParam, 0, MAKELPARAM(0x0abc, 300)},
        {WM_USER + 8, kMessageOnly, 0, 0},
    };
    EXPECT_EQ(SequenceMismatch(kSeen, exact), "");
}

// A sequence that differs from kSeen, and the first line of its report.
struct Mismatch {
    const char* what;
    std::vector<ExpectedMessage> expected;
    const char* firstLine;
};

TEST(MessageSequence, AnotherValueAMissingOrExtraMessageOrAnotherOrderIsReportedAtItsPlace)
{
    const ExpectedMessage any7 = {WM_USER + 7, kMessageOnly, 0, 0};
    const ExpectedMessage any8 = {WM_USER + 8, kMessageOnly, 0, 0};
    const Mismatch cases[] = {
        {"another value",
         {{WM_USER + 7, kWParam, 7, 0}, {WM_USER + 7, kLParam, 0, MAKELPARAM(0x0abc, 299)}, any8},
         "message 2 of 3: expected 0x0407 lParam 0x012b0abc, got 0x0407 wParam 0x7 lParam 0x012c0abc"},
        {"one fewer", {any7, any7}, "message 3 of 2: expected no more, got 0x0408 wParam 0x7 lParam 0x012c0abc"},
        {"one more", {any7, any7, any8, any8}, "message 4 of 4: expected 0x0408, got none"},
        {"another order", {any7, any8, any7},
         "message 2 of 3: expected 0x0408, got 0x0407 wParam 0x7 lParam 0x012c0abc"},
    };
    for (const Mismatch& c : cases) {
        const std::string report = SequenceMismatch(kSeen, c.expected.data(), c.expected.size());
        EXPECT_EQ(report.substr(0, report.find('\n')), c.firstLine) << c.what;
    }
}

}  // namespace
