#include "gui/controls/ScrollBox.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/controls/Control.h"
#include "gui/controls/ScrollBar.h"
#include "gui/component/ContainerSupport.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/ScrollInfo.h"
#include "gui/layout/LayoutManagers.h"
#include "gui/paint/MemDC.h"
#include "gui/window/IWindow.h"
#include "gui/window/WindowClass.h"
#include "imaging/image/BufferedImage.h"

namespace s::gui::win {

namespace {

// Where a hidden scroll box waits, far outside its parent's client area.
constexpr int32_t kParkY = 10000;

bool isShared(ILayoutManager* l) {
    return l == layout::Vertical::shared() || l == layout::FlowH::shared() || l == layout::Pile::shared();
}

bool buttonHeld(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

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

// --- Life cycle ---------------------------------------------------------------------------

ScrollBox::ScrollBox() { reset(); }

ScrollBox::~ScrollBox() {
    reset();
    if (m_hWnd) DestroyWindow();
}

void ScrollBox::reset() {
    outer_ = viewport_ = nullptr;
    vbar_ = hbar_ = nullptr;
    visible_ = true;
    removeAllChildren(true);
    children_.freeStorage();
    setParent(nullptr);
    if (backBuffer_) backBuffer_->release();
    backBuffer_ = nullptr;
    if (layoutObject_ && !isShared(layoutObject_)) layoutObject_->release();
    layoutObject_ = nullptr;
    geo_ = {};
    layoutSizes_ = {};
    widthHint_ = heightHint_ = {};
    background_ = ::GetSysColor(COLOR_BTNFACE);
    transparent_ = true;
    attaching_ = false;
    scrollingEnabled_ = true;
    keepCentre_ = barsHidden_ = false;
    wheelListeners_.clear();
    wheelLines_ = 0;
    dragToPan_ = dragging_ = false;
    pressPoint_ = lastPoint_ = {};
}

ScrollBox* ScrollBox::createWithBars(double widthPercent, double heightPercent) {
    ScrollBox* sb = create();
    ScrollBar* hbar = ScrollBar::create();
    hbar->setHorizontal();
    hbar->setLengthPercent(100);
    hbar->setThickness(-1);
    ScrollBar* vbar = ScrollBar::create();
    vbar->setVertical();
    vbar->setLengthPercent(100);
    vbar->setThickness(-1);
    // Small content sits in the middle of the view.
    Box* viewport = Box::createWithLayout(LayoutKind::kColumn, 100, 100, 1, 1, 0, 0, 0, 0);
    Box* row = Box::createWithLayout(LayoutKind::kRow, 100, 100, 0, 0, 0, 0, 0, 0);
    row->addChild(viewport);
    row->addChild(vbar);
    Box* outer = Box::createWithLayout(LayoutKind::kColumn, 100, 100, 0, 0, 0, 0, 0, 0);
    outer->addChild(row);
    outer->addChild(hbar);
    viewport->setCollapseWidth(true);
    viewport->setCollapseHeight(true);
    hbar->setPeer(vbar);
    sb->setParts(outer, viewport, vbar, hbar);
    if (widthPercent >= 0) sb->setWidthPercent(int32_t(widthPercent));
    if (heightPercent >= 0) sb->setHeightPercent(int32_t(heightPercent));
    return sb;
}

// --- Sizes and geometry ---------------------------------------------------------------

layout::PanelAxis ScrollBox::axisX() const {
    layout::PanelAxis a;
    a.hint = widthHint_;
    a.layoutMin = layoutSizes_.minWidth;
    a.layoutPref = layoutSizes_.prefWidth;
    return a;
}

layout::PanelAxis ScrollBox::axisY() const {
    layout::PanelAxis a;
    a.hint = heightHint_;
    a.layoutMin = layoutSizes_.minHeight;
    a.layoutPref = layoutSizes_.prefHeight;
    return a;
}

bool ScrollBox::containsScreenPoint(int32_t x, int32_t y) {
    if (!isVisible()) return false;
    const int32_t sx = getScreenX(), sy = getScreenY();
    return x >= sx && x <= sx + geo_.width && y >= sy && y <= sy + geo_.height;
}

void ScrollBox::setPosition(int32_t x, int32_t y) {
    geo_.x = x;
    geo_.y = y;
    geo_.place(m_hWnd, visible_, SWP_NOSIZE);
}

void ScrollBox::setSize(int32_t w, int32_t h) {
    geo_.width = w;
    geo_.height = h;
    geo_.place(m_hWnd, visible_, SWP_NOMOVE);
}

void ScrollBox::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    geo_.x = x;
    geo_.y = y;
    geo_.width = w;
    geo_.height = h;
    geo_.place(m_hWnd, visible_, 0);
}

void ScrollBox::setOrigin(int32_t originX, int32_t originY) {
    geo_.originX = originX;
    geo_.originY = originY;
    geo_.place(m_hWnd, visible_, SWP_NOSIZE);
}

void ScrollBox::setSizeClamped(int32_t w, int32_t h) {
    setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
            layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
    doLayout();
}

void ScrollBox::centreInParent() {
    if (!parent_) return;
    setPosition(std::max(0, (parent_->getInnerWidth() - geo_.width) / 2),
                std::max(0, (parent_->getInnerHeight() - geo_.height) / 2));
}

void ScrollBox::centreHorizontally() {
    if (parent_) setPosition(std::max(0, (parent_->getInnerWidth() - geo_.width) / 2), geo_.y);
}

void ScrollBox::centreVertically() {
    if (parent_) setPosition(geo_.x, std::max(0, (parent_->getInnerHeight() - geo_.height) / 2));
}

void ScrollBox::beginUpdate() {
    geo_.deferred = true;
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->beginUpdate();
}

void ScrollBox::endUpdate() {
    geo_.flush(m_hWnd, visible_);
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->endUpdate();
}

// --- Visibility and background -------------------------------------------------------

void ScrollBox::setVisible(bool visible, bool) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) {
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOWNA);
        if (outer_) outer_->setVisible(true, true);
        if (m_hWnd && parent_) parent_->validate();
    } else {
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
        setPosition(control::kParkX, kParkY);
        if (outer_) outer_->setVisible(false, true);
    }
}

