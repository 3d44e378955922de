#include "gui/controls/GroupBox.h"

#include <algorithm>

#include "gui/box/Box.h"
#include "gui/component/ContainerSupport.h"
#include "gui/component/Events.h"
#include "gui/component/LibraryMessage.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/fonts/Font.h"
#include "gui/layout/LayoutKind.h"
#include "gui/layout/LayoutManagers.h"
#include "gui/paint/MemDC.h"
#include "gui/skin/ISkin.h"
#include "gui/skin/ISkinner.h"
#include "gui/window/IWindow.h"
#include "gui/window/WindowClass.h"
#include "imaging/image/BufferedImage.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

namespace {

// Where a hidden group box waits, far outside its parent's client area.
constexpr int32_t kParkX = -10000;
constexpr int32_t kParkY = 10000;
constexpr UINT kControlId = 1000;

bool isSharedLayout(ILayoutManager* l) {
    return l == layout::Vertical::shared() || l == layout::FlowH::shared() || l == layout::Pile::shared();
}

void releaseOwnedDrawer(drawer::IGroupBox* d) { drawer::releaseDrawer(d); }

GroupBox* createWithContent(int32_t kind, int32_t gapX, int32_t gapY, int32_t marginH, int32_t marginV) {
    GroupBox* g = GroupBox::create();
    g->setContent(Box::createWithLayout(kind, 100, 100, -1, -1, gapX, gapY, marginH, marginV));
    return g;
}

}  // namespace

std::wstring groupBoxWindowText(const wchar_t* title) {
    std::wstring out;
    for (const wchar_t* p = title ? title : L""; *p; ++p) {
        out += *p;
        if (*p == L'&') out += L'&';
    }
    return out;
}

GroupBox::GroupBox() {
    titleFont_ = Font::create();
    disabledFont_ = Font::create();
    defaultDrawer_ = drawer::createDefaultGroupBox();
    reset();
}

GroupBox::~GroupBox() {
    reset();
    if (brush_) ::DeleteObject(brush_);
    brush_ = nullptr;
    drawer::releaseDrawer(defaultDrawer_);
    if (titleFont_) titleFont_->release();
    if (disabledFont_) disabledFont_->release();
    if (m_hWnd) DestroyWindow();
}

void GroupBox::reset() {
    content_ = nullptr;
    dropListening_ = false;
    setVisible(true, true);
    removeAllChildren(true);
    children_.freeStorage();
    setParent(nullptr);
    deferred_ = dirty_ = false;
    widthHint_ = heightHint_ = {};
    x_ = y_ = originX_ = originY_ = width_ = height_ = 0;
    layoutSizes_ = {};
    transparent_ = true;
    background_ = ::GetSysColor(COLOR_BTNFACE);
    titleId_ = -1;
    title_.clear();
    title_.shrink_to_fit();
    if (titleFont_) titleFont_->reset();
    if (disabledFont_) disabledFont_->reset();
    if (drawer_ && drawerOwned_ && drawer_ != defaultDrawer_) releaseOwnedDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    titleColor_ = 0xBFD0D0;
    captionWidth_ = captionHeight_ = 0;
    marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
    enabled_ = true;
    acceptFiles_ = false;
    collapsed_ = false;
    layoutDepth_ = 0;
    dropListeners_.clear();
    secondListeners_.clear();
    releaseBackBuffer();
    if (layoutObject_ && !isSharedLayout(layoutObject_)) layoutObject_->release();
    layoutObject_ = nullptr;
    visible_ = true;
}

// --- Factories --------------------------------------------------------------------------

GroupBox* GroupBox::createWithText(const wchar_t* title, double widthPercent, int32_t kind, int32_t gapX, int32_t gapY,
                                   int32_t marginH, int32_t marginV) {
    GroupBox* g = createWithContent(kind, gapX, gapY, marginH, marginV);
    g->setTitle(title);
    g->setEnabled(true);
    if (widthPercent >= 0) g->setWidthPercent(int32_t(widthPercent));
    return g;
}

