#include "gui/box/Box.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/thread/Pool.h"
#include "framework/controls/ComboBoxCtrl.h"
#include "gui/box/UrlDropTarget.h"
#include "gui/component/ContainerSupport.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/IButton.h"
#include "gui/drawer/IWindow.h"
#include "gui/layout/LayoutManagers.h"
#include "gui/paint/MemDC.h"
#include "gui/window/IWindow.h"
#include "gui/window/WindowClass.h"
#include "imaging/image/BufferedImage.h"
#include "platform/file/PathArray.h"

namespace s::gui::win {

namespace {

// Where a hidden box waits, far outside its parent's client area.
constexpr int32_t kParkX = -10000;
constexpr int32_t kParkY = 10000;

bool isSharedLayout(ILayoutManager* l) {
    return l == layout::Vertical::shared() || l == layout::FlowH::shared() || l == layout::Pile::shared();
}

// Gives an owned painter back to its pool.
void releasePainter(drawer::IDrawer* painter) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(painter)) p->release();
}

int32_t alignOf(int32_t value) {
    if (value <= 0) return Align::kStart;
    return value == 1 ? Align::kCentre : Align::kEnd;
}

}  // namespace

Box::Box() {
    droppedFiles_ = file::win::PathArray::create();
    reset();
}

Box::~Box() {
    reset();
    if (droppedFiles_) droppedFiles_->release();
    if (m_hWnd) DestroyWindow();
}

void Box::reset() {
    visibilityFrozen_ = false;
    setVisible(true, true);
    setAcceptUrls(false);
    removeAllChildren(true);
    children_.freeStorage();
    setParent(nullptr);
    if (backBuffer_) releaseBackBuffer();
    if (layoutObject_ && !isSharedLayout(layoutObject_)) layoutObject_->release();
    layoutObject_ = nullptr;
    deferred_ = dirty_ = false;
    x_ = y_ = originX_ = originY_ = width_ = height_ = 0;
    layoutSizes_ = {};
    widthHint_ = heightHint_ = {};
    background_ = ::GetSysColor(COLOR_BTNFACE);
    transparent_ = true;
    kind_ = LayoutKind::kColumn;
    hAlign_ = vAlign_ = Align::kStart;
    gapX_ = gapY_ = 0;
    marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
    attaching_ = false;
    layoutDepth_ = 0;
    acceptFiles_ = false;
    if (droppedFiles_) droppedFiles_->removeAll();
    acceptUrls_ = false;
    droppedUrl_.clear();
    droppedUrl_.shrink_to_fit();
    wheelLines_ = 0;
    wheelPassing_ = false;
    hoverOn_ = false;
    hoverColor_ = 0xFFFFFFFF;
    hovering_ = false;
    collapseWidth_ = collapseHeight_ = false;
    if (painter_ && painterOwned_) releasePainter(painter_);
    painter_ = nullptr;
    painterOwned_ = false;
    for (col::_array::ArrayP& list : listeners_) list.clear();
    clickThrough_ = true;
    minWidth_ = -1;
    visible_ = true;
    paintDC_ = nullptr;
    painted_ = false;
}

// --- Factories ------------------------------------------------------------------------

Box* Box::createWithLayout(int32_t kind, double widthPercent, double heightPercent, int32_t hAlign, int32_t vAlign,
                           int32_t gapX, int32_t gapY, int32_t marginsH, int32_t marginsV) {
    Box* b = create();
    if (kind >= LayoutKind::kRow && kind <= LayoutKind::kPile) b->kind_ = kind;
    if (widthPercent >= 0) b->setWidthPercent(int32_t(widthPercent), true);
    if (heightPercent >= 0) b->setHeightPercent(int32_t(heightPercent), true);
    b->hAlign_ = alignOf(hAlign);
    b->vAlign_ = alignOf(vAlign);
    if (gapX > 0) b->gapX_ = gapX;
    if (gapY > 0) b->gapY_ = gapY;
    if (marginsH > 0) b->setMarginsH(marginsH);
    if (marginsV > 0) b->setMarginsV(marginsV);
    return b;
}

