// The system open / save dialog as a pooled object (see IFileOpener.h).
#pragma once

#include <string>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "gui/dialogs/IFileOpener.h"

namespace s::gui::dialogs::win {

class FileOpener : public base::IObject, public thread::IPoolable, public IFileOpener {
    S_POOLED(FileOpener, L"s_gui_dialogs_win_FileOpener")
public:
    // Room for a multi-selection, in characters.
    static constexpr unsigned kMultiSelectChars = 129998;

    FileOpener();
    ~FileOpener() override;
    FileOpener(const FileOpener&) = delete;
    FileOpener& operator=(const FileOpener&) = delete;

    bool show(IComponent* owner) override;
    void setOpenMode(bool multiSelect, bool resolveShortcuts) override;
    void setSaveMode() override { openMode_ = false; }
    const wchar_t* getPath() override { return path_.c_str(); }
    str::strarray::StrArray* getPaths() override { return paths_; }
    void setInitialDirectory(const wchar_t* directory) override { initialDir_ = directory ? directory : L""; }
    void setFileName(const wchar_t* name) override { fileName_ = name ? name : L""; }
    void setDefaultExtension(const wchar_t* extension) override { defaultExt_ = extension ? extension : L""; }
    void addFilter(const wchar_t* description, const wchar_t* pattern) override;

    bool isOpenMode() const { return openMode_; }
    bool isMultiSelect() const { return multiSelect_; }
    bool resolvesShortcuts() const { return resolveShortcuts_; }
    const std::wstring& getFilter() const { return filter_; }
    // The filter chosen when the dialog was confirmed, 1 for the first; 0 before.
    int32_t getFilterIndex() const { return filterIndex_; }
    // The dialog flags the next show uses.
    unsigned long dialogFlags() const;

    void reset() override;

private:
    bool openMode_ = true;
    std::wstring path_, initialDir_, fileName_, defaultExt_, filter_;
    bool resolveShortcuts_ = true, multiSelect_ = false;
    int32_t filterIndex_ = 0;
    str::strarray::StrArray* paths_ = nullptr;
};

}  // namespace s::gui::dialogs::win
