// Starts the real qbx15.exe (from the folder of this test binary) and works
// it from outside as a user does: the pointer moved onto a control and its
// buttons pressed, keys typed, all through the system's input (SendInput).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/support/real_input.h"

// The folder of this test binary, with a trailing "\".
std::string BinaryFolder();

// Polls condition every 20 ms for up to milliseconds; its last answer.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    return WaitForOutcome(condition, milliseconds);
}

// Runs a command line and waits for its end; its exit code, or -1.
int RunAndWait(const std::string& commandLine, DWORD milliseconds);

// A top-level window of the class (or any class when null) that belongs to
// process pid, or null.
HWND FindProcessWindow(DWORD pid, const char* className, const char* title);

class QuellboxProcess {
public:
    QuellboxProcess() = default;
    ~QuellboxProcess();  // kills a copy still running
    QuellboxProcess(const QuellboxProcess&) = delete;
    QuellboxProcess& operator=(const QuellboxProcess&) = delete;

    // Starts the program; false when it could not be created.
    bool Start();
    // Starts that qbx15.exe in that working folder (both full paths).
    bool Start(const std::string& program, const std::string& folder);
    // Takes the copy that is already running; false when there is none.
    bool Attach();
    // Waits for the main window of this copy.
    bool WaitForMainWindow();
    // Waits for the end; the exit code, or -1 when still running.
    int WaitForExit(DWORD milliseconds);

    DWORD Pid() const { return info_.dwProcessId; }
    HWND MainWindow() const { return main_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    std::string Title() const;

    // Gives a command as a user does: PLAY, PAUSE, STOP, UP and DOWN
    // (IDC_PLAY to IDC_DOWN) by a click on the panel's button; the menu
    // commands (IDM_OPEN, IDM_EFFECTS_PATCH, IDM_MIXDOWN, IDM_ABOUT,
    // IDM_PREFERENCES, IDM_HELP, IDM_EXIT) by a right click on the panel and
    // the item's underlined letter. False when the click or the menu could not be given.
    bool Command(int id) const;
    // Clicks the centre of a panel control.
    bool ClickControl(int id) const;
    // Right clicks at a client point of the main window (a free spot of the
    // panel by default).
    bool RightClick(int x = 300, int y = 84) const;
    // The popup menu of this copy while it is shown, or null.
    HWND PopupMenu() const;
    // Closes the popup menu with Escape; true once it is gone.
    bool CloseMenu() const;
    // A right click on the panel opens its menu (closed again with Escape):
    // the window thread has handled all input before it, and no box owned
    // by the main window is up. What proves that nothing happened before.
    bool OpensItsMenuNext() const;
    // Right clicks until the panel is enabled (the intro is over), then
    // closes the popup menu that the same click opened.
    bool ActivatePanel(DWORD milliseconds);
    // The visible dialog window of this copy with that caption (any caption
    // when null), once it appears.
    HWND WaitForDialog(const char* caption, DWORD milliseconds) const;
    // Opens a file through the real Open dialog.
    bool OpenThroughDialog(const std::string& path);
    // Chooses the mixdown target through the real Save dialog, answering
    // its question whether to replace a file with Yes; *proposed (when
    // given) gets the name the dialog offered first.
    bool MixdownThroughDialog(const std::string& path, std::string* proposed = nullptr);
    // The text of this copy's next message box ("" when none comes), which
    // is then answered with Enter (its OK button).
    std::string AnswerMessageBox(DWORD milliseconds) const;
    // Suspends (hold) or resumes the program's window thread, which runs
    // the dialogs and the render; false when the thread cannot be reached.
    bool HoldWindowThread(bool hold) const;

private:
    // Gives the command, types path into the file name box of the file
    // dialog that it opens and presses Enter; true once the dialog has closed.
    bool ChooseInFileDialog(int command, const char* caption, const std::string& path, std::string* proposed);

    PROCESS_INFORMATION info_ = {};
    HWND main_ = nullptr;
};

// Brings the top-level window of window to the front when another window
// lies over its client point (x, y), so that the pointer there reaches it;
// true once nothing covers it.
bool UncoverAt(HWND window, int x, int y);
// A click on the middle of a window (a button, a control), uncovered first.
bool ClickMiddle(HWND window);
// Clicks into an edit or combo box, selects what it holds and types text
// over it; true once the box shows text.
bool TypeIntoBox(HWND box, const std::string& text);
// Clicks into the box and selects what it holds, ready to type over it;
// false when the box never took the keyboard focus.
bool SelectBoxText(HWND box);
// The box (or its own edit field) has the focus in the foreground window.
bool KeysReach(HWND box);
// The focus, capture and active windows of window's thread.
GUITHREADINFO GuiThreadOf(HWND window);

// Drags the files (Windows paths) from a small window of the X desktop and
// drops them at the client point (x, y) of window through the desktop's
// drag-and-drop, as a file manager does (the X pointer pressed, moved and
// released by the X server's own input; tests/wine/e2e/desktop_drag.cpp).
// What the window under the point answered: "dropped" (it took the files),
// "refused", or "failed" with the reason on the next line.
std::string DragFilesOnto(HWND window, int x, int y, const std::vector<std::string>& files);

// The text of a window of any process in UTF-8, as the window itself gives
// it (WM_GETTEXT: a box's contents, not only a caption).
std::string ControlText(HWND window);

// The colour of a screen pixel at a client point of the window.
COLORREF ScreenPixel(HWND window, int x, int y);
