#include "gui/controls/Button.h"

#include <cwchar>

#include "gui/drawer/IButton.h"
#include "gui/skin/ISkinner.h"
#include "platform/lang/Localizer.h"

namespace s::gui::win {

namespace {

constexpr const wchar_t* kResizerCaption = L"#Resizer";

void releaseFont(IFont* font) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(font)) p->release();
}

void releaseOwnedDrawer(drawer::IButton* drawer) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(drawer)) p->release();
}

// The grip of a "#Resizer" button without a drawer: six dots in the bottom-right corner,
// each a white square overlaid one pixel up and left by a grey one.
void paintGrip(HDC dc, int32_t w, int32_t h) {
    static constexpr POINT kDots[] = {{4, 12}, {4, 8}, {8, 8}, {4, 4}, {8, 4}, {12, 4}};
    for (const POINT& d : kDots) {
        const int32_t x = w - d.x, y = h - d.y;
        control::fillRect(dc, RECT{x + 1, y + 1, x + 3, y + 3}, 0xFFFFFF);
        control::fillRect(dc, RECT{x, y, x + 2, y + 2}, 0xA1B5B8);
    }
}

}  // namespace

Button::Button() { reset(); }

Button::~Button() {
    reset();
    if (measuringFont_) measuringFont_->release();
    measuringFont_ = nullptr;
}

void Button::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    textId_ = -1;
    text_.clear();
    normal_.reset();
    disabled_.reset();
    toggledStyle_.reset();
    actionListeners_.clear();
    toggleListeners_.clear();
    pressListeners_.clear();
    autoRepeat_ = false;
    lastX_ = lastY_ = 0;
    pressed_ = false;
    hoverState_ = ButtonHoverState::kIdle;
    if (drawer_ && drawerOwned_) releaseOwnedDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    face_ = true;
    toggleMode_ = false;
    releasable_ = true;
    inverted_ = false;
    resting_ = false;
    toggled_ = false;
    defaultStyle_ = false;
}

Button* Button::createWithTextId(int32_t textId, double widthPercent, int32_t fixedHeight) {
    Button* b = create();
    b->setTextId(textId);
    b->setEnabled(true);
    if (widthPercent >= 0) b->setWidthPercent(int32_t(widthPercent));
    if (fixedHeight >= 0) b->setFixedHeight(fixedHeight);
    return b;
}

Button* Button::createWithText(const wchar_t* text, double widthPercent, int32_t fixedHeight) {
    Button* b = create();
    b->setText(text);
    if (widthPercent >= 0) b->setWidthPercent(int32_t(widthPercent));
    if (fixedHeight >= 0) b->setFixedHeight(fixedHeight);
    return b;
}

// --- Services -------------------------------------------------------------------------------

void Button::attachServices() {
    if (drawer::ISkin* skin = control::joinServices(window_, this, true)) setDrawer(skin->getButtonDrawer(), false);
}

void Button::detachServices() { control::leaveServices(window_, this); }

void Button::onEvent(base::IObject* source, int32_t) {
    if (lang::Localizer* l = control::languageSource(window_, source)) {
        if (textId_ != -1) setText(l->getText(textId_));
    } else if (drawer::ISkin* skin = control::skinSource(window_, source)) {
        setDrawer(skin->getButtonDrawer(), false);
    }
}

// --- Window ------------------------------------------------------------------------------------

bool Button::createWindow(CWnd* parentWnd) {
    if (!parentWnd || !Create(L"Button", WS_CHILD | WS_TABSTOP | BS_NOTIFY, RECT{0, 0, 0, 0}, parentWnd, kControlId))
        return false;
    if (textId_ != -1) {
        if (lang::Localizer* l = control::localizerOf(window_)) text_ = l->getText(textId_);
    }
    SetWindowText(text_.c_str());
    if (defaultStyle_) SendMessage(BM_SETSTYLE, (GetStyle() & 0xFFFE) | BS_DEFPUSHBUTTON, TRUE);
    return true;
}

