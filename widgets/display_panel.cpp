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

// The display's own state: what messages 1025 and 1027 keep, the picture
// it draws on, what it last drew, and where its intro stands.
struct DisplayRecord {
    uint16_t value;
    HBITMAP background;
    char text[kControlTextSize];
    DisplaySlots shown;
    IntroBanner banner;
    int32_t painted;     // the first paint is done
    int32_t blinkPhase;  // 0: the prompt is drawn next, 1: the blank
    int32_t prompting;   // the prompt blinks, waiting for the first right click
};

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

void DrawEmpty(HWND window)
{
    DrawDisplayText(window, "", kNoPlace, "", kNoPlace, "", kNoPlace, "", kNoPlace);
}

// The display's text in normal use: the current effect's name, or that
// there is none.
const char* NormalUseText()
{
    return g_effectsPatch.count == 0 ? "NO EFFECTS" : EffectDisplayName(CurrentEffectId());
}

void NotifyParentOfIntro(HWND window, UINT notification)
{
    SendMessageA(GetParent(window), notification, static_cast<WPARAM>(GetDlgCtrlID(window)),
                 reinterpret_cast<LPARAM>(window));
}

LRESULT Display_OnCreate(HWND window)
{
    DisplayRecord* record = AttachControlRecord<DisplayRecord>(window);
    if (!record) return 0;
    record->value = 1;
    record->banner = kIntroStart;
    return 0;
}

void Display_OnDestroy(HWND window, DisplayRecord* record)
{
    if (!record) return;
    if (record->background) DeleteObject(record->background);
    FreeControlRecord(window);
}

// The intro starts when the display is shown. A display without its record
// draws nothing, but its timers still run the intro (which ends at the
// first tick, having nothing to type) and the prompt, so that the panel can
// be switched on and the menu reached.
void Display_OnShowWindow(HWND window, DisplayRecord* record, BOOL shown)
{
    if (!shown) return;
    if (record && !record->background) record->background = CreateControlBackground(window);
    DrawEmpty(window);
    NotifyParentOfIntro(window, kNotifyIntroStarted);
    SetTimer(window, IDT_DISPLAY_INTRO, kIntroStepMs, nullptr);
}

// The paint replaces all four texts, so it covers the whole display: a
// window that passed over part of it must not leave the old texts beside
// the new ones. The first paint and every paint while the prompt blinks
// show the bare background.
void Display_OnPaint(HWND window, DisplayRecord* record)
{
    InvalidateRect(window, nullptr, FALSE);
    ScopedPaint paint(window);
    if (!record) return;
    const bool bare = !record->painted || record->prompting;
    const char* texts[4] = {bare ? "" : NormalUseText(), "", "", ""};
    const unsigned formats[4] = {bare ? kNoPlace : kTopLeft, kNoPlace, kNoPlace, kNoPlace};
    SetSlots(record, texts, formats);
    PaintDisplay(paint.dc, window, record);
    record->painted = 1;
}

void Display_OnIntroStep(HWND window, DisplayRecord* record)
{
    bool finished = true;
    if (record) {
        const IntroFrame frame = IntroTick(&record->banner);
        char line1[kSlotTextSize];
        char line2[kSlotTextSize];
        lstrcpynA(line1, kBannerLine1, frame.line1Chars + 1);
        lstrcpynA(line2, kBannerLine2, frame.line2Chars + 1);
        DrawDisplayText(window, "", kNoPlace, line1, kTopRight, line2, kBottomLeft, "", kNoPlace);
        finished = frame.finished;
    }
    if (!finished) return;
    KillTimer(window, IDT_DISPLAY_INTRO);
    SetTimer(window, IDT_DISPLAY_PROMPT, kPromptBlinkMs, nullptr);
    if (record) record->prompting = 1;
    NotifyParentOfIntro(window, kNotifyIntroEnded);
}

void Display_OnPromptStep(HWND window, DisplayRecord* record)
{
    if (!record) return;
    if (record->blinkPhase == 0) {
        DrawDisplayText(window, "click on me right", kTopLeft, "", kNoPlace, "  mouse button", kBottomLeft, "",
                        kNoPlace);
    } else {
        DrawEmpty(window);
    }
    record->blinkPhase = 1 - record->blinkPhase;
}

// The prompt may have been left on the display, or the blank between two
// blinks: the panel's normal text replaces it at once.
LRESULT Display_OnEndPrompt(HWND window, DisplayRecord* record)
{
    const bool wasPrompting = KillTimer(window, IDT_DISPLAY_PROMPT) != FALSE;
    if (record) record->prompting = 0;
    if (wasPrompting) ShowNormalUseText(window);
    return wasPrompting;
}

void Display_OnDrawTexts(HWND window, DisplayRecord* record, const DisplayTexts* texts)
{
    if (!record || !record->background || !texts) return;
    SetSlots(record, texts->text, texts->format);
    ScopedGetDC dc(window);
    PaintDisplay(dc, window, record);
}

}  // namespace

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
    const DisplayTexts texts = {{text1, text2, text3, text4}, {format1, format2, format3, format4}};
    SendMessageA(display, kMsgDrawTexts, 0, reinterpret_cast<LPARAM>(&texts));
}

LRESULT CALLBACK DisplayPanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DisplayRecord* record = RecordOf(window);
    switch (message) {
    case WM_CREATE: return Display_OnCreate(window);
    case WM_DESTROY: Display_OnDestroy(window, record); return 0;
    case WM_SHOWWINDOW: Display_OnShowWindow(window, record, static_cast<BOOL>(wParam)); return 0;
    case WM_PAINT: Display_OnPaint(window, record); return 0;
    case WM_PRINTCLIENT: PaintDisplay(reinterpret_cast<HDC>(wParam), window, record); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (wParam == IDT_DISPLAY_INTRO)
            Display_OnIntroStep(window, record);
        else Display_OnPromptStep(window, record);
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
    case kMsgDrawTexts: Display_OnDrawTexts(window, record, reinterpret_cast<const DisplayTexts*>(lParam)); return 0;
    case kMsgEndPrompt: return Display_OnEndPrompt(window, record);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
