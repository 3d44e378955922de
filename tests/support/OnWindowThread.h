// Runs functions on a window's own thread through the window's invoke, as the window's
// events run there (for tests and benchmarks that drive a real window from outside).
//
//   testsupport::OnWindowThread gui;
//   gui.attach(window);                 // the helper must outlive the window
//   gui([&] { dialog->openImage(path, true, false); });
#pragma once

#include <cstdint>
#include <functional>

#include "gui/component/Events.h"
#include "gui/window/Window.h"

namespace testsupport {

class OnWindowThread : public s::gui::events::IEventListener {
public:
    void attach(s::gui::win::Window* window) {
        window_ = window;
        window->addInvokeListener(this);
    }
    void operator()(const std::function<void()>& fn) {
        window_->invoke(reinterpret_cast<intptr_t>(this), reinterpret_cast<intptr_t>(&fn), 0, 0);
    }
    void onEvent(s::base::IObject*, int32_t code) override {
        if (code != s::gui::WindowEvent::kInvoke || window_->getInvokeArg1() != reinterpret_cast<intptr_t>(this))
            return;
        (*reinterpret_cast<const std::function<void()>*>(window_->getInvokeArg2()))();
    }

private:
    s::gui::win::Window* window_ = nullptr;
};

}  // namespace testsupport