Box* Box::createFixedHeight(int32_t kind, double widthPercent, int32_t fixedHeight, int32_t hAlign, int32_t vAlign,
                            int32_t gapY, int32_t marginsH, int32_t marginsV) {
    Box* b = create();
    if (kind == LayoutKind::kRow || kind == LayoutKind::kColumn || kind == LayoutKind::kPile) b->kind_ = kind;
    if (widthPercent >= 0) b->setWidthPercent(int32_t(widthPercent), true);
    if (fixedHeight >= 0) b->setFixedHeight(fixedHeight, true);
    b->hAlign_ = alignOf(hAlign);
    b->vAlign_ = alignOf(vAlign);
    if (gapY > 0) b->gapY_ = gapY;
    if (marginsH > 0) b->setMarginsH(marginsH);
    if (marginsV > 0) b->setMarginsV(marginsV);
    return b;
}

Box* Box::createSized(int32_t kind, int32_t fixedWidth, int32_t fixedHeight, int32_t vAlign, int32_t gapX,
                      int32_t gapY) {
    Box* b = create();
    if (kind == LayoutKind::kRow || kind == LayoutKind::kColumn) b->kind_ = kind;
    if (fixedWidth >= 0) b->setFixedWidth(fixedWidth, true);
    if (fixedHeight >= 0) b->setFixedHeight(fixedHeight, true);
    b->hAlign_ = Align::kStart;
    b->vAlign_ = alignOf(vAlign);
    if (gapX > 0) b->gapX_ = gapX;
    if (gapY > 0) b->gapY_ = gapY;
    return b;
}

// --- Sizes ------------------------------------------------------------------------------

layout::PanelAxis Box::axisX() const {
    layout::PanelAxis a;
    a.hint = widthHint_;
    a.marginStart = marginLeft_;
    a.marginEnd = marginRight_;
    a.collapse = collapseWidth_;
    a.minBound = minWidth_;
    a.layoutMin = layoutSizes_.minWidth;
    a.layoutPref = layoutSizes_.prefWidth;
    return a;
}

layout::PanelAxis Box::axisY() const {
    layout::PanelAxis a;
    a.hint = heightHint_;
    a.marginStart = marginTop_;
    a.marginEnd = marginBottom_;
    a.collapse = collapseHeight_;
    a.layoutMin = layoutSizes_.minHeight;
    a.layoutPref = layoutSizes_.prefHeight;
    return a;
}

void Box::setInnerWidth(int32_t w) { setSize(std::max(0, w + marginLeft_ + marginRight_), height_); }

void Box::setInnerHeight(int32_t h) { setSize(width_, std::max(0, h + marginTop_ + marginBottom_)); }

int32_t Box::getScreenX() {
    if (!m_hWnd) return originX_ + x_;
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    return p.x;
}

int32_t Box::getScreenY() {
    if (!m_hWnd) return originY_ + y_;
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    return p.y;
}

bool Box::containsScreenPoint(int32_t x, int32_t y) {
    if (!isVisible()) return false;
    const int32_t sx = getScreenX(), sy = getScreenY();
    return x >= sx && x <= sx + width_ && y >= sy && y <= sy + height_;
}

void Box::setSizeClamped(int32_t w, int32_t h) {
    setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
            layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
    doLayout();
}

// --- Geometry ---------------------------------------------------------------------------

void Box::place(UINT flags) {
    if (!m_hWnd) return;
    ::SetWindowPos(m_hWnd, nullptr, x_ + originX_, y_ + originY_, width_, height_,
                   flags | SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

void Box::setPosition(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOSIZE);
    raise(BoxEvent::kMoved);
}

void Box::setSize(int32_t w, int32_t h) {
    width_ = w;
    height_ = h;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOMOVE);
    raise(BoxEvent::kMoved);
}

void Box::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    x_ = x;
    y_ = y;
    width_ = w;
    height_ = h;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(0);
    raise(BoxEvent::kMoved);
}

void Box::setOrigin(int32_t originX, int32_t originY) {
    originX_ = originX;
    originY_ = originY;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOSIZE);
}

void Box::moveOrigin(int32_t dx, int32_t dy) { setOrigin(originX_ + dx, originY_ + dy); }

void Box::centreInParent() {
    if (!parent_) return;
    setPosition(std::max(0, (parent_->getInnerWidth() - width_) / 2),
                std::max(0, (parent_->getInnerHeight() - height_) / 2));
}

void Box::centreHorizontally() {
    if (parent_) setPosition(std::max(0, (parent_->getInnerWidth() - width_) / 2), y_);
}

void Box::centreVertically() {
    if (parent_) setPosition(x_, std::max(0, (parent_->getInnerHeight() - height_) / 2));
}

void Box::beginUpdate() {
    deferred_ = true;
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->beginUpdate();
}

