// The panel's bitmap resources and the routines that load and paint them.
#include "pixels.h"
#include "panel_test_window.h"
#include "resources/panel_bitmap_ids.h"
#include "widgets/dib_resources.h"
#include "widgets/panel_bitmaps.h"
#include "widgets/panel_windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(BitmapResources, EveryPictureHasItsSizeDepthAndAFullColourTable)
{
    const struct {
        int id, width, height, bits;
    } table[] = {
        {IDB_PANEL_BACKGROUND, 370, 92, 8}, {IDB_PLAY_UP, 33, 10, 4},       {IDB_PLAY_PRESSED, 33, 10, 4},
        {IDB_PAUSE_UP, 33, 10, 4},          {IDB_PAUSE_PRESSED, 33, 10, 4}, {IDB_STOP_UP, 33, 10, 4},
        {IDB_STOP_PRESSED, 33, 10, 4},      {IDB_SLIDER_CAP, 70, 70, 4},    {IDB_DOWN_UP, 20, 14, 4},
        {IDB_DOWN_PRESSED, 20, 14, 4},      {IDB_UP_UP, 20, 14, 4},         {IDB_UP_PRESSED, 20, 14, 4},
        {IDB_ABOUT, 150, 200, 8},           {IDB_KNOB, 50, 50, 8},          {IDB_ONOFF_ON, 18, 18, 8},
        {IDB_ONOFF_OFF, 18, 18, 8},
    };
    for (const auto& t : table) {
        DWORD size = 0;
        const BITMAPINFOHEADER* h = BitmapResourceHeader(t.id, &size);
        ASSERT_NE(h, nullptr) << t.id;
        EXPECT_EQ(h->biSize, 40u) << t.id;
        EXPECT_EQ(h->biWidth, t.width) << t.id;
        EXPECT_EQ(h->biHeight, t.height) << t.id;
        EXPECT_EQ(h->biBitCount, t.bits) << t.id;
        EXPECT_EQ(h->biCompression, static_cast<DWORD>(BI_RGB)) << t.id;
        const DWORD stride = ((t.width * t.bits + 31) / 32) * 4;
        EXPECT_EQ(size, 40u + 4u * (1u << t.bits) + stride * t.height) << t.id;
    }
}

// Blue pixels reachable from the border through blue: the ground around the picture.
std::vector<bool> OutsideBlue(const Pixels& p)
{
    std::vector<bool> seen(p.data.size(), false);
    std::vector<int> todo;
    for (int x = 0; x < p.width; ++x) todo.insert(todo.end(), {x, (p.height - 1) * p.width + x});
    for (int y = 0; y < p.height; ++y) todo.insert(todo.end(), {y * p.width, y * p.width + p.width - 1});
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        if (seen[i] || p.data[i] != kBlue) continue;
        seen[i] = true;
        const int x = i % p.width, y = i / p.width;
        if (x > 0) todo.push_back(i - 1);
        if (x + 1 < p.width) todo.push_back(i + 1);
        if (y > 0) todo.push_back(i - p.width);
        if (y + 1 < p.height) todo.push_back(i + p.width);
    }
    return seen;
}

TEST(BitmapResources, KnobAndSliderCapStandOnPureBlueWithNoBlueInside)
{
    for (int id : {IDB_KNOB, IDB_SLIDER_CAP}) {
        const Pixels p = DecodeBitmapResource(id);
        const std::vector<bool> outside = OutsideBlue(p);
        int picture = 0;
        for (size_t i = 0; i < p.data.size(); ++i) {
            if (p.data[i] == kBlue) EXPECT_TRUE(outside[i]) << id << ": blue inside at " << i;
            else ++picture;
        }
        EXPECT_GT(picture, 100) << id;
        EXPECT_EQ(p.At(0, 0), kBlue) << id;
    }
}

TEST(BitmapResources, NoOtherPictureUsesTheKeyColour)
{
    for (int id : {IDB_PANEL_BACKGROUND, IDB_PLAY_UP, IDB_PLAY_PRESSED, IDB_PAUSE_UP, IDB_PAUSE_PRESSED, IDB_STOP_UP,
                   IDB_STOP_PRESSED, IDB_DOWN_UP, IDB_DOWN_PRESSED, IDB_UP_UP, IDB_UP_PRESSED, IDB_ABOUT, IDB_ONOFF_ON,
                   IDB_ONOFF_OFF}) {
        const Pixels p = DecodeBitmapResource(id);
        for (COLORREF c : p.data) ASSERT_NE(c, kBlue) << id;
    }
}

TEST(LoadDibResource, GivesTheBitmapWithAPaletteOfItsWholeColourTable)
{
    HPALETTE palette = nullptr;
    HBITMAP bitmap = LoadDibResource(GetModuleHandleA(nullptr), IDB_PANEL_BACKGROUND, &palette);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(palette, nullptr);
    WORD entries = 0;
    GetObjectA(palette, sizeof entries, &entries);
    EXPECT_EQ(entries, 256);
    EXPECT_EQ(ReadBitmap(bitmap), DecodeBitmapResource(IDB_PANEL_BACKGROUND));
    DeleteObject(bitmap);
    DeleteObject(palette);

    bitmap = LoadDibResource(GetModuleHandleA(nullptr), IDB_PLAY_UP, &palette);
    ASSERT_NE(bitmap, nullptr);
    GetObjectA(palette, sizeof entries, &entries);
    EXPECT_EQ(entries, 16);
    EXPECT_EQ(ReadBitmap(bitmap), DecodeBitmapResource(IDB_PLAY_UP));
    DeleteObject(bitmap);
    DeleteObject(palette);
}