GroupBox* GroupBox::createWithTextId(int32_t titleId, double widthPercent, int32_t kind, int32_t gapX, int32_t gapY,
                                     int32_t marginH, int32_t marginV) {
    GroupBox* g = createWithContent(kind, gapX, gapY, marginH, marginV);
    g->setTitleId(titleId);
    g->setEnabled(true);
    if (widthPercent >= 0) g->setWidthPercent(int32_t(widthPercent));
    return g;
}

GroupBox* GroupBox::createDropBox(double widthPercent, double heightPercent, int32_t gapX, int32_t gapY,
                                  int32_t marginH, int32_t marginV) {
    GroupBox* g = createWithContent(LayoutKind::kColumn, gapX, gapY, marginH, marginV);
    g->setTitleId(kDropBoxTitleId);
    g->setEnabled(true);
    g->setAcceptFiles(true);
    if (widthPercent >= 0) g->setWidthPercent(int32_t(widthPercent));
    if (heightPercent >= 0) g->setHeightPercent(int32_t(heightPercent));
    return g;
}

// --- Sizes and geometry -----------------------------------------------------------------

layout::PanelAxis GroupBox::axisX() const {
    layout::PanelAxis a;
    a.hint = widthHint_;
    a.marginStart = marginLeft_;
    a.marginEnd = marginRight_;
    a.layoutMin = layoutSizes_.minWidth;
    a.layoutPref = layoutSizes_.prefWidth;
    return a;
}

layout::PanelAxis GroupBox::axisY() const {
    layout::PanelAxis a;
    a.hint = heightHint_;
    a.marginStart = marginTop_;
    a.marginEnd = marginBottom_;
    a.layoutMin = layoutSizes_.minHeight;
    a.layoutPref = layoutSizes_.prefHeight;
    return a;
}

void GroupBox::setInnerWidth(int32_t w) { setSize(std::max(0, w + marginLeft_ + marginRight_), height_); }

void GroupBox::setInnerHeight(int32_t h) { setSize(width_, std::max(0, h + marginTop_ + marginBottom_)); }

int32_t GroupBox::getScreenX() {
    if (!m_hWnd) return originX_ + x_;
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    return p.x;
}

int32_t GroupBox::getScreenY() {
    if (!m_hWnd) return originY_ + y_;
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    return p.y;
}

bool GroupBox::containsScreenPoint(int32_t x, int32_t y) {
    if (!isVisible()) return false;
    const int32_t sx = getScreenX(), sy = getScreenY();
    return x >= sx && x <= sx + width_ && y >= sy && y <= sy + height_;
}

void GroupBox::place(UINT flags) {
    if (!m_hWnd) return;
    ::SetWindowPos(m_hWnd, nullptr, x_ + originX_, y_ + originY_, width_, height_,
                   flags | SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

void GroupBox::setPosition(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOSIZE);
}

void GroupBox::setSize(int32_t w, int32_t h) {
    width_ = w;
    height_ = h;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOMOVE);
}

void GroupBox::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    x_ = x;
    y_ = y;
    width_ = w;
    height_ = h;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(0);
}

void GroupBox::setOrigin(int32_t originX, int32_t originY) {
    originX_ = originX;
    originY_ = originY;
    if (deferred_ || !m_hWnd)
        dirty_ = true;
    else
        place(SWP_NOSIZE);
}

void GroupBox::centreInParent() {
    if (!parent_) return;
    setPosition(std::max(0, (parent_->getInnerWidth() - width_) / 2),
                std::max(0, (parent_->getInnerHeight() - height_) / 2));
}

void GroupBox::centreHorizontally() {
    if (parent_) setPosition(std::max(0, (parent_->getInnerWidth() - width_) / 2), y_);
}

void GroupBox::centreVertically() {
    if (parent_) setPosition(x_, std::max(0, (parent_->getInnerHeight() - height_) / 2));
}

void GroupBox::setSizeClamped(int32_t w, int32_t h) {
    setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
            layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
    doLayout();
}

void GroupBox::beginUpdate() {
    deferred_ = true;
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->beginUpdate();
}