void Button::updateSize() {
    if (!m_hWnd) return;
    SIZE ideal{0, 0};
    if (drawer_) {
        if (widthHint_.fixed < 0 || heightHint_.fixed < 0) {
            HFONT old = GetFont();
            IFont* made = normal_.createFont();
            SetFont(made ? made->getHandle() : nullptr, TRUE);
            GetIdealSize(&ideal);
            SetFont(old, FALSE);
            releaseFont(made);
        } else {
            ideal = {widthHint_.fixed, heightHint_.fixed};
        }
    } else {
        if (!measuringFont_) measuringFont_ = Font::create();
        measuringFont_->inheritFromSetting(&normal_);
        SetFont(measuringFont_->getHandle(), TRUE);
        GetIdealSize(&ideal);
    }
    minWidth_ = prefWidth_ = ideal.cx;
    minHeight_ = prefHeight_ = ideal.cy;
    validateParent();
}

bool Button::isResizer() const { return text_ == kResizerCaption; }

bool Button::isLibraryPainted() const { return drawer_ != nullptr || isResizer(); }

void Button::paintContent(HDC dc, const RECT& rc) {
    if (isResizer() && !drawer_) {
        paintGrip(dc, rc.right - rc.left, rc.bottom - rc.top);
        return;
    }
    const bool shownToggled = isResizer() ? toggled_ : (toggled_ != inverted_);
    int32_t state = hoverState_;
    if (isResizer() || (toggled_ && !releasable_)) state = ButtonHoverState::kIdle;
    FontSetting* style = !enabled_ ? &disabled_ : shownToggled ? &toggledStyle_ : &normal_;
    IFont* font = style->createFont();
    drawer_->paintFace(dc, rc.left, rc.top, rc.right, rc.bottom, state, text_.c_str(), isResizer() ? false : face_,
                       font, enabled_, shownToggled, resting_);
    releaseFont(font);
}

// --- Setters -------------------------------------------------------------------------------------

void Button::setText(const wchar_t* text) {
    text_ = text ? text : L"";
    if (m_hWnd) SetWindowText(text_.c_str());
    updateSize();
}

void Button::setTextId(int32_t id) {
    textId_ = id;
    if (lang::Localizer* l = control::localizerOf(window_)) setText(l->getText(id));
}

void Button::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (m_hWnd) EnableWindow(enabled);
}

template <class F>
void Button::forEachStyle(F change) {
    change(normal_);
    change(disabled_);
    change(toggledStyle_);
    updateSize();
}

void Button::setSizeCode(int32_t code) {
    forEachStyle([&](FontSetting& s) { s.setSizeCode(code); });
}

void Button::setFace(const wchar_t* face) {
    forEachStyle([&](FontSetting& s) { s.setFace(face); });
}

void Button::setTextColor(int32_t r, int32_t g, int32_t b) {
    normal_.setColor(r, g, b);
    updateSize();
}

void Button::setPointSize(int32_t points) {
    forEachStyle([&](FontSetting& s) { s.setPointSize(points); });
}

void Button::setFontHeight(int32_t h) {
    forEachStyle([&](FontSetting& s) { s.setHeight(h); });
}

void Button::setFontWidth(int32_t w) {
    forEachStyle([&](FontSetting& s) { s.setWidth(w); });
}

void Button::setBold(bool on) {
    forEachStyle([&](FontSetting& s) { s.setBold(on); });
}

void Button::setItalic(bool on) {
    forEachStyle([&](FontSetting& s) { s.setItalic(on); });
}

void Button::setUnderline(bool on) {
    forEachStyle([&](FontSetting& s) { s.setUnderline(on); });
}

void Button::setStrikeOut(bool on) {
    forEachStyle([&](FontSetting& s) { s.setStrikeOut(on); });
}

void Button::setWeight(int32_t weight) {
    forEachStyle([&](FontSetting& s) { s.setWeight(weight); });
}

