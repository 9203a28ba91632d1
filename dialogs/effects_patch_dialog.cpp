#include "dialogs/effects_patch_dialog.h"

#include "model/effects_patch.h"
#include "resources/resource_ids.h"

namespace {

HWND List(HWND dialog, int id) { return GetDlgItem(dialog, id); }

int Count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

// A button greyed while it has the focus would take the focus with it, and
// Enter and Escape would then reach no control: the focus goes to the patch
// list first, where Enter is OK and Escape Cancel.
void Enable(HWND dialog, int id, bool on)
{
    HWND control = GetDlgItem(dialog, id);
    if (!on && control && GetFocus() == control) {
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(List(dialog, IDC_PATCH_LIST)), TRUE);
    }
    EnableWindow(control, on ? TRUE : FALSE);
}

void AppendName(HWND list, const char* name) { SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name)); }

// Reads entry index of list into a name field, never past its 10 bytes.
void ReadName(HWND list, int index, char* name)
{
    name[0] = '\0';
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length >= kEffectNameSize) return;
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
}

// Moves the selected entry of one list to the end of the other; false when
// nothing is selected.
bool MoveSelected(HWND from, HWND to)
{
    const LRESULT index = SendMessageA(from, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    char name[kEffectNameSize];
    ReadName(from, static_cast<int>(index), name);
    SendMessageA(from, LB_DELETESTRING, index, 0);
    AppendName(to, name);
    return true;
}

void StoreList(HWND list, char names[][kEffectNameSize], int16_t* count)
{
    int n = Count(list);
    if (n > kPatchSlots) n = kPatchSlots;
    for (int i = 0; i < kPatchSlots; ++i) {
        if (i < n) ReadName(list, i, names[i]);
        else names[i][0] = '\0';
    }
    *count = static_cast<int16_t>(n);
}

BOOL Patch_OnInitDialog(HWND dialog)
{
    Enable(dialog, IDC_ADD, false);
    Enable(dialog, IDC_REMOVE, false);
    for (int i = 0; i < g_effectsPatch.availableCount && i < kPatchSlots; ++i)
        AppendName(List(dialog, IDC_AVAILABLE_LIST), g_effectsPatch.availableNames[i]);
    for (int i = 0; i < g_effectsPatch.count && i < kPatchSlots; ++i)
        AppendName(List(dialog, IDC_PATCH_LIST), g_effectsPatch.names[i]);
    if (g_effectsPatch.count == 0) Enable(dialog, IDC_CLEAR, false);
    return TRUE;
}

void Patch_OnAdd(HWND dialog)
{
    if (!MoveSelected(List(dialog, IDC_AVAILABLE_LIST), List(dialog, IDC_PATCH_LIST))) return;
    Enable(dialog, IDC_ADD, false);
    Enable(dialog, IDC_CLEAR, true);
}

void Patch_OnRemove(HWND dialog)
{
    HWND patch = List(dialog, IDC_PATCH_LIST);
    if (!MoveSelected(patch, List(dialog, IDC_AVAILABLE_LIST))) return;
    Enable(dialog, IDC_REMOVE, false);
    if (Count(patch) == 0) Enable(dialog, IDC_CLEAR, false);
}

void Patch_OnClear(HWND dialog)
{
    HWND patch = List(dialog, IDC_PATCH_LIST);
    HWND available = List(dialog, IDC_AVAILABLE_LIST);
    const int n = Count(patch);
    for (int i = 0; i < n; ++i) {
        char name[kEffectNameSize];
        ReadName(patch, i, name);
        AppendName(available, name);
    }
    SendMessageA(patch, LB_RESETCONTENT, 0, 0);
    Enable(dialog, IDC_CLEAR, false);
    Enable(dialog, IDC_REMOVE, false);
}

void Patch_OnOk(HWND dialog)
{
    const int16_t previous = CurrentEffectId();

    EffectsPatch& p = g_effectsPatch;
    StoreList(List(dialog, IDC_AVAILABLE_LIST), p.availableNames, &p.availableCount);
    StoreList(List(dialog, IDC_PATCH_LIST), p.names, &p.count);
    for (int i = 0; i < kPatchSlots; ++i) p.ids[i] = i < p.count ? EffectNameToId(p.names[i]) : 0;
    // The effect the panel shows keeps its place where it stays in the
    // patch; otherwise the first effect of the patch is the current one.
    // An empty patch keeps the position for the effects to come.
    if (p.count > 0) {
        p.position = 1;
        for (int i = 0; i < p.count; ++i) {
            if (previous != 0 && p.ids[i] == previous) p.position = static_cast<int16_t>(i + 1);
        }
    }
    EndDialog(dialog, IDOK);
}

void Patch_OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_AVAILABLE_LIST:
        if (code == LBN_SELCHANGE) Enable(dialog, IDC_ADD, true);
        else if (code == LBN_DBLCLK) Patch_OnAdd(dialog);
        break;
    case IDC_PATCH_LIST:
        if (code == LBN_SELCHANGE) Enable(dialog, IDC_REMOVE, true);
        else if (code == LBN_DBLCLK) Patch_OnRemove(dialog);
        break;
    case IDC_ADD: Patch_OnAdd(dialog); break;
    case IDC_REMOVE: Patch_OnRemove(dialog); break;
    case IDC_CLEAR: Patch_OnClear(dialog); break;
    case IDOK: Patch_OnOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

}  // namespace

INT_PTR CALLBACK EffectsPatchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return Patch_OnInitDialog(dialog);
    case WM_COMMAND: Patch_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}

bool RunEffectsPatchDialog(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EFFECTS_PATCH), owner, EffectsPatchDialogProc, 0) == IDOK;
}
