// Message and question boxes: the framework's message box with an icon by kind.
//
//   if (s::gui::win::MessageBoxW::askYesNo(L"Delete the file?")) ...
//
// The answers of askYesNoCancel: Yes -> true with yes set; No -> true with yes clear;
// Cancel (or closing the box) -> false with yes clear.
#pragma once

#include "foundation/base/Object.h"

namespace s::gui {

class IMessageBox : public base::IObject {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IMessageBox";

    // A style number 0, 1 or 2, stored for callers; the boxes do not consult it.
    virtual void setStyle0() = 0;
    virtual void setStyle1() = 0;
    virtual void setStyle2() = 0;
    virtual void showInfo(const wchar_t* text) = 0;
    virtual void showWarning(const wchar_t* text) = 0;
    virtual void showError(const wchar_t* text) = 0;
    virtual bool askYesNo(const wchar_t* text) = 0;
    virtual bool askYesNoCancel(const wchar_t* text, bool* yes) = 0;
};

}  // namespace s::gui