void Box::endUpdate() {
    deferred_ = false;
    if (dirty_) {
        dirty_ = false;
        if (m_hWnd) place(0);
    }
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->endUpdate();
}

// --- Visibility and background -------------------------------------------------------

void Box::setVisible(bool visible, bool deep) {
    if (visibilityFrozen_) return;
    if (visible) {
        if (visible_) return;
        visible_ = true;
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOW);
        if (deep) {
            for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->setVisible(true, true);
        }
        if (m_hWnd && parent_) {
            parent_->validate();
            parent_->validate();
        }
    } else {
        if (!visible_) return;
        visible_ = false;
        if (m_hWnd) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            if (::IsWindow(m_hWnd)) setPosition(kParkX, kParkY);
        }
        for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->setVisible(false, true);
        releaseBackBuffer();
    }
}

void Box::setEnabled(bool enabled) {
    if (m_hWnd) ::EnableWindow(m_hWnd, enabled);
}

void Box::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    if (redraw) repaint();
}

void Box::setBackgroundSystem(bool redraw) {
    transparent_ = false;
    background_ = ::GetSysColor(COLOR_BTNFACE);
    if (redraw) repaint();
}

void Box::setBackgroundLight(bool redraw) {
    const COLORREF c = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    auto lighter = [](int v) { return 255 - ((255 - v) >> 1); };
    setBackgroundColor(lighter(GetRValue(c)), lighter(GetGValue(c)), lighter(GetBValue(c)), redraw);
}

void Box::setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) {
    transparent_ = false;
    background_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    if (redraw) repaint();
}

void Box::setBorderColor(int32_t r, int32_t g, int32_t b) {
    hoverOn_ = true;
    hoverColor_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
}