void Button::handDrawerStyles() {
    if (!drawer_) return;
    drawer_->applyToFontSettings(&normal_, &disabled_);
    drawer_->applySecondToFontSettings(&toggledStyle_);
}

void Button::setDrawer(drawer::IButton* drawer, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != drawer) releaseOwnedDrawer(drawer_);
    drawer_ = drawer;
    drawerOwned_ = owned;
    handDrawerStyles();
    updateSize();
    repaint();
}

void Button::setFlat(bool faceFlag) {
    face_ = faceFlag;
    repaint();
}

void Button::setToggleMode(bool toggle, bool releasable, bool invertLook, bool restingFlag) {
    toggleMode_ = toggle;
    releasable_ = releasable;
    inverted_ = invertLook;
    resting_ = restingFlag;
}

void Button::setToggled(bool toggled) {
    if (toggled_ == toggled) return;
    toggled_ = toggled;
    repaint();
}

void Button::setDefaultStyle() {
    if (m_hWnd)
        ::SendMessageW(m_hWnd, LibraryMessage::kButtonSetDefault, 0, 0);
    else
        defaultStyle_ = true;
}

void Button::clearDefaultStyle() {
    if (m_hWnd)
        ::SendMessageW(m_hWnd, LibraryMessage::kButtonClearDefault, 0, 0);
    else
        defaultStyle_ = false;
}

void Button::setColorSwatch(int32_t r, int32_t g, int32_t b) {
    wchar_t caption[32];
    const uint32_t colour = uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
    std::swprintf(caption, 32, L"#Color-%08x", colour);
    setText(caption);
}

// --- Pointer ------------------------------------------------------------------------------------

