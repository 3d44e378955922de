#include "gui/dialogs/DialogOwner.h"

#include "framework/window/Wnd.h"
#include "gui/component/IComponent.h"
#include "gui/window/IWindow.h"

namespace s::gui::dialogs::win {

namespace {
IWindow* windowOf(IComponent* owner) { return owner ? owner->getWindow() : nullptr; }
}  // namespace

CWnd* ownerWnd(IComponent* owner) {
    IWindow* window = windowOf(owner);
    return window ? CWnd::FromHandle(window->getHwnd()) : nullptr;
}

OwnerScope::OwnerScope(IComponent* owner) : window_(windowOf(owner)) {
    if (!window_) return;
    parent_ = CWnd::FromHandle(window_->getHwnd());
    window_->setModalState(true);
    wasTopMost_ = window_->isTopMost();
    if (wasTopMost_) window_->setTopMost(false);
}

OwnerScope::~OwnerScope() {
    if (!window_) return;
    window_->setModalState(false);
    if (wasTopMost_) window_->setTopMost(true);
}

}  // namespace s::gui::dialogs::win
