#include "framework/dialogs/ColorDialog.h"

namespace {

COLORREF customColors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

}  // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) {
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial ? CC_RGBINIT : 0);
    m_cc.lpCustColors = customColors;
}

COLORREF* CColorDialog::GetSavedCustomColors() { return customColors; }

INT_PTR CColorDialog::DoModal() {
    m_cc.lStructSize = sizeof(m_cc);
    if (!m_cc.lpCustColors) m_cc.lpCustColors = customColors;
    return ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}
