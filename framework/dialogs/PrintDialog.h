// The system print dialog. The printer DC it returns (PD_RETURNDC is always asked
// for) is made from the printer and settings the user chose, and is the caller's
// to delete.
//
//   CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_NOSELECTION, &owner);
//   if (dlg.DoModal() == IDOK) { HDC dc = dlg.GetPrinterDC(); ...; DeleteDC(dc); }
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "framework/window/Wnd.h"

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLGW m_pd{};

    // IDOK when the user confirmed, else IDCANCEL (GetError tells a failure, such as
    // PDERR_NODEFAULTPRN, from a cancel).
    INT_PTR DoModal();
    DWORD GetError() const { return m_error; }

    // After IDOK: the chosen printer's DC (the caller deletes it), or null.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A further DC for the chosen printer and settings, or null.
    HDC CreatePrinterDC() const;
    std::wstring GetDeviceName() const;
    std::wstring GetDriverName() const;
    std::wstring GetPortName() const;
    int GetCopies() const { return m_pd.nCopies; }

private:
    std::wstring devName(WORD DEVNAMES::*offset) const;
    DWORD m_error = 0;
};
