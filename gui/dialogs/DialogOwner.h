// The owner side of a system dialog: the owner component's window as the dialog's
// parent, held in its modal state and taken off topmost while the dialog runs.
//
//   OwnerScope scope(owner);           // modal state on, topmost off
//   CFileDialog dlg(..., scope.parent());
//   dlg.DoModal();                     // scope's end gives both back
#pragma once

class CWnd;

namespace s::gui {
class IComponent;
class IWindow;
}  // namespace s::gui

namespace s::gui::dialogs::win {

// The framework window of the component's window; null without one.
CWnd* ownerWnd(IComponent* owner);

class OwnerScope {
public:
    explicit OwnerScope(IComponent* owner);
    ~OwnerScope();
    OwnerScope(const OwnerScope&) = delete;
    OwnerScope& operator=(const OwnerScope&) = delete;

    CWnd* parent() const { return parent_; }

private:
    IWindow* window_ = nullptr;
    CWnd* parent_ = nullptr;
    bool wasTopMost_ = false;
};

}  // namespace s::gui::dialogs::win