void ScrollBox::setEnabled(bool enabled) {
    if (m_hWnd) ::EnableWindow(m_hWnd, enabled);
}

void ScrollBox::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    if (redraw) repaint();
}

void ScrollBox::setBackgroundSystem(bool redraw) {
    transparent_ = false;
    background_ = ::GetSysColor(COLOR_BTNFACE);
    if (redraw) repaint();
}

void ScrollBox::setBackgroundLight(bool redraw) {
    const COLORREF c = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    auto lighter = [](int v) { return 255 - ((255 - v) >> 1); };
    setBackgroundColor(lighter(GetRValue(c)), lighter(GetGValue(c)), lighter(GetBValue(c)), redraw);
}

void ScrollBox::setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) {
    transparent_ = false;
    background_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    if (redraw) repaint();
}

void ScrollBox::repaint() {
    if (isVisible() && ::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ScrollBox::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    const RECT r{x, y, x + w, y + h};
    ::RedrawWindow(m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

::s::image::win::BufferedImage* ScrollBox::getBackBuffer(int32_t* x, int32_t* y) {
    if (backBuffer_ || !parent_) return backBuffer_;
    int32_t dx = 0, dy = 0;
    ::s::image::win::BufferedImage* b = parent_->getBackBuffer(&dx, &dy);
    if (x) *x += dx + geo_.x + geo_.originX;
    if (y) *y += dy + geo_.y + geo_.originY;
    return b;
}

// --- Children and attachment -----------------------------------------------------------

void ScrollBox::setParent(IContainer* container) {
    if (container) {
        parent_ = container;
        window_ = container->getWindow();
        auto* parentWnd = dynamic_cast<CWnd*>(container);
        if (parentWnd && parentWnd->m_hWnd && !m_hWnd) createHandle(parentWnd);
        return;
    }
    if (!parent_) return;
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kDetach, 0, 0);
    if (m_hWnd) DestroyWindow();
    parent_ = nullptr;
    window_ = nullptr;
}

void ScrollBox::attach(IComponent* child) {
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(child), 0);
}

bool ScrollBox::viewportHasContent() { return viewport_ && viewport_->getChildCount() > 0; }

void ScrollBox::targetBars() {
    if (!viewport_) return;
    if (hbar_) hbar_->setTarget(viewport_);
    if (vbar_) vbar_->setTarget(viewport_);
}

void ScrollBox::addChild(IComponent* child) {
    if (!child) return;
    if (!viewport_) {
        children_.push(child);
        attach(child);
        if (m_hWnd) doLayout();
        return;
    }
    viewport_->addChild(child);
    if (!m_hWnd) return;
    doLayout();
    targetBars();
}

void ScrollBox::removeChild(IComponent* child, bool recursive) {
    if (viewport_ && child != outer_) {
        viewport_->removeChild(child, recursive);
        if (m_hWnd) doLayout();
        return;
    }
    if (removeChildFrom(children_, child, recursive)) doLayout();
}

void ScrollBox::removeAllChildren(bool recursive) { removeAllChildrenFrom(children_, recursive); }

IComponent* ScrollBox::getChildAt(int32_t index) {
    return index >= 0 && uint32_t(index) < children_.count() ? children_.at<IComponent>(uint32_t(index)) : nullptr;
}

bool ScrollBox::createHandle(CWnd* parentWnd) {
    registerWindowClass();
    if (!CreateEx(0, kWindowClassName, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parentWnd->m_hWnd, nullptr)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    attaching_ = true;
    for (uint32_t i = 0; i < children_.count(); ++i) attach(children_.at<IComponent>(i));
    attaching_ = false;
    if (viewportHasContent()) targetBars();
    geo_.dirty = false;
    geo_.place(m_hWnd, visible_, 0);
    doLayout();
    if (visible_) ::ShowWindow(m_hWnd, SW_SHOWNA);
    return true;
}

// --- Layout -------------------------------------------------------------------------------

void ScrollBox::doLayout() {
    if (attaching_) return;
    layoutSizes_ = {};
    if (children_.count() > 0) {
        if (layoutObject_)
            layoutObject_->layoutContainer(this);
        else
            layoutSizes_ = layout::layoutComponents(this, LayoutKind::kPile, {});
    }
    if (!scrollingEnabled_ || !viewport_) return;
    if (auto* m = model(hbar_)) m->update(viewport_);
    if (auto* m = model(vbar_)) m->update(viewport_);
}

ILayoutManager* ScrollBox::getLayout() { return layoutObject_ ? layoutObject_ : layout::Pile::shared(); }

void ScrollBox::setLayout(ILayoutManager* layout) {
    if (layoutObject_ == layout) return;
    if (layoutObject_ && !isShared(layoutObject_)) layoutObject_->release();
    layoutObject_ = layout;
}

// --- Scrolling -----------------------------------------------------------------------------

IBox* ScrollBox::getOuterBox() { return outer_; }
IBox* ScrollBox::getViewport() { return viewport_; }

void ScrollBox::setParts(IBox* outer, IBox* viewport, IScrollBar* verticalBar, IScrollBar* horizontalBar) {
    outer_ = outer;
    viewport_ = viewport;
    vbar_ = verticalBar;
    hbar_ = horizontalBar;
    if (outer) {
        children_.push(outer);
        attach(outer);
    }
    // Passed on to the bars and the viewport even though the flag already says so.
    scrollingEnabled_ = false;
    setScrollingEnabled(true);
}

void ScrollBox::setScrollingEnabled(bool on) {
    if (scrollingEnabled_ == on) return;
    scrollingEnabled_ = on;
    if (!viewport_) {
        if (m_hWnd) doLayout();
        return;
    }
    // Switching on, the viewport first shrinks back to the view, so that the models
    // refit against the view and not against the content's full size.
    if (!on) enableModels(false);
    viewport_->setCollapseWidth(on);
    viewport_->setCollapseHeight(on);
    if (m_hWnd) {
        // The boxes between remember the minimum of their last layout: renew them from
        // the viewport up before the boxes are sized by them.
        for (IComponent* c = viewport_; c && c != this; c = c->getParent()) c->validate();
        doLayout();
    }
    if (on) enableModels(true);
}

void ScrollBox::enableModels(bool on) {
    if (auto* m = model(hbar_)) m->setEnabled(viewport_, on);
    if (auto* m = model(vbar_)) m->setEnabled(viewport_, on);
}

void ScrollBox::scrollBy(int32_t dx, int32_t dy) {
    if (!viewportHasContent() || !scrollingEnabled_) return;
    if (dx != 0 && hbar_) hbar_->scrollTarget(dx);
    if (dy != 0 && vbar_) vbar_->scrollTarget(dy);
}

void ScrollBox::setKeepCentre(bool on) {
    if (keepCentre_ == on) return;
    keepCentre_ = on;
    auto* h = model(hbar_);
    auto* v = model(vbar_);
    if (h) h->setCentred(on);
    if (v) v->setCentred(on);
    if (!on || !scrollingEnabled_ || !viewport_) return;
    if (h) h->update(viewport_);
    if (v) v->update(viewport_);
}

int32_t ScrollBox::getCentreX() { return model(hbar_) ? model(hbar_)->getCentre() : 0; }
int32_t ScrollBox::getCentreY() { return model(vbar_) ? model(vbar_)->getCentre() : 0; }

void ScrollBox::setCentre(int32_t x, int32_t y) {
    if (auto* m = model(hbar_)) m->setCentre(x);
    if (auto* m = model(vbar_)) m->setCentre(y);
}

void ScrollBox::resetScroll() {
    if (viewport_) {
        if (auto* m = model(hbar_)) m->reset(viewport_);
        if (auto* m = model(vbar_)) m->reset(viewport_);
    }
    keepCentre_ = false;
    barsHidden_ = false;
}

void ScrollBox::setBarsHidden(bool hide) {
    if (barsHidden_ == hide) return;
    barsHidden_ = hide;
    if (viewport_) {
        if (auto* m = model(hbar_)) m->setHidden(viewport_, hide);
        if (auto* m = model(vbar_)) m->setHidden(viewport_, hide);
    }
    if (m_hWnd) doLayout();
}

int32_t ScrollBox::getVerticalBarSpace() { return model(vbar_) ? model(vbar_)->getShownThickness() : 0; }
int32_t ScrollBox::getHorizontalBarSpace() { return model(hbar_) ? model(hbar_)->getShownThickness() : 0; }

bool ScrollBox::canScroll() {
    return scrollingEnabled_ && ((vbar_ && vbar_->isVisible()) || (hbar_ && hbar_->isVisible()));
}

int32_t ScrollBox::getScrollX() { return model(hbar_) ? model(hbar_)->getPosition() : 0; }
int32_t ScrollBox::getScrollY() { return model(vbar_) ? model(vbar_)->getPosition() : 0; }

void ScrollBox::setScrollPosition(int32_t x, int32_t y) { scrollBy(x - getScrollX(), y - getScrollY()); }

// --- Painting and messages -----------------------------------------------------------------

void ScrollBox::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int32_t w = rc.right, h = rc.bottom;
    // The own buffer holds what transparent content shows through.
    ensureBackBuffer(&backBuffer_, w, h);
    MemDC* mem = backBuffer_ ? MemDC::forImage(m_hWnd, backBuffer_, false) : nullptr;
    HDC target = mem ? mem->getHdc() : dc;
    if (!transparent_ || !control::copyParentPixels(m_hWnd, parent_, target, w, h))
        control::fillRect(target, rc, transparent_ ? control::effectiveBackgroundColor(this) : background_);
    if (mem) {
        ::BitBlt(dc, 0, 0, w, h, target, 0, 0, SRCCOPY);
        mem->release();
    }
    ::EndPaint(m_hWnd, &ps);
}

POINT ScrollBox::screenPoint(LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(m_hWnd, &p);
    return p;
}

LRESULT ScrollBox::hitTest(LPARAM lParam) {
    const LRESULT code = DefWindowProc(WM_NCHITTEST, 0, lParam);
    // Panning takes the pointer; otherwise clicks fall through to what lies below.
    if (dragToPan_ && canScroll() && !buttonHeld(VK_RBUTTON) && !buttonHeld(VK_MBUTTON)) return code;
    return code == HTCLIENT ? HTTRANSPARENT : code;
}

bool ScrollBox::handleWheel(LRESULT* result, WPARAM wParam, LPARAM lParam) {
    *result = 1;
    const int32_t sx = GET_X_LPARAM(lParam), sy = GET_Y_LPARAM(lParam);
    if (!containsScreenPoint(sx, sy)) return true;
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    wheelLines_ = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? int32_t(lines) : -int32_t(lines);
    *result = 0;
    const int32_t step = wheelLines_ * -kWheelLinePixels;
    if (viewportHasContent()) {
        // A wheel over a bar scrolls that bar.
        if (vbar_ && vbar_->containsScreenPoint(sx, sy)) {
            vbar_->scrollTarget(step);
            return true;
        }
        if (hbar_ && hbar_->containsScreenPoint(sx, sy)) {
            hbar_->scrollTarget(step);
            return true;
        }
    }
    if (wheelListeners_.count() > 0) {
        for (uint32_t i = 0; i < wheelListeners_.count(); ++i)
            wheelListeners_.at<events::IEventListener>(i)->onEvent(this, BoxEvent::kWheel);
        return true;
    }
    if (!viewportHasContent() || !scrollingEnabled_) return true;
    if (vbar_ && vbar_->isVisible())
        vbar_->scrollTarget(step);
    else if (hbar_)
        hbar_->scrollTarget(step);
    return true;
}

LRESULT ScrollBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (preHandle(&result, message, wParam, lParam)) return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    postHandle(&result, message, wParam, lParam);
    return result;
}

