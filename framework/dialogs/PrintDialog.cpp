#include "framework/dialogs/PrintDialog.h"

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.nCopies = 1;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = m_pd.nMaxPage = 1;
}

CPrintDialog::~CPrintDialog() {
    if (m_pd.hDevMode) GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames) GlobalFree(m_pd.hDevNames);
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags |= PD_RETURNDC;
    m_pd.hDC = nullptr;
    BOOL ok = PrintDlgW(&m_pd);
    m_error = ok ? 0 : CommDlgExtendedError();
    return ok ? IDOK : IDCANCEL;
}

std::wstring CPrintDialog::devName(WORD DEVNAMES::*offset) const {
    if (!m_pd.hDevNames) return {};
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(m_pd.hDevNames));
    if (!names) return {};
    std::wstring text(reinterpret_cast<const wchar_t*>(names) + names->*offset);
    GlobalUnlock(m_pd.hDevNames);
    return text;
}

std::wstring CPrintDialog::GetDeviceName() const { return devName(&DEVNAMES::wDeviceOffset); }

std::wstring CPrintDialog::GetDriverName() const { return devName(&DEVNAMES::wDriverOffset); }

std::wstring CPrintDialog::GetPortName() const { return devName(&DEVNAMES::wOutputOffset); }

HDC CPrintDialog::CreatePrinterDC() const {
    std::wstring device = GetDeviceName();
    if (device.empty()) return nullptr;
    std::wstring driver = GetDriverName();
    const auto* mode = m_pd.hDevMode ? static_cast<const DEVMODEW*>(GlobalLock(m_pd.hDevMode)) : nullptr;
    HDC dc = CreateDCW(driver.empty() ? nullptr : driver.c_str(), device.c_str(), nullptr, mode);
    if (mode) GlobalUnlock(m_pd.hDevMode);
    return dc;
}
