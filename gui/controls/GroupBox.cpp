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
#include "imaging/image/BufferedImage.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

namespace {

// Where a hidden group box waits, far below its parent's client area.
constexpr int32_t kParkY = 10000;

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
    defaultDrawer_ = drawer::createDefaultGroupBox();
    reset();
}

GroupBox::~GroupBox() {
    reset();
    drawer::releaseDrawer(defaultDrawer_);
}

void GroupBox::reset() {
    content_ = nullptr;
    dropListening_ = false;
    setVisible(true, true);
    removeAllChildren(true);
    children_.freeStorage();
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    layoutSizes_ = {};
    titleId_ = -1;
    title_.clear();
    title_.shrink_to_fit();
    font_.reset();
    disabledFont_.reset();
    if (drawer_ && drawerOwned_ && drawer_ != defaultDrawer_) releaseOwnedDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    titleColor_ = 0xBFD0D0;
    captionWidth_ = captionHeight_ = 0;
    marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
    acceptFiles_ = false;
    collapsed_ = false;
    layoutDepth_ = 0;
    dropListeners_.clear();
    secondListeners_.clear();
    releaseBackBuffer();
    if (layoutObject_ && !isSharedLayout(layoutObject_)) layoutObject_->release();
    layoutObject_ = nullptr;
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

void GroupBox::setSizeClamped(int32_t w, int32_t h) {
    setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
            layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
    doLayout();
}

void GroupBox::beginUpdate() {
    Control::beginUpdate();
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->beginUpdate();
}

void GroupBox::endUpdate() {
    Control::endUpdate();
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->endUpdate();
}

// --- Visibility, state and background ------------------------------------------------------

void GroupBox::setVisible(bool visible, bool /*deep*/) {
    if (visible) {
        if (visible_) return;
        visible_ = true;
        if (m_hWnd) ::ShowWindow(m_hWnd, SW_SHOW);
        if (content_) content_->setVisible(true, true);
        if (m_hWnd) validateParent();
    } else {
        if (!visible_) return;
        visible_ = false;
        if (m_hWnd) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            setPosition(control::kParkX, kParkY);
        }
        if (content_) content_->setVisible(false, true);
        releaseBackBuffer();
    }
}

void GroupBox::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    repaint();
}

// --- Attachment ---------------------------------------------------------------------------

void GroupBox::attachServices() {
    if (drawer::ISkin* skin = control::joinServices(window_, this, true)) setDrawer(skin->getGroupBoxDrawer(), false);
}

void GroupBox::detachServices() { control::leaveServices(window_, this); }

bool GroupBox::createWindow(CWnd* parentWnd) {
    const RECT rect{0, 0, 0, 0};
    if (!Create(L"GroupBox", WS_CHILD | BS_GROUPBOX, rect, parentWnd, kControlId)) return false;
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetFont(font_.getHandle(), FALSE);
    if (lang::Localizer* l = control::localizerOf(window_); l && titleId_ != -1) title_ = l->getText(titleId_);
    showTitle();
    if (content_) {
        ::SendMessageW(m_hWnd, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(content_), 0);
        content_->setOrigin(marginLeft_, marginTop_);
    }
    return true;
}

void GroupBox::onEvent(base::IObject* source, int32_t code) {
    if (!source) return;
    if (lang::Localizer* l = control::languageSource(window_, source)) {
        if (titleId_ != -1) setTitle(l->getText(titleId_));
        return;
    }
    if (drawer::ISkin* skin = control::skinSource(window_, source)) {
        setDrawer(skin->getGroupBoxDrawer(), false);
        return;
    }
    if (content_ && source == asObject(content_) && code == BoxEvent::kFilesDropped)
        control::tell(dropListeners_, this, BoxEvent::kFilesDropped);
}

// --- Children and layout --------------------------------------------------------------------

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

void GroupBox::relayout() {
    if (!m_hWnd) return;
    doLayout();
    validateParent();
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
    if (lang::Localizer* l = control::localizerOf(window_)) setTitle(l->getText(id));
}

void GroupBox::measureCaption() {
    if (!m_hWnd) return;
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return;
    HGDIOBJ old = ::SelectObject(dc, font_.getHandle());
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
    validateParent();
    repaint();
}

void GroupBox::fontChanged() {
    if (m_hWnd) SetFont(font_.getHandle(), FALSE);
    measureCaption();
}

void GroupBox::setPointSize(int32_t points) {
    change([&] { font_.setPointSize(points); });
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
        d->applyToFonts(&font_, &disabledFont_);
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
    return backBuffer_ ? backBuffer_ : Control::getBackBuffer(x, y);
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
        if (!control::copyParentPixels(m_hWnd, parent_, target, w, H))
            control::fillRect(target, rc, control::effectiveBackgroundColor(parent_));
        if (!transparent_)
            control::fillRect(target, RECT{1, half + 1, std::max(1, w - 1), half + 1 + std::max(0, H - half - 2)},
                              background_);
        if (drawer::IGroupBox* d = getDrawer())
            d->paint(target, 0, half, w, H, title_.c_str(), enabled_ ? &font_ : &disabledFont_, captionWidth_,
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

bool GroupBox::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paint(); return true;
        case WM_NCPAINT: return true;
        case WM_UPDATEUISTATE: return true;
        case LibraryMessage::kAttachChild:
            if (auto* child = reinterpret_cast<IComponent*>(wParam)) child->setParent(this);
            return true;
        default: return preHandleCommon(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