bool ScrollBox::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paint(); return true;
        case WM_ERASEBKGND: *result = 1; return true;
        case WM_GETDLGCODE: *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;
        case WM_NCHITTEST: *result = hitTest(lParam); return true;
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, dragToPan_ ? IDC_HAND : IDC_ARROW));
            *result = 1;
            return true;
        case WM_LBUTTONDOWN:
            if (!dragToPan_) return false;
            ::SetCapture(m_hWnd);
            dragging_ = true;
            pressPoint_ = lastPoint_ = screenPoint(lParam);
            return true;
        case WM_MOUSEMOVE: {
            if (!dragging_) return false;
            const POINT p = screenPoint(lParam);
            // The content follows the hand.
            if (scrollingEnabled_) scrollBy(lastPoint_.x - p.x, lastPoint_.y - p.y);
            lastPoint_ = p;
            return true;
        }
        case WM_LBUTTONUP: {
            if (!dragging_) return false;
            const POINT p = screenPoint(lParam);
            dragging_ = false;
            if (::GetCapture() == m_hWnd) ::ReleaseCapture();
            if (scrollingEnabled_ && p.x == pressPoint_.x && p.y == pressPoint_.y && viewport_) {
                // A click brings the clicked point to the middle of the view.
                scrollBy(p.x - getScreenX() - viewport_->getInnerWidth() / 2,
                         p.y - getScreenY() - viewport_->getInnerHeight() / 2);
            }
            return true;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != m_hWnd) dragging_ = false;
            return false;
        case WM_MOUSEWHEEL: return handleWheel(result, wParam, lParam);
        case LibraryMessage::kDetach: DestroyWindow(); return true;
        case LibraryMessage::kAttachChild:
            if (auto* child = reinterpret_cast<IComponent*>(wParam)) child->setParent(this);
            return true;
        default: return false;
    }
}

}  // namespace s::gui::win