void Button::setHover(int32_t state, bool repaintNow) {
    const bool changed = hoverState_ != state;
    hoverState_ = state;
    if (changed && repaintNow && m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Button::press() {
    pressed_ = true;
    setHover(ButtonHoverState::kPressed, isLibraryPainted());
    control::tell(pressListeners_, this, ButtonEvent::kPress);
    if (autoRepeat_ && m_hWnd) SetTimer(kRepeatDelayTimer, 500);
}

void Button::click() {
    control::tell(actionListeners_, this, ButtonEvent::kAction);
    if (toggleMode_ && enabled_ && (!toggled_ || releasable_)) {
        toggled_ = !toggled_;
        repaint();
    }
    control::tell(toggleListeners_, this, ButtonEvent::kToggle);
}

void Button::stopRepeat() {
    if (!autoRepeat_ || !m_hWnd) return;
    KillTimer(kRepeatDelayTimer);
    KillTimer(kRepeatTimer);
}

bool Button::cursorOverWindow() const {
    POINT p;
    RECT r;
    return ::GetCursorPos(&p) && ::GetWindowRect(m_hWnd, &r) && ::PtInRect(&r, p);
}

void Button::resizeOwner(int32_t screenX, int32_t screenY) {
    if (!window_ || !window_->getHwnd()) return;
    HWND owner = window_->getHwnd();
    RECT before;
    ::GetWindowRect(owner, &before);
    const int32_t oldW = before.right - before.left, oldH = before.bottom - before.top;
    RECT asked{before.left, before.top, before.right + (screenX - lastX_), before.bottom + (screenY - lastY_)};
    ::SendMessageW(owner, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&asked));
    window_->setBounds(asked.left, asked.top, asked.right - asked.left, asked.bottom - asked.top);
    RECT after;
    ::GetWindowRect(owner, &after);
    lastX_ += (after.right - after.left) - oldW;
    lastY_ += (after.bottom - after.top) - oldH;
}

// --- Messages -----------------------------------------------------------------------------------

bool Button::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT:
        case WM_UPDATEUISTATE:
            if (!isLibraryPainted()) return false;
            if (message == WM_PAINT)
                paintBuffered();
            else
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return true;
        case WM_LBUTTONDOWN: {
            POINT p;
            ::GetCursorPos(&p);
            lastX_ = p.x;
            lastY_ = p.y;
            if (control::isInside(lParam, width_, height_)) press();
            return false;
        }
        case WM_TIMER:
            if ((wParam != kRepeatDelayTimer && wParam != kRepeatTimer) || !pressed_ || !autoRepeat_ ||
                !cursorOverWindow())
                return false;
            if (wParam == kRepeatDelayTimer) {
                KillTimer(kRepeatDelayTimer);
                SetTimer(kRepeatTimer, 100);
            } else {
                control::tell(pressListeners_, this, ButtonEvent::kPress);
            }
            return true;
        case WM_MOUSEMOVE: {
            const bool inside = control::isInside(lParam, width_, height_);
            if (pressed_) {
                if (inside)
                    hoverState_ = ButtonHoverState::kPressed;
                else
                    setHover(ButtonHoverState::kIdle, true);
                POINT p;
                ::GetCursorPos(&p);
                if (p.x != lastX_ || p.y != lastY_) {
                    // The grip counts only the growth the window took, so a refused growth
                    // is not asked for again when the pointer comes back.
                    if (isResizer() && window_) {
                        resizeOwner(p.x, p.y);
                    } else {
                        lastX_ = p.x;
                        lastY_ = p.y;
                    }
                }
                return false;
            }
            if (inside) {
                if (wParam & MK_LBUTTON) return false;
                hoverState_ = ButtonHoverState::kOver;
                if (::GetCapture() != m_hWnd) {
                    if (isResizer()) ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENWSE));
                    SetCapture();
                }
            } else {
                if (::GetCapture() == m_hWnd) {
                    if (isResizer()) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
                    ::ReleaseCapture();
                }
                hoverState_ = ButtonHoverState::kIdle;
            }
            return false;
        }
        case WM_LBUTTONUP:
            if (!pressed_) return false;
            stopRepeat();
            hoverState_ = ButtonHoverState::kIdle;
            if (isResizer()) {
                POINT p;
                ::GetCursorPos(&p);
                if (p.x != lastX_ || p.y != lastY_) resizeOwner(p.x, p.y);
            }
            pressed_ = false;
            return false;
        case LibraryMessage::kReflectClicked: click(); return true;
        case LibraryMessage::kReflectCode5:
            press();
            click();
            return true;
        case WM_NCHITTEST:
            *result = DefWindowProc(message, wParam, lParam);
            if (!enabled_ || (toggled_ && !releasable_)) *result = HTTRANSPARENT;
            return true;
        case WM_GETDLGCODE: *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;
        case WM_KEYDOWN:
            if (parentWnd_ && parentWnd_->m_hWnd && ::SendMessageW(parentWnd_->m_hWnd, message, wParam, lParam) != 0)
                return false;
            return true;
        case WM_MOUSEWHEEL: {
            const int32_t sx = int16_t(LOWORD(lParam)), sy = int16_t(HIWORD(lParam));
            if (!containsScreenPoint(sx, sy) && window_ && window_->getHwnd())
                ::SendMessageW(window_->getHwnd(), WM_MOUSEWHEEL, wParam, lParam);
            return true;
        }
        case LibraryMessage::kButtonSetDefault:
            SendMessage(BM_SETSTYLE, (GetStyle() & 0xFFFE) | BS_DEFPUSHBUTTON, TRUE);
            defaultStyle_ = true;
            return true;
        case LibraryMessage::kButtonClearDefault:
            SendMessage(BM_SETSTYLE, GetStyle() & 0xFFFE, TRUE);
            defaultStyle_ = false;
            return true;
        default: return preHandleCommon(result, message, wParam, lParam, true, !isLibraryPainted());
    }
}

void Button::postHandle(LRESULT*, UINT message, WPARAM, LPARAM) {
    if ((message == WM_ENABLE || message == WM_SETTEXT) && isLibraryPainted() && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace s::gui::win
