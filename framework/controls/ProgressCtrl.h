// The system progress bar ("msctls_progress32").
//
//   CProgressCtrl bar;
//   bar.Create(WS_CHILD | WS_VISIBLE, rect, &parent, 1007);
//   bar.SetRange32(0, 1000);
//   bar.SetPos(250);
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(PROGRESS_CLASSW, L"", style, rect, parent, id);
    }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange(int& lower, int& upper) const {
        PBRANGE r{};
        SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r));
        lower = r.iLow;
        upper = r.iHigh;
    }
    // Answers the previous position.
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta))); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step))); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    COLORREF SetBarColor(COLORREF c) { return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, c)); }
    COLORREF SetBkColor(COLORREF c) { return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, c)); }
};
