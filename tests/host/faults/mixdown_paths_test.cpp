// The mixdown keeps its source and temporary paths in 260-character
// buffers: a path that fits is kept whole, a longer one is refused (left
// empty, so the render fails to open it) and never cut to another name.
#include "audio/mixdown_render.h"

#include <gtest/gtest.h>

#include <string>

#include "model/source_format.h"

namespace {

std::string PathOfLength(size_t length)
{
    std::string path = "C:\\";
    while (path.size() < length - 4) path += (path.size() % 50 == 0) ? '\\' : 'd';
    return path + ".wav";
}

TEST(MixdownPaths, PathsOf259CharactersAreKeptWhole)
{
    g_sourceFormat = {44100, 2, 4096, 0};
    const std::string source = PathOfLength(259), temp = PathOfLength(259);
    ASSERT_EQ(source.size(), 259u);
    EXPECT_TRUE(PrepareMixdown(source.c_str(), temp.c_str(), 32768));
    EXPECT_EQ(std::string(g_mixdown.sourcePath), source);
    EXPECT_EQ(std::string(g_mixdown.tempPath), temp);
}

TEST(MixdownPaths, PathsOf260And300CharactersAreRefusedNotTruncated)
{
    g_sourceFormat = {44100, 2, 4096, 0};
    for (size_t length : {260u, 300u}) {
        const std::string path = PathOfLength(length);
        ASSERT_EQ(path.size(), length);
        EXPECT_TRUE(PrepareMixdown(path.c_str(), path.c_str(), 32768));
        EXPECT_EQ(std::string(g_mixdown.sourcePath), "") << length;
        EXPECT_EQ(std::string(g_mixdown.tempPath), "") << length;
        // The rest of the state stays sound.
        EXPECT_EQ(g_mixdown.readSize, 32768);
        EXPECT_EQ(g_mixdown.blockCount, 1);
    }
}

}  // namespace
