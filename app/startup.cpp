#include "app/startup.h"

#include "app/main_window.h"
#include "app/settings.h"
#include "common/scoped_gdi.h"
#include "dialogs/error_box.h"
#include "model/effect_parameters.h"
#include "model/effects_patch.h"
#include "model/settings.h"
#include "player/player.h"
#include "resources/resource_ids.h"
#include "widgets/panel_classes.h"
#include "widgets/panel_messages.h"
#include "widgets/panel_windows.h"

namespace {

constexpr int kPanelWidth = 370;
constexpr int kPanelHeight = 92;
constexpr DWORD kFrameStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;

bool DisplayHasEnoughColours()
{
    HWND desktop = GetDesktopWindow();
    ScopedGetDC dc(desktop, GetWindowDC(desktop));
    return GetDeviceCaps(dc, BITSPIXEL) >= 8;
}

void BuildFixedPath(HINSTANCE instance, const char* dir, int stringId, char* out)
{
    char name[64] = "";
    LoadStringA(instance, stringId, name, sizeof name);
    JoinDirectoryAndName(dir, name, out, kShellPathSize);
}

void BuildFixedPaths(Shell* shell)
{
    char dir[kShellPathSize] = "";
    GetWindowsDirectoryA(dir, sizeof dir);
    BuildFixedPath(shell->instance, dir, IDS_TEMP_MIXDOWN_FILE, shell->tempMixdownPath);
    GetCurrentDirectoryA(sizeof dir, dir);
    BuildFixedPath(shell->instance, dir, IDS_HELP_FILE, shell->helpPath);
}

// The centred window rectangle of a 370 x 92 client area.
RECT CentredWindowRect()
{
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    RECT r;
    SetRect(&r, cx - kPanelWidth / 2, cy - kPanelHeight / 2, cx - kPanelWidth / 2 + kPanelWidth, cy + kPanelHeight / 2);
    AdjustWindowRect(&r, kFrameStyle, FALSE);
    return r;
}

// Shown first, so that each control copies the painted background under it.
void ConfigureControl(HWND control, const char* text, int minimum, int maximum, int position)
{
    ShowWindow(control, SW_SHOWNORMAL);
    SendMessageA(control, kMsgSetText, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(control, kMsgSetMinimum, static_cast<WPARAM>(minimum), 0);
    SendMessageA(control, kMsgSetMaximum, static_cast<WPARAM>(maximum), 0);
    SendMessageA(control, kMsgSetPosition, static_cast<WPARAM>(position), 0);
}

void ConfigurePanel(const PanelState& panel)
{
    struct KnobSetup {
        const char* text;
        int minimum, maximum;
    };
    static const KnobSetup kKnobs[kKnobCount] = {
        {"Hz", 0, 100}, {"Hz", 0, 100}, {"", 0, 100}, {"", 1, 200}, {"De", 0, 180}, {"Feed", 0, 100},
    };
    for (int k = 0; k < kKnobCount; ++k) {
        ConfigureControl(panel.knobs[k], kKnobs[k].text, kKnobs[k].minimum, kKnobs[k].maximum,
                         KnobPositionFor(kPhaserId, k + 1));
    }
    ConfigureControl(panel.volumeSlider, "", 0, 300, 32);
    // Showing the display starts its intro.
    ShowWindow(panel.display, SW_SHOWNORMAL);
    SendMessageA(panel.display, kMsgSetMinimum, 0, 0);
    SendMessageA(panel.display, kMsgSetPosition, 0, reinterpret_cast<LPARAM>(EffectDisplayName(kPhaserId)));
}

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

bool RegisterShellClasses(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "Icon");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassA(&wc) != 0 && RegisterPanelClasses(instance);
}

// The main window's record lives as long as the message loop runs.
int RunQuellbox(HINSTANCE instance, int showCommand)
{
    Shell shell = {};
    shell.instance = instance;
    if (!RegisterShellClasses(instance)) return 1;
    if (FindWindowA(kMainWindowClass, nullptr)) {
        ShowErrorBox(nullptr, "Quellbox is already active.");
        return 1;
    }
    if (!DisplayHasEnoughColours()) {
        ShowErrorBox(nullptr, "Quellbox needs at least 256 colors.");
        return 1;
    }
    BuildFixedPaths(&shell);
    shell.menuResource = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_POPUP));
    shell.popupMenu = GetSubMenu(shell.menuResource, 0);

    const RECT frame = CentredWindowRect();
    ReadSettings(instance, frame, &g_settings);

    HWND window = CreateWindowExA(0, kMainWindowClass, "Quellbox", kFrameStyle | WS_MINIMIZEBOX,
                                  g_settings.windowLeft, g_settings.windowTop,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  &shell);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    ConfigurePanel(shell.panel);
    return RunMessageLoop();
}

// The Windows entry of qbx15.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return RunQuellbox(instance, showCommand); }
