// The real program on a 256-colour screen (the test bed's --depth 8).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "tests/wine/e2e/e2e_fixture.h"

namespace {

TEST_F(QuellboxTest, OnA256ColourScreenItStartsAndShowsItsPanel)
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(8, bits) << "run in a bed with --depth 8";

    StartActive();
    EXPECT_EQ(nullptr, app_.WaitForDialog("Quellbox", 0)) << "no refusal";
    // The background picture, not the bare window brush: many colours.
    std::set<COLORREF> colours;
    for (int y = 2; y < 92; y += 6)
        for (int x = 2; x < 370; x += 6) colours.insert(ScreenPixel(app_.MainWindow(), x, y));
    EXPECT_GE(colours.size(), 8u);
    app_.Command(IDM_EXIT);
    EXPECT_EQ(0, app_.WaitForExit(10000));
}

}  // namespace
