// The window of the benchmarks that time a picture view: shown at the screen's top left,
// holding one panel of w x h (a pile) for the views.
#pragma once

#include <cstdio>

#include "gui/box/Box.h"
#include "gui/window/Window.h"
#include "skins/drawers/InstallDrawers.h"

namespace bench {

// Null (after saying so) when no window could be made; the caller releases the window.
inline s::gui::win::Window* panelWindow(int w, int h, s::gui::win::Box** panel) {
    s::skins::installDefaultDrawers();
    s::gui::win::Window* window = s::gui::win::Window::create();
    if (!window || !window->getHwnd()) {
        std::printf("no window\n");
        return nullptr;
    }
    window->setBounds(0, 0, w + 40, h + 60);
    window->setVisible(true, true);
    *panel = s::gui::win::Box::createSized(s::gui::LayoutKind::kPile, w, h, 0, 0, 0);
    window->addChild(*panel);
    (*panel)->setSizeClamped(w, h);
    return window;
}

}  // namespace bench
