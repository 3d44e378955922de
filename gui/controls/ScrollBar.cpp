#include "gui/controls/ScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/component/Events.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/ScrollInfo.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/skin/ISkin.h"
#include "gui/skin/ISkinner.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

namespace {

// The width of the default drawer at scale 1.
constexpr int32_t kDefaultThickness = 15;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 100;

bool isArrow(int32_t part) { return part == 0 || part == 4; }

// Where a hidden bar waits, far outside its parent's client area.
constexpr int32_t kParkY = 10000;

}  // namespace

// --- Life cycle -------------------------------------------------------------------------

ScrollBar::ScrollBar() {
    info_ = scrollbar::win::ScrollInfo::create();
    reset();
}

ScrollBar::~ScrollBar() {
    reset();
    drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = nullptr;
    if (info_) info_->release();
}

void ScrollBar::reset() {
    visible_ = false;
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), false);
    visible_ = false;
    if (drawer_ && drawerOwned_) drawer::releaseDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    // A fresh default drawer takes the current screen scale.
    drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = drawer::createDefaultScrollBar();
    orientation_ = ScrollBarOrientation::kVertical;
    pressed_ = false;
    pressedPart_ = activePart_ = -1;
    visualState_ = 0;
    thumbDragging_ = false;
    dragStart_ = dragStartPosition_ = 0;
    info_->reset();
    info_->setVertical();
    info_->setBar(this);
    target_ = peer_ = nullptr;
    thicknessFixed_ = false;
    color_ = 0xFFFFFF;
    colorSet_ = false;
}

// --- Visibility and colours ------------------------------------------------------------

void ScrollBar::setVisible(bool visible, bool) {
    if (visible) {
        // A bar appears only while its model has something to show.
        if (visible_ || !info_->isShown()) return;
        visible_ = true;
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOWNA);
        if (m_hWnd && parent_) parent_->validate();
    } else {
        if (!visible_) return;
        visible_ = false;
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
        setPosition(control::kParkX, kParkY);
        if (parent_) parent_->validate();
    }
    repaintPeer();
}

void ScrollBar::repaintPeer() {
    if (peer_) peer_->repaint();
}

void ScrollBar::setColor(int32_t r, int32_t g, int32_t b) {
    color_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    colorSet_ = true;
}

// --- Bar settings -----------------------------------------------------------------------

int32_t ScrollBar::defaultThickness() {
    // Taken at the current scale: a pooled drawer keeps the width of the scale it was
    // reset at, so it is brought up to date here.
    const int32_t width = kDefaultThickness * system::getScreenScale();
    if (defaultDrawer_) defaultDrawer_->setWidth(width);
    return width;
}

drawer::IScrollBar* ScrollBar::currentDrawer() const { return drawer_ ? drawer_ : defaultDrawer_; }

int32_t ScrollBar::getThickness() {
    const int32_t fixed = thicknessHint().fixed;
    if (fixed >= 0) return fixed;
    return drawer_ && drawer_->getWidth() > 0 ? drawer_->getWidth() : defaultThickness();
}

void ScrollBar::setThickness(int32_t pixels) {
    if (pixels < 0) {
        thicknessHint().fixed = defaultThickness();
        thicknessFixed_ = false;
    } else {
        thicknessHint().fixed = pixels;
        thicknessFixed_ = true;
    }
}

void ScrollBar::setOrientation(int32_t orientation) {
    orientation_ = orientation == ScrollBarOrientation::kHorizontal ? ScrollBarOrientation::kHorizontal
                                                                    : ScrollBarOrientation::kVertical;
    info_->setOrientation(isHorizontal() ? scrollbar::ScrollInfoOrientation::kHorizontal
                                         : scrollbar::ScrollInfoOrientation::kVertical);
}

void ScrollBar::setDrawer(drawer::IScrollBar* d, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != d) drawer::releaseDrawer(drawer_);
    drawer_ = d;
    drawerOwned_ = owned && d;
    if (!thicknessFixed_) {
        const int32_t before = thicknessHint().fixed;
        thicknessHint().fixed = drawer_ && drawer_->getWidth() > 0 ? drawer_->getWidth() : defaultThickness();
        // A new width needs a new place for the bar and its neighbours.
        if (thicknessHint().fixed != before && visible_ && m_hWnd) validateParent();
    }
    repaint();
}

scrollbar::IScrollInfo* ScrollBar::getScrollInfo() { return info_; }

void ScrollBar::setTarget(IComponent* target) {
    if (target != target_ && target) {
        // A box tells its layouts; the model refits after each.
        if (auto* box = dynamic_cast<Box*>(target)) box->addLayoutListener(this);
    }
    target_ = target;
    if (!target) return;
    info_->setEnabled(target, true);
    info_->update(target);
}

