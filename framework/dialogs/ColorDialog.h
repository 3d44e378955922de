// The system colour dialog.
//
//   CColorDialog dlg(RGB(255, 255, 255), CC_FULLOPEN, &owner);
//   if (dlg.DoModal() == IDOK) use(dlg.GetColor());
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "framework/window/Wnd.h"

class CColorDialog {
public:
    // A given colour is the one first selected (CC_RGBINIT is added).
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    CHOOSECOLORW m_cc{};

    // IDOK when a colour was chosen, else IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The sixteen custom colours, shared by every colour dialog of the process.
    static COLORREF* GetSavedCustomColors();
};
