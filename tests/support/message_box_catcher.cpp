#include "tests/support/message_box_catcher.h"

namespace {

MessageBoxCatcher* g_activeCatcher = nullptr;

bool HasClass(HWND hwnd, const char* name)
{
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

struct ChildSurvey {
    HICON errorIcon;
    bool sawErrorIcon = false;
    int buttons = 0;
    bool ok = false;
};

BOOL CALLBACK SurveyChild(HWND child, LPARAM param)
{
    auto* survey = reinterpret_cast<ChildSurvey*>(param);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (HasClass(child, "Button") && (style & WS_VISIBLE)) {
        ++survey->buttons;
        if (GetDlgCtrlID(child) == IDOK) survey->ok = true;
    }
    if (HasClass(child, "Static") && (style & SS_TYPEMASK) == SS_ICON) {
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (icon && icon == survey->errorIcon) survey->sawErrorIcon = true;
    }
    return TRUE;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher()
{
    g_activeCatcher = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    if (hook_) UnhookWindowsHookEx(hook_);
    if (g_activeCatcher == this) g_activeCatcher = nullptr;
}

LRESULT CALLBACK MessageBoxCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // After the box's WM_INITDIALOG its text, icon and buttons are all in
    // place, and it has not been shown yet.
    const auto* msg = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && g_activeCatcher && msg->message == WM_INITDIALOG) {
        if (HasClass(msg->hwnd, "#32770") && GetDlgItem(msg->hwnd, kMessageBoxTextId))
            g_activeCatcher->Catch(msg->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxCatcher::Catch(HWND box)
{
    CaughtBox caught;
    char buf[1024] = {};
    GetWindowTextA(box, buf, sizeof buf);
    caught.caption = buf;
    buf[0] = '\0';
    GetDlgItemTextA(box, kMessageBoxTextId, buf, sizeof buf);
    caught.text = buf;
    caught.owner = GetWindow(box, GW_OWNER);

    ChildSurvey survey;
    survey.errorIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
    EnumChildWindows(box, SurveyChild, reinterpret_cast<LPARAM>(&survey));
    caught.errorIcon = survey.sawErrorIcon;
    caught.buttonCount = survey.buttons;
    caught.hasOk = survey.ok;
    boxes_.push_back(caught);

    // Answer the box as a user pressing its default button would, before
    // it is ever shown.
    EndDialog(box, IDOK);
}
