// The system combo box ("ComboBox" class).
//
//   CComboBox list;
//   list.Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, rect, &parent, 1020);
//   list.AddString(L"JPEG");
//   list.SetCurSel(0);
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/window/Wnd.h"

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_COMBOBOXW, L"", style, rect, parent, id);
    }
    // Indexes, or CB_ERR / CB_ERRSPACE.
    int AddString(const wchar_t* text) { return call(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, const wchar_t* text) {
        return call(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    // The number of items left, or CB_ERR.
    int DeleteString(UINT index) { return call(CB_DELETESTRING, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return call(CB_GETCOUNT); }
    int GetCurSel() const { return call(CB_GETCURSEL); }
    // -1 clears the selection (and answers CB_ERR).
    int SetCurSel(int index) { return call(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int GetLBTextLen(int index) const { return call(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
    // The item's text; empty for an index out of range.
    std::wstring GetLBText(int index) const;
    int FindStringExact(int startAfter, const wchar_t* text) const {
        return call(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int SetItemData(int index, DWORD_PTR data) {
        return call(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    // index -1: the selection field; otherwise the list items.
    int SetItemHeight(int index, UINT height) { return call(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height); }
    int GetItemHeight(int index) const { return call(CB_GETITEMHEIGHT, static_cast<WPARAM>(index)); }
    int SetTopIndex(int index) { return call(CB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int GetTopIndex() const { return call(CB_GETTOPINDEX); }
    int SetDroppedWidth(UINT width) { return call(CB_SETDROPPEDWIDTH, width); }
    int GetDroppedWidth() const { return call(CB_GETDROPPEDWIDTH); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }

private:
    int call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(SendMessage(message, wParam, lParam));
    }
};
