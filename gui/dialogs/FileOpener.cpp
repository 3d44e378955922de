#include "gui/dialogs/FileOpener.h"

#include <windows.h>

#include <commdlg.h>

#include "foundation/str/StrArray.h"
#include "gui/dialogs/DialogOwner.h"
#include "gui/dialogs/FileDialogEx.h"

namespace s::gui::dialogs::win {

FileOpener::FileOpener() : paths_(str::strarray::StrArray::create()) { reset(); }

FileOpener::~FileOpener() {
    if (paths_) paths_->release();
}

void FileOpener::reset() {
    openMode_ = true;
    filterIndex_ = 0;
    path_.clear();
    initialDir_.clear();
    fileName_.clear();
    defaultExt_.clear();
    filter_.clear();
    resolveShortcuts_ = true;
    multiSelect_ = false;
    if (paths_) paths_->clear();
}

void FileOpener::setOpenMode(bool multiSelect, bool resolveShortcuts) {
    openMode_ = true;
    multiSelect_ = multiSelect;
    resolveShortcuts_ = resolveShortcuts;
}

void FileOpener::addFilter(const wchar_t* description, const wchar_t* pattern) {
    if (!description || !pattern) return;
    filter_.append(description).append(L"|").append(pattern).append(L"|");
}

unsigned long FileOpener::dialogFlags() const {
    unsigned long flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (openMode_ && multiSelect_) flags |= OFN_ALLOWMULTISELECT;
    if (!resolveShortcuts_) flags |= OFN_NODEREFERENCELINKS;
    return flags;
}

bool FileOpener::show(IComponent* owner) {
    if (paths_) paths_->clear();
    filterIndex_ = 0;
    OwnerScope scope(owner);
    const std::wstring filter = filter_.empty() ? filter_ : filter_ + L"|";
    const DWORD flags = dialogFlags();
    FileDialogEx dialog(openMode_, defaultExt_.empty() ? nullptr : defaultExt_.c_str(),
                        fileName_.empty() ? nullptr : fileName_.c_str(), flags,
                        filter.empty() ? nullptr : filter.c_str(), scope.parent());
    if (!initialDir_.empty()) dialog.SetInitialDir(initialDir_.c_str());
    if (flags & OFN_ALLOWMULTISELECT) dialog.SetFileBufferSize(kMultiSelectChars);
    if (dialog.DoModal() != IDOK) return false;
    filterIndex_ = int32_t(dialog.GetFilterIndex());
    path_.clear();
    for (const std::wstring& chosen : dialog.GetPathNames()) {
        if (chosen.empty()) continue;
        if (path_.empty()) path_ = chosen;
        if (paths_) paths_->addText(chosen.c_str());
    }
    if (path_.empty()) path_ = dialog.GetPathName();
    return true;
}

}  // namespace s::gui::dialogs::win
