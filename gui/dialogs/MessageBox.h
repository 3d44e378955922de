// The pooled message box object (see IMessageBox.h). Inside s::gui::win this class hides
// the Win32 function of the same name: call that one as ::MessageBoxW.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"
#include "gui/dialogs/IMessageBox.h"

namespace s::gui::win {

class MessageBoxW : public IMessageBox, public thread::IPoolable {
    S_POOLED(MessageBoxW, L"s_gui_win_MessageBox")
public:
    MessageBoxW() { reset(); }

    // Take a box from the pool, show, give it back (whatever the answer). Named apart
    // from the interface's operations, which C++ cannot overload with statics.
    static void showInfoBox(const wchar_t* text);
    static void showErrorBox(const wchar_t* text);
    static bool askYesNoBox(const wchar_t* text);

    void setStyle0() override { style = 0; }
    void setStyle1() override { style = 1; }
    void setStyle2() override { style = 2; }
    void showInfo(const wchar_t* text) override;
    void showWarning(const wchar_t* text) override;
    void showError(const wchar_t* text) override;
    bool askYesNo(const wchar_t* text) override;
    bool askYesNoCancel(const wchar_t* text, bool* yes) override;

    void reset() override { style = 0; }

    int32_t style = 0;
};

}  // namespace s::gui::win