void GroupBox::endUpdate() {
    deferred_ = false;
    if (dirty_) {
        dirty_ = false;
        if (m_hWnd) place(0);
    }
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->endUpdate();
}

void GroupBox::setWidthPercent(int32_t percent) { widthHint_.setPercent(percent); }
void GroupBox::setHeightPercent(int32_t percent) { heightHint_.setPercent(percent); }
void GroupBox::setFixedWidth(int32_t w) { widthHint_.setFixed(w); }
void GroupBox::setFixedHeight(int32_t h) { heightHint_.setFixed(h); }

// --- Visibility, state and background ------------------------------------------------------

void GroupBox::setVisible(bool visible, bool /*deep*/) {
    if (visible) {
        if (visible_) return;
        visible_ = true;
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOW);
        if (content_) content_->setVisible(true, true);
        if (m_hWnd) layoutParent();
    } else {
        if (!visible_) return;
        visible_ = false;
        if (m_hWnd) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            setPosition(kParkX, kParkY);
        }
        if (content_) content_->setVisible(false, true);
        releaseBackBuffer();
    }
}

void GroupBox::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (m_hWnd) ::EnableWindow(m_hWnd, enabled);
    repaint();
}

void GroupBox::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    if (redraw) repaint();
}

void GroupBox::setBackgroundSystem(bool redraw) {
    transparent_ = false;
    background_ = ::GetSysColor(COLOR_BTNFACE);
    if (redraw) repaint();
}

void GroupBox::setBackgroundLight(bool redraw) {
    const COLORREF c = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    auto lighter = [](int v) { return 255 - ((255 - v) >> 1); };
    setBackgroundColor(lighter(GetRValue(c)), lighter(GetGValue(c)), lighter(GetBValue(c)), redraw);
}

void GroupBox::setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) {
    transparent_ = false;
    background_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
    if (redraw) repaint();
}

