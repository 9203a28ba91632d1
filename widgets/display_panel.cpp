#include "widgets/display_panel.h"

#include "common/scoped_gdi.h"
#include "model/effects_patch.h"
#include "resources/resource_ids.h"
#include "widgets/control_background.h"
#include "widgets/intro_banner.h"
#include "widgets/offscreen.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

#include <cstring>

namespace {

constexpr UINT kIntroStepMs = 100;    // one step of the banner
constexpr UINT kPromptBlinkMs = 500;  // the prompt shown, then the blank, for this long each
constexpr int kSlotTextSize = 40;

// What the display last drew, so that WM_PRINTCLIENT can draw it again.
struct DisplaySlots {
    char text[4][kSlotTextSize];
    unsigned format[4];
};

struct DisplayRecord {
    uint16_t value;
    HBITMAP background;
    char text[kControlTextSize];
    DisplaySlots shown;
};

HMENU g_displayMenu = nullptr;
bool g_firstPaint = true;
int g_blinkPhase = 0;
IntroBanner g_banner = kIntroStart;

const UINT kIntroGreyedItems[] = {IDM_OPEN, IDM_EFFECTS_PATCH, IDM_PREFERENCES, IDM_MIXDOWN, IDM_HELP, IDM_ABOUT};
// Mixdown stays greyed until a file is open.
const UINT kIntroEnabledItems[] = {IDM_OPEN, IDM_EFFECTS_PATCH, IDM_PREFERENCES, IDM_HELP, IDM_ABOUT};

DisplayRecord* RecordOf(HWND window) { return ControlRecordOf<DisplayRecord>(window); }

void SetSlots(DisplayRecord* record, const char* const texts[4], const unsigned formats[4])
{
    for (int i = 0; i < 4; ++i) {
        lstrcpynA(record->shown.text[i], texts[i] ? texts[i] : "", kSlotTextSize);
        record->shown.format[i] = formats[i];
    }
}

// The four texts in the display's font, each with its format, into the text
// rectangle inside the client area.
void DrawSlotTexts(HDC picture, const RECT& client, const DisplaySlots& shown)
{
    SetBkMode(picture, TRANSPARENT);
    SetTextColor(picture, RGB(45, 45, 45));
    ScopedGdiObj<HFONT> font(CreateFontA(12, 5, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial"));
    ScopedSelectObject fontSelected(picture, font);
    const RECT text = {client.left + 12, client.top + 9, client.right - 10, client.bottom - 6};
    for (int i = 0; i < 4; ++i) {
        // The display's texts are the program's own, written in UTF-8
        // whatever the process code page is.
        wchar_t wide[kSlotTextSize];
        if (MultiByteToWideChar(CP_UTF8, 0, shown.text[i], -1, wide, kSlotTextSize) <= 0) continue;
        RECT r = text;
        DrawTextW(picture, wide, -1, &r, shown.format[i]);
    }
}

// Background, then the four texts, composed off-screen and copied in one go.
void PaintDisplay(HDC dc, HWND window, const DisplayRecord* record)
{
    if (!record || !record->background) return;
    Offscreen offscreen(dc, record->background, window);
    if (!offscreen.canvas) return;
    DrawSlotTexts(offscreen.dc, offscreen.client, record->shown);
    CopyOffscreen(offscreen, dc);
}

void DrawSlotsNow(HWND window, DisplayRecord* record, const char* const texts[4], const unsigned formats[4])
{
    if (!record || !record->background) return;
    SetSlots(record, texts, formats);
    ScopedGetDC dc(window);
    PaintDisplay(dc, window, record);
}

void DrawEmpty(HWND window)
{
    DrawDisplayText(window, "", kNoPlace, "", kNoPlace, "", kNoPlace, "", kNoPlace);
}

void EnableItems(const UINT* items, size_t count, UINT state)
{
    if (!g_displayMenu) return;
    for (size_t i = 0; i < count; ++i) EnableMenuItem(g_displayMenu, items[i], MF_BYCOMMAND | state);
}

LRESULT Display_OnCreate(HWND window)
{
    DisplayRecord* record = AttachControlRecord<DisplayRecord>(window);
    if (record) record->value = 1;
    return 0;
}

void Display_OnDestroy(HWND window)
{
    DisplayRecord* record = RecordOf(window);
    if (!record) return;
    if (record->background) DeleteObject(record->background);
    FreeControlRecord(window);
}

// The intro starts when the display is first shown. A display without its
// record draws nothing, but its timers still run the intro and the prompt,
// so that the panel can be switched on and the menu reached.
void Display_OnShowWindow(HWND window, BOOL shown)
{
    if (!shown) return;
    DisplayRecord* record = RecordOf(window);
    if (record && !record->background) record->background = CreateControlBackground(window);
    DrawEmpty(window);
    SetTimer(window, IDT_DISPLAY_INTRO, kIntroStepMs, nullptr);
}

// The display's text in normal use: the current effect's name, or that
// there is none.
const char* NormalUseText()
{
    return g_effectsPatch.count == 0 ? "NO EFFECTS" : EffectDisplayName(CurrentEffectId());
}

// The paint replaces all four texts, so it covers the whole display: a
// window that passed over part of it must not leave the old texts beside
// the new ones.
void Display_OnPaint(HWND window)
{
    InvalidateRect(window, nullptr, FALSE);
    {
        ScopedPaint paint(window);
        DisplayRecord* record = RecordOf(window);
        if (record) {
            const bool bare = g_firstPaint || ThePanel().rightClickWait;
            const char* texts[4] = {bare ? "" : NormalUseText(), "", "", ""};
            const unsigned formats[4] = {bare ? kNoPlace : kTopLeft, kNoPlace, kNoPlace, kNoPlace};
            SetSlots(record, texts, formats);
            PaintDisplay(paint.dc, window, record);
        }
    }
    g_firstPaint = false;
}

void Display_OnIntroStep(HWND window)
{
    EnableItems(kIntroGreyedItems, sizeof kIntroGreyedItems / sizeof kIntroGreyedItems[0], MF_GRAYED);
    const IntroFrame frame = IntroTick(&g_banner);
    char line1[kSlotTextSize];
    char line2[kSlotTextSize];
    lstrcpynA(line1, kBannerLine1, frame.line1Chars + 1);
    lstrcpynA(line2, kBannerLine2, frame.line2Chars + 1);
    DrawDisplayText(window, "", kNoPlace, line1, kTopRight, line2, kBottomLeft, "", kNoPlace);
    if (!frame.finished) return;
    KillTimer(window, IDT_DISPLAY_INTRO);
    ThePanel().introFinished = 1;
    SetTimer(window, IDT_DISPLAY_PROMPT, kPromptBlinkMs, nullptr);
    ThePanel().rightClickWait = 1;
    EnableItems(kIntroEnabledItems, sizeof kIntroEnabledItems / sizeof kIntroEnabledItems[0], MF_ENABLED);
}

void Display_OnPromptStep(HWND window)
{
    if (g_blinkPhase == 0) {
        DrawDisplayText(window, "click on me right", kTopLeft, "", kNoPlace, "  mouse button", kBottomLeft, "",
                        kNoPlace);
    } else {
        DrawEmpty(window);
    }
    g_blinkPhase = 1 - g_blinkPhase;
}

}  // namespace

void SetDisplayMenu(HMENU menu) { g_displayMenu = menu; }

void ResetDisplayIntro()
{
    ThePanel().introFinished = 0;
    ThePanel().rightClickWait = 0;
    g_firstPaint = true;
    g_blinkPhase = 0;
    g_banner = kIntroStart;
}

bool EndRightClickWait(HWND display)
{
    if (!ThePanel().rightClickWait) return false;
    KillTimer(display, IDT_DISPLAY_PROMPT);
    ThePanel().rightClickWait = 0;
    // The prompt may have been left on the display, or the blank between
    // two blinks: the panel's normal text replaces it at once.
    ShowNormalUseText(display);
    return true;
}

void DrawDisplayLine(HWND display, const char* text)
{
    DrawDisplayText(display, text, kTopLeft, "", kNoPlace, "", kNoPlace, "", kNoPlace);
}

void ShowNormalUseText(HWND display)
{
    DrawDisplayLine(display, NormalUseText());
}

void DrawDisplayText(HWND display, const char* text1, unsigned format1, const char* text2, unsigned format2,
                     const char* text3, unsigned format3, const char* text4, unsigned format4)
{
    if (!display) return;
    const char* texts[4] = {text1, text2, text3, text4};
    const unsigned formats[4] = {format1, format2, format3, format4};
    DrawSlotsNow(display, RecordOf(display), texts, formats);
}

LRESULT CALLBACK DisplayPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DisplayRecord* record = RecordOf(window);
    switch (message) {
    case WM_CREATE: return Display_OnCreate(window);
    case WM_DESTROY: Display_OnDestroy(window); return 0;
    case WM_SHOWWINDOW: Display_OnShowWindow(window, static_cast<BOOL>(wParam)); return 0;
    case WM_PAINT: Display_OnPaint(window); return 0;
    case WM_PRINTCLIENT: PaintDisplay(reinterpret_cast<HDC>(wParam), window, record); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (wParam == IDT_DISPLAY_INTRO)
            Display_OnIntroStep(window);
        else Display_OnPromptStep(window);
        return 0;
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return 0;
    case kMsgSetMinimum:
        if (record) {
            record->value = static_cast<uint16_t>(wParam);
            DrawEmpty(window);
        }
        return 0;
    case kMsgSetMaximum: return record ? record->value : 0;
    case kMsgSetPosition:
        if (record && lParam) lstrcpynA(record->text, reinterpret_cast<const char*>(lParam), kControlTextSize);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
