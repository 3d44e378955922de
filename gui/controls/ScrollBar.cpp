#include "gui/controls/ScrollBar.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/component/Events.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/ScrollInfo.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/paint/MemDC.h"
#include "gui/skin/ISkin.h"
#include "gui/skin/ISkinner.h"
#include "gui/window/IWindow.h"
#include "gui/window/WindowClass.h"
#include "imaging/image/BufferedImage.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

namespace {

// The width of the default drawer at scale 1.
constexpr int32_t kDefaultThickness = 15;
constexpr UINT kFirstRepeatMs = 500;
constexpr UINT kRepeatMs = 100;

bool isArrow(int32_t part) { return part == 0 || part == 4; }

}  // namespace

// --- ChildPlacement -------------------------------------------------------------------

void ChildPlacement::place(HWND hwnd, bool visible, UINT flags) {
    if (deferred || !hwnd) {
        dirty = true;
        return;
    }
    ::SetWindowPos(hwnd, nullptr, x + originX, y + originY, width, height,
                   flags | SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : 0));
}

void ChildPlacement::flush(HWND hwnd, bool visible) {
    deferred = false;
    if (!dirty) return;
    dirty = false;
    place(hwnd, visible, 0);
}

POINT ChildPlacement::screenOrigin(HWND hwnd, const ChildPlacement& p) {
    POINT pt{0, 0};
    if (hwnd)
        ::ClientToScreen(hwnd, &pt);
    else
        pt = {p.originX + p.x, p.originY + p.y};
    return pt;
}

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
    if (m_hWnd) DestroyWindow();
}

void ScrollBar::reset() {
    visible_ = false;
    setParent(nullptr);
    if (drawer_ && drawerOwned_) drawer::releaseDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    // A fresh default drawer takes the current screen scale.
    drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = drawer::createDefaultScrollBar();
    geo_ = {};
    widthHint_ = heightHint_ = {};
    background_ = ::GetSysColor(COLOR_BTNFACE);
    transparent_ = false;
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

// --- Geometry ---------------------------------------------------------------------------

int32_t ScrollBar::getScreenX() { return ChildPlacement::screenOrigin(m_hWnd, geo_).x; }
int32_t ScrollBar::getScreenY() { return ChildPlacement::screenOrigin(m_hWnd, geo_).y; }

bool ScrollBar::containsScreenPoint(int32_t x, int32_t y) {
    if (!isVisible()) return false;
    const POINT o = ChildPlacement::screenOrigin(m_hWnd, geo_);
    return x >= o.x && x <= o.x + geo_.width && y >= o.y && y <= o.y + geo_.height;
}

void ScrollBar::setPosition(int32_t x, int32_t y) {
    geo_.x = x;
    geo_.y = y;
    geo_.place(m_hWnd, visible_, SWP_NOSIZE);
}

void ScrollBar::setSize(int32_t w, int32_t h) {
    geo_.width = w;
    geo_.height = h;
    geo_.place(m_hWnd, visible_, SWP_NOMOVE);
}

void ScrollBar::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    geo_.x = x;
    geo_.y = y;
    geo_.width = w;
    geo_.height = h;
    geo_.place(m_hWnd, visible_, 0);
}

void ScrollBar::setOrigin(int32_t originX, int32_t originY) {
    geo_.originX = originX;
    geo_.originY = originY;
    geo_.place(m_hWnd, visible_, SWP_NOSIZE);
}

void ScrollBar::endUpdate() { geo_.flush(m_hWnd, visible_); }

int32_t ScrollBar::getPreferredWidth() {
    return visible_ ? layout::controlPreferredSize(widthHint_, 0, 0, parentInnerWidth()) : 0;
}

int32_t ScrollBar::getPreferredHeight() {
    return visible_ ? layout::controlPreferredSize(heightHint_, 0, 0, parentInnerHeight()) : 0;
}

void ScrollBar::setSizeClamped(int32_t w, int32_t h) {
    setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
            layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
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
        setPosition(kParkX, kParkY);
        if (parent_) parent_->validate();
    }
    repaintPeer();
}

void ScrollBar::repaintPeer() {
    if (peer_) peer_->repaint();
}

void ScrollBar::setEnabled(bool enabled) {
    if (m_hWnd) ::EnableWindow(m_hWnd, enabled);
}

void ScrollBar::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    if (redraw) repaint();
}

void ScrollBar::setBackgroundSystem(bool redraw) {
    transparent_ = false;
    background_ = ::GetSysColor(COLOR_BTNFACE);
    if (redraw) repaint();
}

void ScrollBar::setBackgroundLight(bool redraw) {
    const COLORREF c = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    auto lighter = [](int v) { return 255 - ((255 - v) >> 1); };
    setBackgroundColor(lighter(GetRValue(c)), lighter(GetGValue(c)), lighter(GetBValue(c)), redraw);
}

void ScrollBar::setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) {
    transparent_ = false;
    background_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    if (redraw) repaint();
}

void ScrollBar::setColor(int32_t r, int32_t g, int32_t b) {
    color_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    colorSet_ = true;
}