void GroupBox::repaint() {
    if (isVisible() && ::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void GroupBox::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    const RECT r{x, y, x + w, y + h};
    ::RedrawWindow(m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// --- Attachment ---------------------------------------------------------------------------

base::IObject* GroupBox::asSkinnerObject() const { return skinner_ ? skinner_->asObject() : nullptr; }

void GroupBox::setParent(IContainer* container) {
    if (container) {
        parent_ = container;
        window_ = container->getWindow();
        parentWnd_ = dynamic_cast<CWnd*>(container);
        if (window_ && window_->hasLocalizer() && (localizer_ = window_->getLocalizer())) localizer_->addListener(this);
        if (window_ && (skinner_ = window_->getSkinner())) {
            if (drawer::ISkin* skin = skinner_->getCurrentSkin()) setDrawer(skin->getGroupBoxDrawer(), false);
            skinner_->addListener(this);
        }
        if (parentWnd_ && parentWnd_->m_hWnd && !m_hWnd) createWindow(parentWnd_);
        return;
    }
    if (!parent_) return;
    // The window is destroyed on its own thread.
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kDetach, 0, 0);
    if (m_hWnd) DestroyWindow();
    detachServices();
    parent_ = nullptr;
    parentWnd_ = nullptr;
    window_ = nullptr;
}

void GroupBox::detachServices() {
    if (localizer_) localizer_->removeListener(this);
    if (skinner_) skinner_->removeListener(this);
    localizer_ = nullptr;
    skinner_ = nullptr;
}

bool GroupBox::createWindow(CWnd* parentWnd) {
    const RECT rect{x_ + originX_, y_ + originY_, x_ + originX_ + width_, y_ + originY_ + height_};
    if (!Create(L"GroupBox", WS_CHILD | BS_GROUPBOX, rect, parentWnd, kControlId)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetFont(titleFont_->getHandle(), FALSE);
    if (titleId_ != -1 && localizer_) title_ = localizer_->getText(titleId_);
    showTitle();
    if (!enabled_) ::EnableWindow(m_hWnd, FALSE);
    if (content_) {
        ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(content_), 0);
        content_->setOrigin(marginLeft_, marginTop_);
    }
    measureCaption();
    if (visible_) {
        visible_ = false;
        setVisible(true, true);
    }
    return true;
}

void GroupBox::onEvent(base::IObject* source, int32_t code) {
    if (!source) return;
    if (localizer_ && source == static_cast<base::IObject*>(localizer_)) {
        if (titleId_ != -1) setTitle(localizer_->getText(titleId_));
        return;
    }
    if (skinner_ && source == asSkinnerObject()) {
        if (drawer::ISkin* skin = skinner_->getCurrentSkin()) setDrawer(skin->getGroupBoxDrawer(), false);
        return;
    }
    if (content_ && source == asObject(content_) && code == BoxEvent::kFilesDropped) {
        for (uint32_t i = 0; i < dropListeners_.count(); ++i)
            dropListeners_.at<events::IEventListener>(i)->onEvent(this, BoxEvent::kFilesDropped);
    }
}

// --- Children and layout --------------------------------------------------------------------

IBox* GroupBox::getContent() { return content_; }

void GroupBox::setContent(IBox* box) {
    if (!box || box == content_) return;
    // One content: the one it replaces goes back to its pool.
    if (content_) removeChildFrom(children_, content_, true);
    content_ = box;
    dropListening_ = false;
    if (acceptFiles_) {
        box->setAcceptFiles(true);
        box->addFileDropListener(this);
        dropListening_ = true;
    }
    children_.push(box);
    if (m_hWnd) {
        ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(box), 0);
        if (marginLeft_ != 0 || marginTop_ != 0) box->setOrigin(marginLeft_, marginTop_);
    }
    relayout();
}

void GroupBox::setAcceptFiles(bool on) {
    if (on == acceptFiles_) return;
    acceptFiles_ = on;
    if (!content_) return;
    content_->setAcceptFiles(on);
    if (!dropListening_) {
        content_->addFileDropListener(this);
        dropListening_ = true;
    }
}

file::win::PathArray* GroupBox::getDroppedPaths() { return content_ ? content_->getDroppedFiles() : nullptr; }

void GroupBox::addChild(IComponent* child) {
    if (!child) return;
    if (!content_) setContent(Box::createWithLayout(LayoutKind::kColumn, 100, 100, -1, -1, 0, 0, 0, 0));
    content_->addChild(child);
    if (m_hWnd) relayout();
}

void GroupBox::removeChild(IComponent* child, bool recursive) {
    if (child && child == content_) {
        content_ = nullptr;
        dropListening_ = false;
        if (removeChildFrom(children_, child, recursive)) doLayout();
        return;
    }
    if (content_) content_->removeChild(child, recursive);
}

void GroupBox::removeAllChildren(bool recursive) {
    content_ = nullptr;
    dropListening_ = false;
    removeAllChildrenFrom(children_, recursive);
}

IComponent* GroupBox::getChildAt(int32_t index) {
    return index >= 0 && uint32_t(index) < children_.count() ? children_.at<IComponent>(uint32_t(index)) : nullptr;
}

void GroupBox::doLayout() {
    if (layoutDepth_ >= 2) return;
    ++layoutDepth_;
    layoutSizes_ = {};
    if (content_) {
        if (layoutObject_)
            layoutObject_->layoutContainer(this);
        else
            layoutSizes_ = layout::layoutComponents(this, LayoutKind::kPile, {});
    }
    --layoutDepth_;
}

ILayoutManager* GroupBox::getLayout() { return layoutObject_ ? layoutObject_ : layout::Pile::shared(); }

void GroupBox::setLayout(ILayoutManager* layout) {
    if (layoutObject_ == layout) return;
    if (layoutObject_ && !isSharedLayout(layoutObject_)) layoutObject_->release();
    layoutObject_ = layout;
}

void GroupBox::layoutParent() {
    if (parent_) parent_->validate();
}

void GroupBox::relayout() {
    if (!m_hWnd) return;
    doLayout();
    layoutParent();
}

// --- Title, fonts and drawer ------------------------------------------------------------------

void GroupBox::showTitle() {
    if (m_hWnd) SetWindowText(groupBoxWindowText(title_.c_str()).c_str());
}

void GroupBox::setTitle(const wchar_t* text) {
    title_ = text ? text : L"";
    showTitle();
    measureCaption();
}

void GroupBox::setTitleId(int32_t id) {
    titleId_ = id;
    if (window_ && window_->hasLocalizer())
        if (lang::Localizer* l = window_->getLocalizer()) setTitle(l->getText(id));
}

void GroupBox::measureCaption() {
    if (!m_hWnd) return;
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return;
    HGDIOBJ old = ::SelectObject(dc, titleFont_->getHandle());
    SIZE extent{0, 0};
    ::GetTextExtentPoint32W(dc, title_.c_str(), int(title_.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    captionWidth_ = std::max(captionWidth_, int32_t(extent.cx));
    captionHeight_ = std::max(captionHeight_, int32_t(extent.cy));
    const GroupBoxMargins m = GroupBoxMargins::forCaptionHeight(captionHeight_);
    const bool moved = m.left != marginLeft_ || m.top != marginTop_;
    marginLeft_ = m.left;
    marginRight_ = m.right;
    marginTop_ = m.top;
    marginBottom_ = m.bottom;
    if (moved && content_) content_->setOrigin(marginLeft_, marginTop_);
    doLayout();
    layoutParent();
    repaint();
}

void GroupBox::fontChanged() {
    if (m_hWnd) SetFont(titleFont_->getHandle(), FALSE);
    measureCaption();
}

void GroupBox::setSizeCode(int32_t code) {
    titleFont_->setSizeCode(code);
    fontChanged();
}
const wchar_t* GroupBox::getFace() { return titleFont_->getFace(); }
void GroupBox::setFace(const wchar_t* face) {
    titleFont_->setFace(face);
    fontChanged();
}
uint32_t GroupBox::getTextColor() { return titleFont_->getColor(); }
void GroupBox::setTextColor(int32_t r, int32_t g, int32_t b) {
    titleFont_->setColor(r, g, b);
    fontChanged();
}
void GroupBox::setPointSize(int32_t points) {
    titleFont_->setPointSize(points);
    fontChanged();
}
int32_t GroupBox::getFontHeight() { return titleFont_->getHeight(); }
void GroupBox::setFontHeight(int32_t h) {
    titleFont_->setHeight(h);
    fontChanged();
}
int32_t GroupBox::getFontWidth() { return titleFont_->getWidth(); }
void GroupBox::setFontWidth(int32_t w) {
    titleFont_->setWidth(w);
    fontChanged();
}
bool GroupBox::isBold() { return titleFont_->isBold(); }
void GroupBox::setBold(bool on) {
    titleFont_->setBold(on);
    fontChanged();
}
bool GroupBox::isItalic() { return titleFont_->isItalic(); }
void GroupBox::setItalic(bool on) {
    titleFont_->setItalic(on);
    fontChanged();
}
bool GroupBox::isUnderline() { return titleFont_->isUnderline(); }
void GroupBox::setUnderline(bool on) {
    titleFont_->setUnderline(on);
    fontChanged();
}
bool GroupBox::isStrikeOut() { return titleFont_->isStrikeOut(); }
void GroupBox::setStrikeOut(bool on) {
    titleFont_->setStrikeOut(on);
    fontChanged();
}
int32_t GroupBox::getWeight() { return titleFont_->getWeight(); }
void GroupBox::setWeight(int32_t weight) {
    titleFont_->setWeight(weight);
    fontChanged();
}

void GroupBox::setTitleColor(int32_t r, int32_t g, int32_t b) {
    titleColor_ = uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
    if (drawer::IGroupBox* d = getDrawer()) d->setFrameColor(r & 0xFF, g & 0xFF, b & 0xFF);
    repaint();
}

void GroupBox::setDrawer(drawer::IGroupBox* d, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != d && drawer_ != defaultDrawer_) releaseOwnedDrawer(drawer_);
    drawer_ = d;
    drawerOwned_ = owned;
    if (d) {
        d->applyToFonts(titleFont_, disabledFont_);
        fontChanged();
    }
    repaint();
}

drawer::IGroupBox* GroupBox::getDrawer() { return drawer_ ? drawer_ : defaultDrawer_; }

// --- The window ---------------------------------------------------------------------------------

void GroupBox::releaseBackBuffer() {
    if (!backBuffer_) return;
    backBuffer_->release();
    backBuffer_ = nullptr;
}

::s::image::win::BufferedImage* GroupBox::getBackBuffer(int32_t* x, int32_t* y) {
    if (backBuffer_ || !parent_) return backBuffer_;
    int32_t dx = 0, dy = 0;
    ::s::image::win::BufferedImage* b = parent_->getBackBuffer(&dx, &dy);
    if (x) *x += dx + x_ + originX_;
    if (y) *y += dy + y_ + originY_;
    return b;
}

void GroupBox::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int32_t w = rc.right, H = rc.bottom, half = captionHeight_ / 2;
    ensureBackBuffer(&backBuffer_, w, H);
    MemDC* mem = backBuffer_ ? MemDC::forImage(m_hWnd, backBuffer_, false) : nullptr;
    if (mem) {
        HDC target = mem->getHdc();
        auto fill = [&](const RECT& r, COLORREF colour) {
            HBRUSH brush = ::CreateSolidBrush(colour);
            ::FillRect(target, &r, brush);
            ::DeleteObject(brush);
        };
        int32_t ox = 0, oy = 0;
        ::s::image::win::BufferedImage* under = parent_ ? parent_->getBackBuffer(&ox, &oy) : nullptr;
        MemDC* underDc = under ? MemDC::forImage(m_hWnd, under, false) : nullptr;
        if (underDc) {
            ::BitBlt(target, 0, 0, w, H, underDc->getHdc(), ox + x_ + originX_, oy + y_ + originY_, SRCCOPY);
            underDc->release();
        } else {
            fill(rc, parent_ ? parent_->getBackgroundColor() : background_);
        }
        if (!transparent_)
            fill(RECT{1, half + 1, 1 + std::max(0, w - 2), half + 1 + std::max(0, H - half - 2)}, background_);
        if (drawer::IGroupBox* d = getDrawer())
            d->paint(target, 0, half, w, H, title_.c_str(), enabled_ ? titleFont_ : disabledFont_, captionWidth_,
                     captionHeight_);
        if (content_) {
            const int32_t cx = content_->getX() + marginLeft_, cy = content_->getY() + marginTop_;
            ::ExcludeClipRect(dc, cx, cy, cx + content_->getWidth(), cy + content_->getHeight());
        }
        ::BitBlt(dc, 0, 0, w, H, target, 0, 0, SRCCOPY);
        mem->release();
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT GroupBox::colorBrush(HDC dc) {
    if (brush_) ::DeleteObject(brush_);
    brush_ = nullptr;
    if (dc) ::SetTextColor(dc, titleFont_->getColor());
    if (transparent_ && !parent_) {
        if (dc) ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    const COLORREF colour = transparent_ ? parent_->getBackgroundColor() : background_;
    brush_ = ::CreateSolidBrush(colour);
    if (dc) ::SetBkColor(dc, colour);
    return reinterpret_cast<LRESULT>(brush_);
}

LRESULT GroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (preHandle(&result, message, wParam, lParam)) return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    postHandle(&result, message, wParam, lParam);
    return result;
}

bool GroupBox::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paint(); return true;
        case WM_NCPAINT: return true;
        case WM_ERASEBKGND: *result = 1; return true;
        case WM_UPDATEUISTATE: return true;
        case LibraryMessage::kReflectColor: *result = colorBrush(reinterpret_cast<HDC>(wParam)); return true;
        case LibraryMessage::kDetach: DestroyWindow(); return true;
        case LibraryMessage::kAttachChild:
            if (auto* child = reinterpret_cast<IComponent*>(wParam)) child->setParent(this);
            return true;
        default: return false;
    }
}

}  // namespace s::gui::win
