#include "dialogs/preferences_dialog.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>

#include "dialogs/device_list.h"
#include "dialogs/latency_text.h"
#include "model/settings.h"
#include "model/source_format.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kLatencyTextSize = 20;  // 19 characters and the zero

const char* const kLatencyChoices[] = {"20", "40", "60", "80", "100", "150", "200", "500"};

void ShowBytesFor(HWND dialog, int ms)
{
    if (!IsValidLatency(ms)) return;  // the label keeps its text
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(LatencyToBytes(ms)));
    SetDlgItemTextA(dialog, IDC_BYTES_VALUE, text);
}

int LatencyInEditField(HWND dialog)
{
    char text[kLatencyTextSize] = {};
    GetDlgItemTextA(dialog, IDC_LATENCY_BOX, text, sizeof text);
    return ParseLatencyText(text);
}

// The copy of the settings that this dialog edits, handed over at creation.
Settings* EditedSettings(HWND dialog) { return reinterpret_cast<Settings*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void FillDeviceBox(HWND dialog, int32_t deviceIndex)
{
    HWND box = GetDlgItem(dialog, IDC_DEVICE_BOX);
    UINT count = waveOutGetNumDevs();
    if (count == 0) {
        EnableWindow(box, FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_LATENCY_BOX), FALSE);
    }
    // Every device is listed, however many there are, so an entry's position
    // in the device box is its device id and the stored device is selected
    // whatever its index.
    for (UINT id = 0; id < count; ++id) {
        // A device that cannot tell its name still takes its place.
        char name[kDeviceNameSize];
        ReadWaveOutDeviceName(id, name);
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(deviceIndex), 0);
}

BOOL Preferences_OnInitDialog(HWND dialog, Settings* edited)
{
    InitCommonControls();
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(edited));
    FillDeviceBox(dialog, edited->deviceIndex);

    HWND latency = GetDlgItem(dialog, IDC_LATENCY_BOX);
    for (const char* choice : kLatencyChoices)
        SendMessageA(latency, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(edited->latency));
    SetWindowTextA(latency, text);
    ShowBytesFor(dialog, edited->latency);

    SetFocus(GetDlgItem(dialog, IDC_DEVICE_BOX));
    return FALSE;
}

void Preferences_OnLatencySelected(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_LATENCY_BOX);
    const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    char text[kLatencyTextSize] = {};
    if (SendMessageA(box, CB_GETLBTEXTLEN, index, 0) >= kLatencyTextSize) return;
    SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    ShowBytesFor(dialog, ParseLatencyText(text));
}

// The copy takes what the dialog shows: the latency limited to its range,
// the device by name and by its place in the device box.
void Preferences_OnOk(HWND dialog)
{
    Settings* edited = EditedSettings(dialog);
    edited->latency = static_cast<int16_t>(LimitLatency(LatencyInEditField(dialog)));
    GetDlgItemTextA(dialog, IDC_DEVICE_BOX, edited->deviceName, kDeviceNameSize);
    const LRESULT found = SendDlgItemMessageA(dialog, IDC_DEVICE_BOX, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(edited->deviceName));
    edited->deviceIndex = found == CB_ERR ? -1 : static_cast<int32_t>(found);
    EndDialog(dialog, IDOK);
}

void Preferences_OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_LATENCY_BOX:
        if (code == CBN_EDITCHANGE) ShowBytesFor(dialog, LatencyInEditField(dialog));
        else if (code == CBN_SELENDOK) Preferences_OnLatencySelected(dialog);
        break;
    case IDOK: Preferences_OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;  // device box notifications are ignored
    }
}

}  // namespace

INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return Preferences_OnInitDialog(dialog, reinterpret_cast<Settings*>(lParam));
    case WM_COMMAND: Preferences_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}

bool RunPreferencesDialog(HINSTANCE instance, HWND owner, Settings* edited)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PREFERENCES), owner, PreferencesDialogProc,
                           reinterpret_cast<LPARAM>(edited)) == IDOK;
}