void ScrollBar::repaint() {
    if (isVisible() && ::IsWindow(m_hWnd)) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void ScrollBar::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    const RECT r{x, y, x + w, y + h};
    ::RedrawWindow(m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

::s::image::win::BufferedImage* ScrollBar::getBackBuffer(int32_t* x, int32_t* y) {
    if (!parent_) return nullptr;
    int32_t dx = 0, dy = 0;
    ::s::image::win::BufferedImage* b = parent_->getBackBuffer(&dx, &dy);
    if (x) *x += dx + geo_.x + geo_.originX;
    if (y) *y += dy + geo_.y + geo_.originY;
    return b;
}

// --- Bar settings -----------------------------------------------------------------------

int32_t ScrollBar::defaultThickness() const {
    if (defaultDrawer_ && defaultDrawer_->getWidth() > 0) return defaultDrawer_->getWidth();
    return kDefaultThickness * system::getScreenScale();
}

drawer::IScrollBar* ScrollBar::currentDrawer() const { return drawer_ ? drawer_ : defaultDrawer_; }

int32_t ScrollBar::getThickness() {
    const int32_t fixed = thicknessHint().fixed;
    if (fixed >= 0) return fixed;
    drawer::IScrollBar* d = currentDrawer();
    return d && d->getWidth() > 0 ? d->getWidth() : defaultThickness();
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
        drawer::IScrollBar* now = currentDrawer();
        thicknessHint().fixed = now && now->getWidth() > 0 ? now->getWidth() : defaultThickness();
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
    if (skinner_ && source == skinner_->asObject() && code == kChangedEvent) {
        drawer::ISkin* skin = skinner_->getCurrentSkin();
        if (skin && skin->getScrollBarDrawer()) setDrawer(skin->getScrollBarDrawer(), false);
    }
}

// --- Attachment -------------------------------------------------------------------------

void ScrollBar::setParent(IContainer* container) {
    if (container) {
        parent_ = container;
        window_ = container->getWindow();
        if (window_ && window_->hasSkinner()) {
            skinner_ = window_->getSkinner();
            skinner_->addListener(this);
            drawer::ISkin* skin = skinner_->getCurrentSkin();
            if (skin && skin->getScrollBarDrawer()) setDrawer(skin->getScrollBarDrawer(), false);
        }
        auto* parentWnd = dynamic_cast<CWnd*>(container);
        if (parentWnd && parentWnd->m_hWnd && !m_hWnd) createHandle(parentWnd);
        return;
    }
    if (!parent_) return;
    detachSkinner();
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kDetach, 0, 0);
    if (m_hWnd) DestroyWindow();
    parent_ = nullptr;
    window_ = nullptr;
}

void ScrollBar::detachSkinner() {
    if (skinner_) skinner_->removeListener(this);
    skinner_ = nullptr;
}

bool ScrollBar::createHandle(CWnd* parentWnd) {
    registerWindowClass();
    if (!CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parentWnd->m_hWnd, nullptr)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    geo_.dirty = false;
    geo_.place(m_hWnd, visible_, 0);
    if (visible_) ::ShowWindow(m_hWnd, SW_SHOWNA);
    return true;
}

// --- Painting ---------------------------------------------------------------------------

void ScrollBar::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int32_t w = rc.right, h = rc.bottom;
    MemDC* mem =
        w > 0 && h > 0 ? MemDC::forImage(m_hWnd, ::s::image::win::BufferedImage::createSized(w, h), true) : nullptr;
    if (mem) {
        HDC target = mem->getHdc();
        int32_t ox = 0, oy = 0;
        ::s::image::win::BufferedImage* under = transparent_ ? getBackBuffer(&ox, &oy) : nullptr;
        MemDC* underDc = under ? MemDC::forImage(m_hWnd, under, false) : nullptr;
        if (underDc) {
            ::BitBlt(target, 0, 0, w, h, underDc->getHdc(), ox, oy, SRCCOPY);
            underDc->release();
        } else {
            HBRUSH brush = ::CreateSolidBrush(background_);
            ::FillRect(target, &rc, brush);
            ::DeleteObject(brush);
        }
        drawer::IScrollBar* d = currentDrawer();
        if (visible_ && d) {
            auto stateOf = [&](int32_t part) { return activePart_ == part ? visualState_ : 0; };
            d->paint(target, 0, 0, w, h, isHorizontal(), info_->getRange(), info_->getPage(), info_->getPosition(),
                     stateOf(0), stateOf(2), stateOf(4), peer_ && peer_->isVisible(), colorSet_, GetRValue(color_),
                     GetGValue(color_), GetBValue(color_));
        }
        ::BitBlt(dc, 0, 0, w, h, target, 0, 0, SRCCOPY);
        mem->release();
    }
    ::EndPaint(m_hWnd, &ps);
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

LRESULT ScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (preHandle(&result, message, wParam, lParam)) return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    postHandle(&result, message, wParam, lParam);
    return result;
}

bool ScrollBar::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paint(); return true;
        case WM_ERASEBKGND: *result = 1; return true;
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