void Box::repaint() {
    if (isVisible() && ::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Box::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    const RECT r{x, y, x + w, y + h};
    ::RedrawWindow(m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// --- Children ---------------------------------------------------------------------------

void Box::setParent(IContainer* container) {
    if (container) {
        parent_ = container;
        window_ = container->getWindow();
        parentWnd_ = dynamic_cast<CWnd*>(container);
        if (parentWnd_ && parentWnd_->m_hWnd && !m_hWnd) createHandle(parentWnd_);
        return;
    }
    if (!parent_) return;
    // The window is destroyed on its own thread.
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kDetach, 0, 0);
    if (m_hWnd) DestroyWindow();
    parent_ = nullptr;
    parentWnd_ = nullptr;
    window_ = nullptr;
}

void Box::addChild(IComponent* child) {
    if (!child) return;
    children_.push(child);
    if (!m_hWnd) return;
    ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(child), 0);
    if (marginLeft_ != 0 || marginTop_ != 0) child->setOrigin(marginLeft_, marginTop_);
    doLayout();
    layoutParent();
}

void Box::removeChild(IComponent* child, bool recursive) {
    if (removeChildFrom(children_, child, recursive)) doLayout();
}

void Box::removeAllChildren(bool recursive) { removeAllChildrenFrom(children_, recursive); }

IComponent* Box::getChildAt(int32_t index) {
    return index >= 0 && uint32_t(index) < children_.count() ? children_.at<IComponent>(uint32_t(index)) : nullptr;
}

void Box::reverseChildren() { children_.reverse(); }

void Box::showOnly(int32_t index) {
    for (int32_t i = 0; i < getChildCount(); ++i) {
        if (i != index) getChildAt(i)->setVisible(false, true);
    }
    if (IComponent* chosen = getChildAt(index)) chosen->setVisible(true, true);
}

void Box::showOnlyParked(int32_t index) {
    for (int32_t i = 0; i < getChildCount(); ++i) {
        if (i == index) continue;
        IComponent* c = getChildAt(i);
        c->setVisible(false, true);
        c->setOrigin(0, 3000);
        if (auto* box = dynamic_cast<Box*>(c)) box->freezeVisibility(true);
    }
    if (IComponent* chosen = getChildAt(index)) {
        if (auto* box = dynamic_cast<Box*>(chosen)) {
            box->freezeVisibility(false);
            box->setOrigin(0, 0);
        }
        chosen->setVisible(true, true);
    }
}

// --- Layout -----------------------------------------------------------------------------

void Box::doLayout() {
    if (attaching_ || layoutDepth_ >= 2) return;
    ++layoutDepth_;
    layoutSizes_ = {};
    if (children_.count() > 0) {
        if (layoutObject_)
            layoutObject_->layoutContainer(this);
        else
            layoutSizes_ = layout::layoutComponents(this, kind_, {hAlign_, vAlign_, gapX_, gapY_});
    }
    raise(BoxEvent::kLaidOut);
    --layoutDepth_;
}

ILayoutManager* Box::getLayout() { return layoutObject_ ? layoutObject_ : layout::FlowH::shared(); }

void Box::setLayout(ILayoutManager* layout) {
    if (layoutObject_ == layout) return;
    if (layoutObject_ && !isSharedLayout(layoutObject_)) layoutObject_->release();
    layoutObject_ = layout;
}

void Box::layoutParent() {
    if (!parent_) return;
    parent_->validate();
    if (kind_ == LayoutKind::kFlow) parent_->validate();
}

void Box::relayout(bool parentToo) {
    if (!m_hWnd) return;
    doLayout();
    if (parentToo) layoutParent();
}

void Box::placeChildrenAtMargins() {
    if (!m_hWnd || (marginLeft_ == 0 && marginTop_ == 0)) return;
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->setOrigin(marginLeft_, marginTop_);
}

void Box::setMarginLeft(int32_t m) {
    marginLeft_ = m;
    placeChildrenAtMargins();
}

void Box::setMarginRight(int32_t m) {
    marginRight_ = m;
    placeChildrenAtMargins();
}

void Box::setMarginTop(int32_t m) {
    marginTop_ = m;
    placeChildrenAtMargins();
}

void Box::setMarginBottom(int32_t m) {
    marginBottom_ = m;
    placeChildrenAtMargins();
}

void Box::setMarginsH(int32_t m) {
    marginLeft_ = marginRight_ = m;
    placeChildrenAtMargins();
}

void Box::setMarginsV(int32_t m) {
    marginTop_ = marginBottom_ = m;
    placeChildrenAtMargins();
}

void Box::setMargins(int32_t left, int32_t right, int32_t top, int32_t bottom) {
    marginLeft_ = left;
    marginRight_ = right;
    marginTop_ = top;
    marginBottom_ = bottom;
    placeChildrenAtMargins();
}

void Box::fillParent() {
    widthHint_.setPercent(100);
    heightHint_.setPercent(100);
}

void Box::setWidthPercent(int32_t percent, bool relayout_) {
    widthHint_.setPercent(percent);
    relayout(relayout_);
}

void Box::setHeightPercent(int32_t percent, bool relayout_) {
    heightHint_.setPercent(percent);
    relayout(relayout_);
}

void Box::setFixedWidth(int32_t pixels, bool relayout_) {
    widthHint_.setFixed(pixels);
    relayout(relayout_);
}

void Box::setFixedHeight(int32_t pixels, bool relayout_) {
    heightHint_.setFixed(pixels);
    relayout(relayout_);
}

// --- Events, drops ----------------------------------------------------------------------

void Box::raise(int32_t code) {
    col::_array::ArrayP& list = listeners_[code];
    for (uint32_t i = 0; i < list.count(); ++i) list.at<events::IEventListener>(i)->onEvent(this, code);
}

void Box::addClickListener(events::IEventListener* l) {
    listeners_[BoxEvent::kLeftButtonDown].push(l);
    clickThrough_ = false;
}

void Box::setPainter(drawer::IDrawer* painter, bool owned) {
    if (painter_ && painterOwned_ && painter_ != painter) releasePainter(painter_);
    painter_ = painter;
    painterOwned_ = owned;
    repaint();
}

void Box::onEvent(base::IObject* source, int32_t code) {
    if (urlTarget_ && source == urlTarget_ && code == UrlDropTarget::kDropped && m_hWnd)
        ::SendMessageW(m_hWnd, LibraryMessage::kUrlDropped, 0, 0);
}

void Box::setAcceptFiles(bool on) {
    acceptFiles_ = on;
    if (m_hWnd) ::DragAcceptFiles(m_hWnd, on);
}

void Box::setAcceptUrls(bool on) {
    acceptUrls_ = on;
    if (on)
        registerUrlTarget();
    else
        revokeUrlTarget();
}

void Box::registerUrlTarget() {
    if (!m_hWnd || urlTarget_) return;
    urlTarget_ = UrlDropTarget::create();
    if (!urlTarget_) return;
    urlTarget_->setOwner(this);
    urlTarget_->Register(this);
}

void Box::revokeUrlTarget() {
    if (!urlTarget_) return;
    urlTarget_->Revoke();
    urlTarget_->release();
    urlTarget_ = nullptr;
}

void Box::handleDropFiles(HDROP drop) {
    thread::ObjLocker lock;
    thread::ObjLocker::Guard hold(lock);
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    droppedFiles_->removeAll();
    std::vector<wchar_t> buffer;
    for (UINT i = 0; i < count; ++i) {
        // Each path at its own length, however long.
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        buffer.assign(size_t(length) + 1, L'\0');
        if (::DragQueryFileW(drop, i, buffer.data(), length + 1) > 0) droppedFiles_->add(buffer.data());
    }
    raise(BoxEvent::kFilesDropped);
    ::DragFinish(drop);
}

bool Box::handleWheel(LRESULT* result, WPARAM wParam, LPARAM lParam) {
    *result = 1;
    const int32_t sx = int16_t(LOWORD(lParam)), sy = int16_t(HIWORD(lParam));
    if (wheelPassing_ || !containsScreenPoint(sx, sy)) return true;
    wheelPassing_ = true;
    for (uint32_t i = 0; i < children_.count() && *result != 0; ++i) {
        auto* c = children_.at<IComponent>(i);
        auto* wnd = dynamic_cast<CWnd*>(c);
        if (c->isContainer() && c->isVisible() && c->containsScreenPoint(sx, sy) && wnd && wnd->m_hWnd)
            *result = ::SendMessageW(wnd->m_hWnd, WM_MOUSEWHEEL, wParam, lParam);
    }
    if (*result != 0) {
        if (listeners_[BoxEvent::kWheel].count() > 0) {
            UINT lines = 3;
            ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            wheelLines_ = int32_t(wParam) > 0 ? int32_t(lines) : -int32_t(lines);
            raise(BoxEvent::kWheel);
            *result = 0;
        } else if (window_ && window_->getHwnd()) {
            *result = ::SendMessageW(window_->getHwnd(), WM_MOUSEWHEEL, wParam, lParam);
        }
    }
    wheelPassing_ = false;
    return true;
}

LRESULT Box::hitTest(LPARAM lParam) {
    const LRESULT code = DefWindowProc(WM_NCHITTEST, 0, lParam);
    if (!clickThrough_ || code != HTCLIENT) return code;
    const int32_t sx = GET_X_LPARAM(lParam), sy = GET_Y_LPARAM(lParam);
    for (uint32_t i = 0; i < children_.count(); ++i) {
        auto* c = children_.at<IComponent>(i);
        if (!c->containsScreenPoint(sx, sy)) continue;
        auto* button = dynamic_cast<IButton*>(c);
        if (button && button->isEnabled() && (!button->isToggled() || button->isReleasable())) return HTCLIENT;
        break;
    }
    return HTTRANSPARENT;
}

void Box::setHover(bool on) {
    if (hovering_ == on) return;
    hovering_ = on;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// --- The window ---------------------------------------------------------------------------

bool Box::createHandle(CWnd* parentWnd) {
    registerWindowClass();
    if (!parentWnd || !CreateEx(0, kWindowClassName, L"", WS_CHILD, 0, 0, 0, 0, parentWnd->m_hWnd, nullptr)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    if (acceptFiles_) ::DragAcceptFiles(m_hWnd, TRUE);
    // Only a box asked for links registers a target, however often it is attached.
    if (acceptUrls_) registerUrlTarget();
    attaching_ = true;
    for (uint32_t i = 0; i < children_.count(); ++i) {
        auto* child = children_.at<IComponent>(i);
        ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(child), 0);
        if (marginLeft_ != 0 || marginTop_ != 0) child->setOrigin(marginLeft_, marginTop_);
    }
    attaching_ = false;
    place(0);
    doLayout();
    layoutParent();
    if (visible_ && m_hWnd) {
        visible_ = false;
        setVisible(true, true);
    }
    return m_hWnd != nullptr;
}

void Box::releaseBackBuffer() {
    if (!backBuffer_) return;
    backBuffer_->release();
    backBuffer_ = nullptr;
}

::s::image::win::BufferedImage* Box::getBackBuffer(int32_t* x, int32_t* y) {
    if (backBuffer_ || !parent_) return backBuffer_;
    int32_t dx = 0, dy = 0;
    ::s::image::win::BufferedImage* b = parent_->getBackBuffer(&dx, &dy);
    if (x) *x += dx + x_ + originX_;
    if (y) *y += dy + y_ + originY_;
    return b;
}

void Box::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    painted_ = false;
    if (listeners_[BoxEvent::kPaint].count() > 0) {
        paintDC_ = dc;
        raise(BoxEvent::kPaint);
        paintDC_ = nullptr;
    }
    if (!painted_) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        const int32_t w = rc.right, h = rc.bottom;
        // The children paint themselves: leave out where their windows really stand (a
        // panned child sits at its origin, not at its layout place).
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child)) continue;
            RECT r;
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
            ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        const bool hoverNow = hoverOn_ && hovering_;
        MemDC* mem = nullptr;
        if (backBuffer_ || painter_ || !transparent_ || hoverNow) {
            ensureBackBuffer(&backBuffer_, w, h);
            mem = backBuffer_ ? MemDC::forImage(m_hWnd, backBuffer_, false) : nullptr;
        }
        HDC target = mem ? mem->getHdc() : dc;
        auto fill = [&](COLORREF colour) {
            HBRUSH brush = ::CreateSolidBrush(colour);
            ::FillRect(target, &rc, brush);
            ::DeleteObject(brush);
        };
        if (hoverNow) {
            fill(hoverColor_);
        } else if (transparent_) {
            int32_t ox = 0, oy = 0;
            ::s::image::win::BufferedImage* under = parent_ ? parent_->getBackBuffer(&ox, &oy) : nullptr;
            MemDC* underDc = under ? MemDC::forImage(m_hWnd, under, false) : nullptr;
            if (underDc) {
                ::BitBlt(target, 0, 0, w, h, underDc->getHdc(), ox + x_ + originX_, oy + y_ + originY_, SRCCOPY);
                underDc->release();
            } else {
                // Nothing painted below: the parent's colour shows through.
                fill(parent_ ? parent_->getBackgroundColor() : background_);
            }
        } else {
            fill(background_);
        }
        if (auto* painter = dynamic_cast<drawer::IWindow*>(painter_)) painter->paint(target, 0, 0, w, h);
        if (mem) {
            ::BitBlt(dc, 0, 0, w, h, target, 0, 0, SRCCOPY);
            mem->release();
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT Box::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (preHandle(&result, message, wParam, lParam)) return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    postHandle(&result, message, wParam, lParam);
    return result;
}

