// The panel's window classes and the background copies its controls take.
#include "pixels.h"
#include "panel_test_window.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/control_background.h"
#include "widgets/panel_classes.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelClasses, RecordSlotsArePointerSizedAndOnlyTheLampHasABrush)
{
    EnsurePanelClasses();
    const struct {
        const char* name;
        int extra;
        bool blackBrush;
    } classes[] = {
        {"rotary_control", sizeof(LONG_PTR), false}, {"SLIDER", sizeof(LONG_PTR), false},
        {"DISPLAY", sizeof(LONG_PTR), false},        {"LED", 0, true},
        {"ONOFFLED", 0, false},
    };
    for (const auto& c : classes) {
        WNDCLASSA wc = {};
        ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), c.name, &wc)) << c.name;
        EXPECT_EQ(wc.cbWndExtra, c.extra) << c.name;
        EXPECT_EQ(wc.cbClsExtra, 0) << c.name;
        EXPECT_EQ(wc.style, 0u) << c.name;
        EXPECT_EQ(wc.lpszMenuName, nullptr) << c.name;
        EXPECT_NE(wc.hCursor, nullptr) << c.name;
        EXPECT_EQ(wc.hbrBackground, c.blackBrush ? GetStockObject(BLACK_BRUSH) : nullptr) << c.name;
    }
    // A second registration fails, and says so.
    EXPECT_FALSE(RegisterPanelClasses(GetModuleHandleA(nullptr)));
}

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
