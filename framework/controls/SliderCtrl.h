// The system track bar ("msctls_trackbar32").
//
//   CSliderCtrl slider;
//   slider.Create(WS_CHILD | TBS_TOP, rect, &parent, 1040);
//   slider.SetRange(0, 100, TRUE);
//   slider.SetPos(50);
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window/Wnd.h"

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(TRACKBAR_CLASSW, L"", style, rect, parent, id);
    }
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    void SetTicFreq(int freq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(freq)); }
    void ClearTics(BOOL redraw = FALSE) { SendMessage(TBM_CLEARTICS, redraw); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    // Needs TBS_FIXEDLENGTH.
    void SetThumbLength(int length) { SendMessage(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length)); }
    // The channel in client coordinates, always in horizontal terms.
    void GetChannelRect(RECT* r) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(r)); }
    void GetThumbRect(RECT* r) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(r)); }
};
