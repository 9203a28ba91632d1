// Works a running Quellbox from a script, one action per argument, so that
// screenshots can be taken between the steps; every action is the pointer
// and the keyboard (SendInput), as a user's:
//   activate            right clicks until the intro is over and the panel
//                       enabled, then closes the menu that click opened
//   open=PATH           opens a file through the Open dialog
//   command=NAME        gives a command: clicks a panel button (PLAY, PAUSE,
//                       STOP, UP, DOWN) or chooses a menu item (OPEN,
//                       EFFECTS_PATCH, MIXDOWN, ABOUT, PREFERENCES, HELP, EXIT)
//   menu                right clicks the middle of the panel: the popup menu
//   escape              closes the open popup menu with the Escape key
//   mixdown=PATH        chooses PATH in the Save dialog of the Mixdown
//   close=CAPTION       closes the program's dialog with that caption (Escape)
//   freeze              once the Progress bar has moved, holds the program
//                       still (its thread suspended) for a screenshot
//   thaw                lets a held program go on
//   wait=MS             sleeps
// Exits with 1 at the first action that fails.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/wine/e2e/quellbox_process.h"

namespace {

struct NamedCommand {
    const char* name;
    int id;
};
const NamedCommand kCommands[] = {
    {"PLAY", IDC_PLAY},
    {"PAUSE", IDC_PAUSE},
    {"STOP", IDC_STOP},
    {"UP", IDC_UP},
    {"DOWN", IDC_DOWN},
    {"OPEN", IDM_OPEN},
    {"EFFECTS_PATCH", IDM_EFFECTS_PATCH},
    {"MIXDOWN", IDM_MIXDOWN},
    {"ABOUT", IDM_ABOUT},
    {"PREFERENCES", IDM_PREFERENCES},
    {"HELP", IDM_HELP},
    {"EXIT", IDM_EXIT},
};

// Gives the command of that name; false for a name it does not know.
bool GiveNamedCommand(const QuellboxProcess& app, const std::string& name)
{
    for (const NamedCommand& c : kCommands) {
        if (name == c.name) return app.Command(c.id);
    }
    return false;
}

bool OpenPopupMenu(const QuellboxProcess& app)
{
    return app.RightClick(185, 46) && WaitUntil([&] { return app.PopupMenu() != nullptr; }, 5000);
}

// Suspends or resumes the program's window thread; a freeze waits until the
// Progress dialog's bar is seen to have moved, so there is something to see.
bool HoldProgram(const QuellboxProcess& app, bool freeze)
{
    if (freeze) {
        HWND progress = app.WaitForDialog("Progress", 10000);
        if (!progress) return false;
        HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
        const COLORREF filled = GetSysColor(COLOR_HIGHLIGHT);
        if (!WaitUntil([bar, filled] { return ScreenPixel(bar, 3, 3) == filled; }, 10000)) return false;
    }
    return app.HoldWindowThread(freeze);
}

bool RunAction(QuellboxProcess& app, const std::string& action)
{
    const size_t eq = action.find('=');
    const std::string name = action.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : action.substr(eq + 1);
    if (name == "activate") return app.ActivatePanel(20000);
    if (name == "open") return app.OpenThroughDialog(value);
    if (name == "command") return GiveNamedCommand(app, value);
    if (name == "menu") return OpenPopupMenu(app);
    if (name == "escape") return app.PopupMenu() && app.CloseMenu();
    if (name == "mixdown") return app.MixdownThroughDialog(value);
    if (name == "close") {
        HWND dialog = app.WaitForDialog(value.c_str(), 5000);
        if (!dialog) return false;
        BringToForeground(dialog);
        PressKey(VK_ESCAPE);
        return WaitUntil([dialog] { return !IsWindow(dialog); }, 5000);
    }
    if (name == "freeze" || name == "thaw") return HoldProgram(app, name == "freeze");
    if (name == "wait") {
        Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    QuellboxProcess app;
    if (!WaitUntil([&] { return app.Attach(); }, 15000)) {
        std::fprintf(stderr, "drive_quellbox: no running Quellbox\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        if (!RunAction(app, argv[i])) {
            std::fprintf(stderr, "drive_quellbox: %s failed\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
