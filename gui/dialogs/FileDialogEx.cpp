#include "gui/dialogs/FileDialogEx.h"

#include <dlgs.h>

namespace s::gui::dialogs::win {

std::wstring patternExtension(const std::wstring& pattern) {
    const std::wstring first = pattern.substr(0, pattern.find(L';'));
    const size_t dot = first.rfind(L'.');
    if (dot == std::wstring::npos) return L"";
    const std::wstring ext = first.substr(dot);
    if (ext.size() < 2 || ext.find_first_of(L"*?\\/ ") != std::wstring::npos) return L"";
    return ext;
}

std::wstring replaceExtension(const std::wstring& name, const std::wstring& extension) {
    if (extension.empty()) return name;
    const size_t slash = name.find_last_of(L"\\/");
    const size_t dot = name.rfind(L'.');
    const bool hasExt = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash) &&
                        dot != (slash == std::wstring::npos ? 0 : slash + 1);
    return (hasExt ? name.substr(0, dot) : name) + extension;
}

std::wstring filterPattern(const std::wstring& filter, unsigned index) {
    if (index == 0) return L"";
    size_t start = 0;
    // Item 2 * index - 1 (0-based) is the pattern of filter index.
    for (unsigned item = 0; item < 2 * index - 1; ++item) {
        const size_t bar = filter.find(L'|', start);
        if (bar == std::wstring::npos) return L"";
        start = bar + 1;
    }
    const size_t end = filter.find(L'|', start);
    return filter.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

FileDialogEx::FileDialogEx(bool openMode, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                           const wchar_t* filter, CWnd* parent)
    : CFileDialog(openMode ? TRUE : FALSE, defaultExt, fileName, flags, filter, parent),
      openMode_(openMode),
      filter_(filter ? filter : L"") {}

void FileDialogEx::OnTypeChange() {
    if (openMode_) return;
    const std::wstring name = GetDialogFileSpec();
    if (name.empty()) return;
    const std::wstring renamed = replaceExtension(name, patternExtension(filterPattern(filter_, GetFilterIndex())));
    if (renamed == name) return;
    HWND dialog = GetDialogWindow();
    SetControlText(dialog && ::GetDlgItem(dialog, cmb13) ? cmb13 : edt1, renamed.c_str());
}

}  // namespace s::gui::dialogs::win
