// The system button ("Button" class): push buttons, check boxes, radio buttons and
// group boxes, by style.
//
//   CButton box;
//   box.Create(L"Show grid", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, rect, &parent, 1003);
//   box.SetCheck(BST_CHECKED);
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window/Wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_BUTTONW, caption, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    // The size that fits the caption in the current font (Common Controls 6).
    BOOL GetIdealSize(SIZE* size) const {
        return static_cast<BOOL>(SendMessage(BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(size)));
    }
    HICON SetIcon(HICON icon) {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
};
