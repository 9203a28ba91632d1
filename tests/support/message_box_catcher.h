// Catches the real message boxes that code under test shows on this thread:
// a window-procedure hook sees each box as its dialog initialises, records
// what it says and answers it with OK, so the code under test goes on.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The control id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

struct CaughtBox {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    bool errorIcon = false;  // shows the system's error (hand) icon
    int buttonCount = 0;
    bool hasOk = false;
};

class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<CaughtBox>& Boxes() const { return boxes_; }
    // The one text caught, or "" when the count of boxes is not exactly one.
    std::string OnlyText() const { return boxes_.size() == 1 ? boxes_[0].text : std::string(); }
    void Clear() { boxes_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Catch(HWND box);

    HHOOK hook_ = nullptr;
    std::vector<CaughtBox> boxes_;
};
