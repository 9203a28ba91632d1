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

TEST(FilePaths, FileNamePartIsWhatFollowsTheLastSeparator)
{
    EXPECT_STREQ(FileNamePart("C:\\music\\demo.wav"), "demo.wav");
    EXPECT_STREQ(FileNamePart("Z:/tmp/a b.wav"), "a b.wav");
    EXPECT_STREQ(FileNamePart("D:take.wav"), "take.wav");
    EXPECT_STREQ(FileNamePart("take.wav"), "take.wav");
    EXPECT_STREQ(FileNamePart("C:\\music\\"), "");
}

}  // namespace
