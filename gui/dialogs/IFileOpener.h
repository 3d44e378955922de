// The system open / save dialog with its settings and results.
//
//   IFileOpener* dialog = FileOpener::create();
//   dialog->setSaveMode();
//   dialog->addFilter(L"PNG (*.png)", L"*.png");
//   dialog->addFilter(L"JPEG (*.jpg)", L"*.jpg;*.jpeg");
//   if (dialog->show(window)) save(dialog->getPath());
#pragma once

#include <cstdint>

namespace s::gui {
class IComponent;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::gui::dialogs {

class IFileOpener {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_dialogs_IFileOpener";

    virtual ~IFileOpener() = default;
    // Blocks until the dialog ends; true when the user confirmed.
    virtual bool show(IComponent* owner) = 0;
    virtual void setOpenMode(bool multiSelect, bool resolveShortcuts) = 0;
    virtual void setSaveMode() = 0;
    // The chosen path (the first when several).
    virtual const wchar_t* getPath() = 0;
    virtual str::strarray::StrArray* getPaths() = 0;
    // Null means empty.
    virtual void setInitialDirectory(const wchar_t* directory) = 0;
    virtual void setFileName(const wchar_t* name) = 0;
    virtual void setDefaultExtension(const wchar_t* extension) = 0;
    // Appends description "|" pattern "|"; null texts append nothing.
    virtual void addFilter(const wchar_t* description, const wchar_t* pattern) = 0;
};

}  // namespace s::gui::dialogs
