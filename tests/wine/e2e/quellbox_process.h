// Starts the real qbx15.exe (from the folder of this test binary) and works
// it from outside through its windows, as a user's clicks would.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The folder of this test binary, with a trailing "\".
std::string BinaryFolder();

// Polls condition every 20 ms for up to milliseconds; its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

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

    // Posts a command as the panel's buttons and the popup menu send it.
    void Command(int id) const;
    // Posts a right button press at a client point of the main window.
    void RightClick(int x = 300, int y = 80) const;
    // Right clicks until the panel is enabled (the intro is over).
    bool ActivatePanel(DWORD milliseconds);
    // The dialog window of this copy with that caption, once it appears.
    HWND WaitForDialog(const char* caption, DWORD milliseconds) const;
    // Opens a file through the real Open dialog.
    bool OpenThroughDialog(const std::string& path);
    // Chooses the mixdown target through the real Save dialog.
    bool MixdownThroughDialog(const std::string& path);
    // The text of this copy's next message box ("" when none comes), which
    // is then answered with OK.
    std::string AnswerMessageBox(DWORD milliseconds) const;
    // Suspends (hold) or resumes the program's window thread, which runs
    // the dialogs and the render; false when the thread cannot be reached.
    bool HoldWindowThread(bool hold) const;

private:
    // Posts the command, types path into the file dialog that it opens and
    // presses OK; true once the dialog has closed.
    bool ChooseInFileDialog(int command, const char* caption, const std::string& path);

    PROCESS_INFORMATION info_ = {};
    HWND main_ = nullptr;
};

// The colour of a screen pixel at a client point of the window.
COLORREF ScreenPixel(HWND window, int x, int y);