void ScrollBar::scrollTarget(int32_t delta) {
    if (target_) info_->scrollBy(target_, delta);
    if (::IsWindow(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
}

void ScrollBar::onEvent(base::IObject* source, int32_t code) {
    if (target_ && source == asObject(target_) && code == BoxEvent::kLaidOut) {
        info_->update(target_);
        return;
    }
    drawer::ISkinner* skinner = control::skinnerOf(window_);
    if (skinner && source == skinner->asObject() && code == drawer::kSkinChangedEvent) {
        drawer::ISkin* skin = skinner->getCurrentSkin();
        if (skin && skin->getScrollBarDrawer()) setDrawer(skin->getScrollBarDrawer(), false);
    }
}

// --- Attachment -------------------------------------------------------------------------

void ScrollBar::attachServices() {
    if (drawer::ISkinner* skinner = control::skinnerOf(window_)) {
        if (drawer::ISkin* skin = skinner->getCurrentSkin(); skin && skin->getScrollBarDrawer())
            setDrawer(skin->getScrollBarDrawer(), false);
        skinner->addListener(this);
    }
}

void ScrollBar::detachServices() {
    if (drawer::ISkinner* skinner = control::skinnerOf(window_)) skinner->removeListener(this);
}

// --- Painting ---------------------------------------------------------------------------

void ScrollBar::paintContent(HDC dc, const RECT& rc) {
    drawer::IScrollBar* d = currentDrawer();
    if (!visible_ || !d) return;
    auto stateOf = [&](int32_t part) { return activePart_ == part ? visualState_ : 0; };
    d->paint(dc, rc.left, rc.top, rc.right, rc.bottom, isHorizontal(), info_->getRange(), info_->getPage(),
             info_->getPosition(), stateOf(0), stateOf(2), stateOf(4), peer_ && peer_->isVisible(), colorSet_,
             GetRValue(color_), GetGValue(color_), GetBValue(color_));
}

// --- Mouse --------------------------------------------------------------------------------

int32_t ScrollBar::partAt(int32_t clientX, int32_t clientY) {
    drawer::IScrollBar* d = currentDrawer();
    if (!d || !m_hWnd) return -1;
    RECT wr;
    ::GetWindowRect(m_hWnd, &wr);
    return d->hitTest(wr.left + clientX, wr.top + clientY, wr.left, wr.top, wr.right, wr.bottom, isHorizontal(),
                      info_->getRange(), info_->getPage(), info_->getPosition(), peer_ && peer_->isVisible());
}

void ScrollBar::stepFor(int32_t part) {
    if (!target_) return;
    switch (part) {
        case 0: info_->lineUp(target_); break;
        case 1: info_->pageUp(target_); break;
        case 3: info_->pageDown(target_); break;
        case 4: info_->lineDown(target_); break;
        default: return;
    }
}

void ScrollBar::setVisualState(int32_t part, int32_t state) {
    if (activePart_ == part && visualState_ == state) return;
    activePart_ = part;
    visualState_ = state;
    repaint();
}

void ScrollBar::stopPress() {
    ::KillTimer(m_hWnd, kFirstRepeatTimer);
    ::KillTimer(m_hWnd, kRepeatTimer);
    thumbDragging_ = false;
    pressed_ = false;
    setVisualState(-1, 0);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

bool ScrollBar::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paintBuffered(); return true;
        case WM_GETDLGCODE: *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;
        case WM_LBUTTONDOWN: {
            const int32_t part = partAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            pressedPart_ = part;
            if (part < 0 || part > 4) return true;
            pressed_ = true;
            // Held outside the bar, the press still ends here.
            ::SetCapture(m_hWnd);
            if (part == 2) {
                thumbDragging_ = true;
                RECT wr;
                ::GetWindowRect(m_hWnd, &wr);
                dragStart_ = isHorizontal() ? wr.left + GET_X_LPARAM(lParam) : wr.top + GET_Y_LPARAM(lParam);
                dragStartPosition_ = info_->getPosition();
                setVisualState(part, 2);
                return true;
            }
            stepFor(part);
            ::SetTimer(m_hWnd, kFirstRepeatTimer, kFirstRepeatMs, nullptr);
            if (isArrow(part))
                setVisualState(part, 2);
            else
                repaint();
            return true;
        }
        case WM_TIMER: {
            if (wParam != kFirstRepeatTimer && wParam != kRepeatTimer) return false;
            if (!pressed_) return true;
            POINT p;
            ::GetCursorPos(&p);
            ::ScreenToClient(m_hWnd, &p);
            stepFor(partAt(p.x, p.y));
            repaint();
            if (wParam == kFirstRepeatTimer) {
                ::KillTimer(m_hWnd, kFirstRepeatTimer);
                ::SetTimer(m_hWnd, kRepeatTimer, kRepeatMs, nullptr);
            }
            return true;
        }
        case WM_MOUSEMOVE: {
            const int32_t cx = GET_X_LPARAM(lParam), cy = GET_Y_LPARAM(lParam);
            const int32_t part = partAt(cx, cy);
            if (pressed_ && thumbDragging_) {
                drawer::IScrollBar* d = currentDrawer();
                RECT wr;
                ::GetWindowRect(m_hWnd, &wr);
                const int32_t now = isHorizontal() ? wr.left + cx : wr.top + cy;
                if (d) {
                    const int32_t wanted = d->positionForDrag(now - dragStart_, dragStartPosition_, wr.left, wr.top,
                                                              wr.right, wr.bottom, isHorizontal(), info_->getRange(),
                                                              info_->getPage(), peer_ && peer_->isVisible());
                    if (wanted != info_->getPosition()) scrollTarget(wanted - info_->getPosition());
                }
            } else if (pressed_) {
                if (part == pressedPart_)
                    setVisualState(pressedPart_, 2);
                else if (!isArrow(part))
                    setVisualState(pressedPart_, 0);
            } else if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
                if (isArrow(part) || part == 2) {
                    setVisualState(part, 1);
                    if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
                } else {
                    setVisualState(-1, 0);
                    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
                }
            }
            return false;
        }
        case WM_LBUTTONUP:
            if (pressed_) stopPress();
            return false;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: nothing is held any more.
            if (pressed_ && reinterpret_cast<HWND>(lParam) != m_hWnd) stopPress();
            return false;
        case LibraryMessage::kDetach: stopPress(); return true;
        default: return false;
    }
}

}  // namespace s::gui::win
