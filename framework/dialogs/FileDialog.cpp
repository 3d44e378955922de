#include "framework/dialogs/FileDialog.h"

#include <shlwapi.h>

#include <algorithm>

namespace {

// Room for one long path and then some.
constexpr DWORD kSingleBufferChars = 32768;

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog) {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.Flags = flags;
    m_ofn.nFilterIndex = 1;
    if (defaultExt) m_defaultExt = defaultExt;
    if (filter && *filter) {
        m_filter = filter;
        std::replace(m_filter.begin(), m_filter.end(), L'|', L'\0');
        m_filter.append(2, L'\0');  // the list ends with an empty pair however it was written
    }
    SetFileBufferSize(flags & OFN_ALLOWMULTISELECT ? kMultiSelectBufferChars : kSingleBufferChars);
    if (fileName) lstrcpynW(m_file.data(), fileName, static_cast<int>(m_file.size()));
}

void CFileDialog::SetFileBufferSize(DWORD chars) {
    chars = std::max<DWORD>(chars, MAX_PATH);
    std::wstring keep(m_file.empty() ? L"" : m_file.data());
    m_file.assign(chars, L'\0');
    lstrcpynW(m_file.data(), keep.c_str(), static_cast<int>(chars));
}

void CFileDialog::SetInitialDir(const wchar_t* dir) { m_initialDir = dir ? dir : L""; }

INT_PTR CFileDialog::DoModal() {
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_file.size() < kMultiSelectBufferChars)
        SetFileBufferSize(kMultiSelectBufferChars);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    m_ofn.lpstrInitialDir = m_initialDir.empty() ? nullptr : m_initialDir.c_str();
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::hookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL ok = m_bOpenFileDialog ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    m_error = ok ? 0 : CommDlgExtendedError();
    if (m_hWnd) Detach();  // the hook window is gone
    return ok ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::hookProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        if (self) self->Attach(hwnd);
        return 0;
    }
    auto* self = dynamic_cast<CFileDialog*>(FromHandlePermanent(hwnd));
    if (!self) return 0;
    if (message == WM_DESTROY) {
        self->Detach();
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* note = reinterpret_cast<const OFNOTIFYW*>(lParam);
    switch (note->hdr.code) {
        case CDN_INITDONE: self->OnInitDone(); break;
        case CDN_TYPECHANGE:
            if (note->lpOFN) self->m_ofn.nFilterIndex = note->lpOFN->nFilterIndex;
            self->OnTypeChange();
            break;
        case CDN_SELCHANGE: self->OnFileNameChange(); break;
        case CDN_FOLDERCHANGE: self->OnFolderChange(); break;
        case CDN_FILEOK:
            if (self->OnFileNameOK()) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 1);
                return 1;
            }
            break;
    }
    return 0;
}

std::wstring CFileDialog::GetPathName() const {
    std::vector<std::wstring> paths = GetPathNames();
    return paths.empty() ? std::wstring() : paths.front();
}

std::vector<std::wstring> CFileDialog::GetPathNames() const {
    std::vector<std::wstring> paths;
    const wchar_t* p = m_file.data();
    if (!*p) return paths;
    std::wstring first(p);
    p += first.size() + 1;
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || !*p) {
        paths.push_back(first);  // one full path
        return paths;
    }
    // A folder, then names in it (a name may still be a full path of its own).
    std::wstring dir = first;
    if (!dir.empty() && dir.back() != L'\\') dir.push_back(L'\\');
    for (; *p; p += wcslen(p) + 1) {
        if (PathIsRelativeW(p))
            paths.push_back(dir + p);
        else
            paths.emplace_back(p);
    }
    return paths;
}

std::wstring CFileDialog::GetFileName() const { return PathFindFileNameW(GetPathName().c_str()); }

std::wstring CFileDialog::GetFileExt() const {
    std::wstring path = GetPathName();
    const wchar_t* ext = PathFindExtensionW(path.c_str());
    return *ext ? ext + 1 : L"";
}

std::wstring CFileDialog::dialogText(UINT message) const {
    HWND dialog = GetDialogWindow();
    if (!dialog) return {};
    LRESULT n = ::SendMessageW(dialog, message, 0, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::SendMessageW(dialog, message, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::wstring CFileDialog::GetDialogFileSpec() const { return dialogText(CDM_GETSPEC); }

std::wstring CFileDialog::GetDialogFolderPath() const { return dialogText(CDM_GETFOLDERPATH); }

void CFileDialog::SetControlText(int id, const wchar_t* text) {
    if (HWND dialog = GetDialogWindow())
        ::SendMessageW(dialog, CDM_SETCONTROLTEXT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text));
}

void CFileDialog::HideControl(int id) {
    if (HWND dialog = GetDialogWindow()) ::SendMessageW(dialog, CDM_HIDECONTROL, static_cast<WPARAM>(id), 0);
}
