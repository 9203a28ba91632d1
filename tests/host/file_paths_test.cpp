#include "app/file_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Join(const char* dir, const char* name, size_t size = kShellPathSize)
{
    char out[kShellPathSize];
    if (!JoinDirectoryAndName(dir, name, out, size)) return "<refused>";
    return out;
}

TEST(FilePaths, OneSeparatorBetweenDirectoryAndName)
{
    EXPECT_EQ(Join("C:\\windows", "tmpqbx15.wav"), "C:\\windows\\tmpqbx15.wav");
    EXPECT_EQ(Join("C:\\", "qbx15.hlp"), "C:\\qbx15.hlp");
    EXPECT_EQ(Join("D:\\music\\", "qbx15.hlp"), "D:\\music\\qbx15.hlp");
}

TEST(FilePaths, RefusesWhatDoesNotFit)
{
    EXPECT_EQ(Join("C:\\ab", "cd", 8), "<refused>");  // needs 9 bytes with the zero
    EXPECT_EQ(Join("C:\\ab", "cd", 9), "C:\\ab\\cd");
    EXPECT_EQ(Join(nullptr, "x"), "<refused>");
    const std::string longDir(600, 'a');
    EXPECT_EQ(Join(longDir.c_str(), "qbx15.hlp"), "<refused>");
}

bool NoLeadBytes(unsigned char) { return false; }
// Code page 932 (Shift JIS): its double-byte characters open with these.
bool ShiftJisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(FilePaths, FileNamePartIsWhatFollowsTheLastSeparatorInEveryCodePage)
{
    EXPECT_STREQ(FileNamePart("C:\\music\\demo.wav", NoLeadBytes), "demo.wav");
    EXPECT_STREQ(FileNamePart("Z:/tmp/a b.wav", NoLeadBytes), "a b.wav");
    EXPECT_STREQ(FileNamePart("D:take.wav", NoLeadBytes), "take.wav");
    EXPECT_STREQ(FileNamePart("take.wav", NoLeadBytes), "take.wav");
    EXPECT_STREQ(FileNamePart("C:\\music\\", NoLeadBytes), "");
    // UTF-8: no byte of a letter is a separator ("\xE3\x82\xBD" is "ソ").
    EXPECT_STREQ(FileNamePart("C:\\\xE3\x82\xBD\\\xE3\x82\xBD \xE2\x99\xAA.wav", NoLeadBytes),
                 "\xE3\x82\xBD \xE2\x99\xAA.wav");
    // Shift JIS: "表" is 0x95 0x5C, its second byte that of "\\".
    EXPECT_STREQ(FileNamePart("C:\\\x95\x5C\\\x95\x5C\x8E\xA6.wav", ShiftJisLeadByte), "\x95\x5C\x8E\xA6.wav");
    EXPECT_STREQ(FileNamePart("C:\\a\\\x95\x5C", ShiftJisLeadByte), "\x95\x5C");
    // A lead byte cut off at the end of the path ends the search there.
    EXPECT_STREQ(FileNamePart("C:\\a\\b\x95", ShiftJisLeadByte), "b\x95");
}

}  // namespace
