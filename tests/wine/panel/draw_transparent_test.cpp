// The transparent copy: key-coloured pixels keep the destination.
#include "pixels.h"
#include "widgets/draw_transparent.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kKey = RGB(0, 0, 255);

Pixels Pattern(int w, int h, int seed)
{
    Pixels p;
    p.width = w;
    p.height = h;
    for (int i = 0; i < w * h; ++i) {
        p.data.push_back(RGB((i * 7 + seed) % 256, (i * 13 + seed * 3) % 256, (i * 29 + seed) % 250));
    }
    return p;
}

Pixels Transparent(const Pixels& destination, const Pixels& source)
{
    DibCanvas to(destination.width, destination.height);
    to.Write(destination);
    DibCanvas from(source.width, source.height);
    from.Write(source);
    SetBkColor(to.Dc(), kKey);
    SetTextColor(to.Dc(), RGB(9, 8, 7));
    SetBkColor(from.Dc(), RGB(4, 5, 6));
    EXPECT_TRUE(DrawTransparent(to.Dc(), 0, 0, source.width, source.height, from.Dc(), 0, 0));
    // The colours of both DCs are as they were.
    EXPECT_EQ(GetBkColor(to.Dc()), kKey);
    EXPECT_EQ(GetTextColor(to.Dc()), RGB(9, 8, 7));
    EXPECT_EQ(GetBkColor(from.Dc()), RGB(4, 5, 6));
    return to.Read();
}

TEST(DrawTransparent, AnAllKeyPictureLeavesTheDestinationUnchanged)
{
    const Pixels destination = Pattern(24, 16, 1);
    Pixels source = Pattern(24, 16, 0);
    for (COLORREF& c : source.data) c = kKey;
    EXPECT_EQ(Transparent(destination, source), destination);
}

TEST(DrawTransparent, APictureWithoutKeyPixelsIsAPlainCopy)
{
    const Pixels destination = Pattern(24, 16, 1);
    const Pixels source = Pattern(24, 16, 2);
    EXPECT_EQ(Transparent(destination, source), source);
}

TEST(DrawTransparent, KeyPixelsKeepTheDestinationAndTheOthersTakeTheSource)
{
    const Pixels destination = Pattern(24, 16, 1);
    Pixels source = Pattern(24, 16, 2);
    for (int i = 0; i < 24 * 16; i += 3) source.data[i] = kKey;
    const Pixels result = Transparent(destination, source);
    for (int i = 0; i < 24 * 16; ++i) {
        EXPECT_EQ(result.data[i], i % 3 == 0 ? destination.data[i] : source.data[i]) << i;
    }
}

TEST(DrawTransparent, CopiesFromAndToTheGivenPoints)
{
    const Pixels destination = Pattern(20, 20, 1);
    const Pixels source = Pattern(20, 20, 2);
    DibCanvas to(20, 20);
    to.Write(destination);
    DibCanvas from(20, 20);
    from.Write(source);
    SetBkColor(to.Dc(), kKey);
    ASSERT_TRUE(DrawTransparent(to.Dc(), 5, 6, 4, 3, from.Dc(), 1, 2));
    const Pixels result = to.Read();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 9 && y >= 6 && y < 9;
            EXPECT_EQ(result.At(x, y), inside ? source.At(x - 4, y - 4) : destination.At(x, y)) << x << "," << y;
        }
}

}  // namespace
