// The system open and save dialog (explorer style, with a hook so a derived class
// hears of the dialog's changes).
//
//   CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
//                   L"JPEG|*.jpg|PNG|*.png||", &owner);
//   if (dlg.DoModal() == IDOK)
//       for (const std::wstring& path : dlg.GetPathNames()) open(path);
//
// Filters are pairs of description and pattern, each followed by "|"; a final "|"
// ends the list. While the dialog runs, the object is bound to the dialog's hook
// window (a child of the dialog, which GetParent gives).
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "framework/window/Wnd.h"

class CFileDialog : public CWnd {
public:
    // The file buffer's size with OFN_ALLOWMULTISELECT, in characters.
    static constexpr DWORD kMultiSelectBufferChars = 65536;

    explicit CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt = nullptr, const wchar_t* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                         CWnd* parent = nullptr);

    // The dialog's settings; lpstrFile and nMaxFile are the object's (see SetFileBufferSize).
    OPENFILENAMEW m_ofn{};

    // Runs the dialog: IDOK when the user chose, else IDCANCEL (GetError tells a
    // failure from a cancel).
    virtual INT_PTR DoModal();
    // CommDlgExtendedError of the last DoModal: 0 for a cancel or success.
    DWORD GetError() const { return m_error; }

    void SetInitialDir(const wchar_t* dir);
    // Room for the chosen names, in characters (at least MAX_PATH); call before DoModal.
    void SetFileBufferSize(DWORD chars);

    // After IDOK: the chosen path (the first of several).
    std::wstring GetPathName() const;
    // After IDOK: every chosen path, in the dialog's order.
    std::vector<std::wstring> GetPathNames() const;
    std::wstring GetFileName() const;
    std::wstring GetFileExt() const;
    // The chosen filter (1-based, as the dialog counts).
    DWORD GetFilterIndex() const { return m_ofn.nFilterIndex; }

    // While the dialog runs: the name in its file-name box, its current folder,
    // and setting the text of one of its controls (e.g. cmb13, the name box).
    std::wstring GetDialogFileSpec() const;
    std::wstring GetDialogFolderPath() const;
    void SetControlText(int id, const wchar_t* text);
    void HideControl(int id);
    // The dialog itself (the hook window's parent).
    HWND GetDialogWindow() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }

protected:
    virtual void OnInitDone() {}
    // The user picked another filter; m_ofn.nFilterIndex holds it.
    virtual void OnTypeChange() {}
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}
    // The user confirmed; true keeps the dialog open.
    virtual BOOL OnFileNameOK() { return FALSE; }

    BOOL m_bOpenFileDialog;

private:
    static UINT_PTR CALLBACK hookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring dialogText(UINT message) const;

    std::vector<wchar_t> m_file;
    std::wstring m_filter, m_defaultExt, m_initialDir;
    DWORD m_error = 0;
};
