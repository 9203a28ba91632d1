// The background copies the panel's controls take of the picture under them.
#include "pixels.h"
#include "panel_test_window.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/control_background.h"

#include <gtest/gtest.h>

namespace {

TEST(CreateControlBackground, IsThePieceOfBitmap123UnderTheControl)
{
    PanelTestWindow panel;
    const Pixels background = DecodeBitmapResource(IDB_PANEL_BACKGROUND);
    const struct {
        int x, y, w, h;
    } places[] = {{8, 5, 30, 30}, {135, 18, 98, 38}, {328, 4, 22, 84}, {0, 0, 370, 92}};
    for (const auto& p : places) {
        HWND control = panel.Add("STATIC", "", 99, p.x, p.y, p.w, p.h, 0);
        HBITMAP piece = CreateControlBackground(control);
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(ReadBitmap(piece), background.Crop(p.x, p.y, p.w, p.h)) << p.x << "," << p.y;
        DeleteObject(piece);
        DestroyWindow(control);
    }
}

}  // namespace
