// The framework's open / save dialog that, in save mode, gives the name in the dialog
// the extension of the file type the user picks.
#pragma once

#include <string>

#include "framework/dialogs/FileDialog.h"

namespace s::gui::dialogs::win {

// The extension of the first pattern of a filter pattern ("*.jpg;*.jpeg" -> ".jpg");
// empty when it has none or it is a wildcard ("*.*").
std::wstring patternExtension(const std::wstring& pattern);
// The name with its extension replaced by the given one (added when it has none);
// the name unchanged when extension is empty.
std::wstring replaceExtension(const std::wstring& name, const std::wstring& extension);
// The pattern of the filter at the 1-based index in a "description|pattern|..." text.
std::wstring filterPattern(const std::wstring& filter, unsigned index);

class FileDialogEx : public CFileDialog {
public:
    FileDialogEx(bool openMode, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags, const wchar_t* filter,
                 CWnd* parent);

    bool isOpenMode() const { return openMode_; }

protected:
    void OnTypeChange() override;

private:
    bool openMode_;
    std::wstring filter_;
};

}  // namespace s::gui::dialogs::win
