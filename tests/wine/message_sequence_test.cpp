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

TEST(MessageSequence, AnotherValueIsReportedAtItsPlace)
{
    const ExpectedMessage otherPosition[] = {
        {WM_USER + 7, kWParam, 7, 0},
        {WM_USER + 7, kLParam, 0, MAKELPARAM(0x0abc, 299)},
        {WM_USER + 8, kMessageOnly, 0, 0},
    };
    const std::string report = SequenceMismatch(kSeen, otherPosition);
    EXPECT_EQ(report.substr(0, report.find('\n')),
              "message 2 of 3: expected 0x0407 lParam 0x012b0abc, got 0x0407 wParam 0x7 lParam 0x012c0abc");
}

TEST(MessageSequence, AMissingOrAnExtraMessageFails)
{
    const ExpectedMessage fewer[] = {
        {WM_USER + 7, kMessageOnly, 0, 0},
        {WM_USER + 7, kMessageOnly, 0, 0},
    };
    const std::string extra = SequenceMismatch(kSeen, fewer);
    EXPECT_EQ(extra.substr(0, extra.find('\n')), "message 3 of 2: expected no more, got 0x0408 wParam 0x7 lParam 0x012c0abc");
    const ExpectedMessage more[] = {
        {WM_USER + 7, kMessageOnly, 0, 0}, {WM_USER + 7, kMessageOnly, 0, 0},
        {WM_USER + 8, kMessageOnly, 0, 0}, {WM_USER + 8, kMessageOnly, 0, 0},
    };
    const std::string missing = SequenceMismatch(kSeen, more);
    EXPECT_EQ(missing.substr(0, missing.find('\n')), "message 4 of 4: expected 0x0408, got none");
}

TEST(MessageSequence, AnotherOrderFails)
{
    const ExpectedMessage swapped[] = {
        {WM_USER + 7, kMessageOnly, 0, 0},
        {WM_USER + 8, kMessageOnly, 0, 0},
        {WM_USER + 7, kMessageOnly, 0, 0},
    };
    const std::string report = SequenceMismatch(kSeen, swapped);
    EXPECT_EQ(report.substr(0, report.find('\n')),
              "message 2 of 3: expected 0x0408, got 0x0407 wParam 0x7 lParam 0x012c0abc");
}

}  // namespace