bool Box::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_DESTROY: revokeUrlTarget(); return false;
        case WM_PAINT: paint(); return true;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            for (uint32_t i = 0; i < children_.count(); ++i) {
                auto* combo = dynamic_cast<CComboBox*>(children_.at<IComponent>(i));
                if (combo && ::IsWindow(combo->m_hWnd)) ::SendMessageW(combo->m_hWnd, message, wParam, lParam);
            }
            return true;
        case WM_NCHITTEST: *result = hitTest(lParam); return true;
        case WM_GETDLGCODE: *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;
        case WM_KEYDOWN:
            if (parentWnd_ && parentWnd_->m_hWnd) {
                if (::SendMessageW(parentWnd_->m_hWnd, message, wParam, lParam) != 0) return false;
            }
            return true;
        case WM_MOUSEMOVE: {
            if (clickThrough_) return false;
            const int32_t px = GET_X_LPARAM(lParam), py = GET_Y_LPARAM(lParam);
            if (px >= 0 && px <= width_ && py >= 0 && py <= height_) {
                if (wParam & MK_LBUTTON) return false;
                setHover(true);
                if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
            } else {
                if (::GetCapture() == m_hWnd) ::ReleaseCapture();
                setHover(false);
            }
            return false;
        }
        case WM_LBUTTONDOWN:
            if (listeners_[BoxEvent::kLeftButtonDown].count() == 0) return false;
            raise(BoxEvent::kLeftButtonDown);
            *result = 1;
            return true;
        case WM_ERASEBKGND: *result = 1; return true;
        case WM_MOUSEWHEEL: return handleWheel(result, wParam, lParam);
        case WM_DROPFILES: handleDropFiles(reinterpret_cast<HDROP>(wParam)); return true;
        case LibraryMessage::kDetach: DestroyWindow(); return true;
        case LibraryMessage::kUrlDropped:
            droppedUrl_ = urlTarget_ ? urlTarget_->getUrl() : L"";
            raise(BoxEvent::kUrlDropped);
            return true;
        case LibraryMessage::kAttachChild:
            if (auto* child = reinterpret_cast<IComponent*>(wParam)) child->setParent(this);
            return true;
        default: return false;
    }
}

}  // namespace s::gui::win
