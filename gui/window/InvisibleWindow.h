// The hidden owner of a top-level window: a pop-up tool window of the toolkit's class
// that is never given a size. It keeps the window off the taskbar (a window shows a
// taskbar button only with WS_EX_APPWINDOW) and closes on message 0x8001.
#pragma once

#include "framework/window/Wnd.h"

namespace s::gui::win {

class InvisibleWindow : public CWnd {
public:
    InvisibleWindow() = default;
    ~InvisibleWindow() override;

    // Makes the hidden window on the calling thread; true when the handle exists. A
    // failure shows "Window Creation Failed!".
    bool create();

    // Test seam: while set, create() fails as if the system refused the window.
    static void setFailCreationForTest(bool fail);
};

}  // namespace s::gui::win
