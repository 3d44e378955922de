#include "viewer/saveopts/SaveOptionsWindow.h"

#include <windows.h>

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/Spacer.h"
#include "gui/layout/LayoutKind.h"
#include "gui/window/Window.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/lang/Localizer.h"
#include "platform/system/Screen.h"

namespace s::image::gui::boxes {

namespace sg = ::s::gui;
using sg::LayoutKind::kColumn;
using sg::LayoutKind::kRow;
using sg::win::Box;
using sg::win::Button;

bool askSaveOptions(sg::IWindow* owner, IEncodeSetting* setting, lang::Localizer* localizer) {
    SaveOptionsWindow asker(owner, setting, localizer);
    return asker.open() && asker.waitForAnswer();
}

SaveOptionsWindow::SaveOptionsWindow(sg::IWindow* owner, IEncodeSetting* setting, lang::Localizer* localizer)
    : owner_(owner), setting_(dynamic_cast<EncodeSettingBase*>(setting)), localizer_(localizer) {}

SaveOptionsWindow::~SaveOptionsWindow() {
    answer_.store(kCancelled);
    finish();
}

std::wstring SaveOptionsWindow::text(int32_t id, const wchar_t* fallback) const {
    const wchar_t* t = localizer_ ? localizer_->getText(id) : nullptr;
    return t && *t ? t : fallback;
}

bool SaveOptionsWindow::open() {
    if (window_ || !setting_) return false;
    answer_.store(kPending);
    window_ = sg::win::Window::create();
    if (!window_ || !window_->getHwnd()) {
        if (window_) window_->release();
        window_ = nullptr;
        return false;
    }
    window_->setResizable(false);
    window_->setMaximizeBox(false);
    window_->setMinimizeBox(false);
    window_->setClientEdge(false);
    // The panel's captions come from the language pack through the window holding it.
    if (localizer_) window_->setLocalizer(localizer_);
    std::wstring title = text(kTitleId, L"Save Options");
    while (!title.empty() && (title.back() == L'.' || title.back() == L' ')) title.pop_back();
    window_->setTitle(title.empty() ? L"Save Options" : title.c_str());
    sg::IComponent* panel = setting_->createConfigBox(window_);
    if (!panel) {
        window_->release();
        window_ = nullptr;
        return false;
    }
    build(panel);
    window_->addCloseListener(this);
    place();
    // Over an owner kept on top it is kept on top too, or it could open behind it.
    HWND ownerHwnd = owner_ ? owner_->getHwnd() : nullptr;
    if (ownerHwnd && (GetWindowLongPtrW(ownerHwnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) window_->setTopMost(true);
    window_->setVisible(true, true);
    window_->bringToFront(true);
    if (owner_) {
        owner_->setModalState(true);
        modal_ = true;
    }
    return true;
}

void SaveOptionsWindow::build(sg::IComponent* panel) {
    const int32_t s = std::max(1, ::s::system::getScreenScale());
    // As wide as the client area: the window lays its children out over its outer width.
    column_ = Box::createWithLayout(kColumn, -1, -1, sg::Align::kStart, sg::Align::kStart, 0, 8 * s, 0, 8 * s);
    column_->setFixedWidth(kWidth * s, false);
    window_->addChild(column_);
    column_->addChild(panel);
    Box* buttons = Box::createFixedHeight(kRow, 100, 22 * s, sg::Align::kEnd, sg::Align::kCentre, 0, 0, 0);
    ok_ = Button::createWithText(text(kOkId, L"OK").c_str(), -1, 22 * s);
    ok_->setFixedWidth(80 * s);
    cancel_ = Button::createWithText(L"Cancel", -1, 22 * s);
    cancel_->setFixedWidth(80 * s);
    buttons->addChild(ok_);
    buttons->addChild(sg::win::Spacer::createFixed(sg::SpacerOrientation::kHorizontal, 8 * s));
    buttons->addChild(cancel_);
    buttons->addChild(sg::win::Spacer::createFixed(sg::SpacerOrientation::kHorizontal, 10 * s));
    column_->addChild(buttons);
    ok_->addActionListener(this);
    cancel_->addActionListener(this);
}

void SaveOptionsWindow::place() {
    const int32_t s = std::max(1, ::s::system::getScreenScale());
    window_->setInnerWidth(kWidth * s);
    for (int i = 0; i < 3; ++i) {
        window_->doLayout();
        window_->setInnerHeight(std::max(column_->getPreferredHeight(), 60 * s));
    }
    window_->doLayout();
    // Over the middle of the owner, inside the work area.
    HWND owner = owner_ ? owner_->getHwnd() : nullptr;
    RECT o{}, self{};
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(window_->getHwnd(), &self)) return;
    const int width = self.right - self.left, height = self.bottom - self.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = (o.left + o.right - width) / 2, y = (o.top + o.bottom - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    window_->setPosition(x, y);
}

void SaveOptionsWindow::onEvent(base::IObject* source, int32_t) {
    int32_t pending = kPending;
    if (ok_ && source == sg::asObject(ok_)) {
        answer_.compare_exchange_strong(pending, kTaken);
    } else {
        // Cancel or the window's close.
        answer_.compare_exchange_strong(pending, kCancelled);
    }
}

bool SaveOptionsWindow::waitForAnswer() {
    if (!window_) return false;
    while (answer_.load() == kPending) {
        // A window destroyed from outside counts as a close.
        if (!IsWindow(window_->getHwnd())) {
            answer_.store(kCancelled);
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        bool quit = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));  // the thread's own loop still needs to see it
                quit = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (quit) {
            int32_t pending = kPending;
            answer_.compare_exchange_strong(pending, kCancelled);
        }
    }
    const bool taken = answer_.load() == kTaken;
    if (taken) setting_->readConfigBox();
    finish();
    return taken;
}

void SaveOptionsWindow::finish() {
    // The owner takes input again before the options window goes, so it is activated.
    if (modal_ && owner_) owner_->setModalState(false);
    modal_ = false;
    if (!window_) return;
    window_->setVisible(false, true);
    window_->release();  // its controls go with it
    window_ = nullptr;
    column_ = nullptr;
    ok_ = cancel_ = nullptr;
    // The panel's controls are gone: no later read may reach them.
    setting_->closeConfigBox();
}

}  // namespace s::image::gui::boxes
