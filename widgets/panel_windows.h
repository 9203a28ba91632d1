// What every panel window shares: the instance whose resources it draws
// from, and the state record that the knob, the slider and the display keep
// in their window's extra slot (kRecordSlot): zero-filled local memory
// attached at WM_CREATE, fetched for every message, freed at WM_DESTROY.
#pragma once
#include <windows.h>

// The byte offset of the window-extra slot in which the knob, slider and
// display keep the pointer to their state record.
constexpr int kRecordSlot = 0;

// The instance a panel window was created with.
inline HINSTANCE PanelInstanceOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

// A new zero-filled record in window's slot; null (and the slot empty)
// when there is no memory for it.
template <typename Record>
Record* AttachControlRecord(HWND window)
{
    auto* record = static_cast<Record*>(LocalAlloc(LPTR, sizeof(Record)));
    SetWindowLongPtrA(window, kRecordSlot, reinterpret_cast<LONG_PTR>(record));
    return record;
}

// The record in window's slot, or null before creation and after destruction.
template <typename Record>
Record* ControlRecordOf(HWND window)
{
    return reinterpret_cast<Record*>(GetWindowLongPtrA(window, kRecordSlot));
}

// Frees the record and empties the slot, so that no later message finds it.
inline void FreeControlRecord(HWND window)
{
    HLOCAL record = reinterpret_cast<HLOCAL>(SetWindowLongPtrA(window, kRecordSlot, 0));
    if (record) LocalFree(record);
}