TEST(LoadDibResource, AMissingResourceGivesNeitherBitmapNorPalette)
{
    HPALETTE palette = reinterpret_cast<HPALETTE>(1);
    EXPECT_EQ(LoadDibResource(GetModuleHandleA(nullptr), 999, &palette), nullptr);
    EXPECT_EQ(palette, nullptr);
}

TEST(CreateDibPalette, TakesEachEntryFromTheColourTable)
{
    const BITMAPINFOHEADER* h = BitmapResourceHeader(IDB_KNOB, nullptr);
    int count = 0;
    HPALETTE palette = CreateDibPalette(h, &count);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(count, 256);
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(h + 1);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i].peRed, table[i].rgbRed) << i;
        EXPECT_EQ(entries[i].peGreen, table[i].rgbGreen) << i;
        EXPECT_EQ(entries[i].peBlue, table[i].rgbBlue) << i;
        EXPECT_EQ(entries[i].peFlags, 0) << i;
    }
    DeleteObject(palette);

    BITMAPINFOHEADER trueColour = {};
    trueColour.biSize = sizeof trueColour;
    trueColour.biBitCount = 24;
    EXPECT_EQ(CreateDibPalette(&trueColour, &count), nullptr);
    EXPECT_EQ(count, 0);
}

TEST(PaintDibResource, TheTestWindowShowsBitmap123AtItsOrigin)
{
    PanelTestWindow panel;
    PumpMessages(50);
    HDC dc = GetDC(panel.Handle());
    DibCanvas canvas(370, 92);
    BitBlt(canvas.Dc(), 0, 0, 370, 92, dc, 0, 0, SRCCOPY);
    ReleaseDC(panel.Handle(), dc);
    EXPECT_EQ(canvas.Read(), DecodeBitmapResource(IDB_PANEL_BACKGROUND));
}

TEST(DrawOwnerButton, PressedShowsTheSecondPictureReleasedTheFirst)
{
    EnsurePanelClasses();
    LoadPanelBitmaps(GetModuleHandleA(nullptr));
    const struct {
        int id, up, pressed;
    } buttons[] = {{IDC_PLAY, IDB_PLAY_UP, IDB_PLAY_PRESSED},
                   {IDC_PAUSE, IDB_PAUSE_UP, IDB_PAUSE_PRESSED},
                   {IDC_STOP, IDB_STOP_UP, IDB_STOP_PRESSED},
                   {IDC_UP, IDB_UP_UP, IDB_UP_PRESSED},
                   {IDC_DOWN, IDB_DOWN_UP, IDB_DOWN_PRESSED}};
    for (const auto& b : buttons) {
        const Pixels up = DecodeBitmapResource(b.up);
        for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_DISABLED)}) {
            DibCanvas canvas(up.width + 4, up.height + 4);
            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_BUTTON;
            item.CtlID = b.id;
            item.itemState = state;
            item.hDC = canvas.Dc();
            item.rcItem = {2, 2, 2 + up.width, 2 + up.height};
            DrawOwnerButton(&item);
            const Pixels expected = DecodeBitmapResource(state == ODS_SELECTED ? b.pressed : b.up);
            EXPECT_EQ(canvas.Read().Crop(2, 2, up.width, up.height), expected) << b.id << " state " << state;
            EXPECT_EQ(canvas.Read().At(0, 0), RGB(1, 2, 3));
        }
    }
    DibCanvas canvas(10, 10);
    DRAWITEMSTRUCT other = {};
    other.CtlID = IDC_ONOFF_LED;
    other.hDC = canvas.Dc();
    other.rcItem = {0, 0, 10, 10};
    DrawOwnerButton(&other);
    EXPECT_EQ(canvas.Read().At(5, 5), RGB(1, 2, 3));
    DeletePanelBitmaps();
}

}  // namespace

namespace {

Pixels OnScreen(HWND window, int width, int height)
{
    HDC dc = GetDC(window);
    DibCanvas canvas(width, height);
    BitBlt(canvas.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas.Read();
}

TEST(DrawOwnerButton, ARealButtonShowsItsPressedPictureWhileTheMouseHoldsIt)
{
    PanelTestWindow panel;
    LoadPanelBitmaps(GetModuleHandleA(nullptr));
    HWND play = panel.Add("BUTTON", "PLAY", IDC_PLAY, 136, 71, 33, 10, WS_VISIBLE | BS_OWNERDRAW);
    UpdateWindow(play);
    EXPECT_EQ(OnScreen(play, 33, 10), DecodeBitmapResource(IDB_PLAY_UP));
    SendMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    UpdateWindow(play);
    EXPECT_EQ(OnScreen(play, 33, 10), DecodeBitmapResource(IDB_PLAY_PRESSED));
    SendMessageA(play, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    UpdateWindow(play);
    EXPECT_EQ(OnScreen(play, 33, 10), DecodeBitmapResource(IDB_PLAY_UP));
    DestroyWindow(play);
    DeletePanelBitmaps();
}

}  // namespace
