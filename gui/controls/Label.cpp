#include "gui/controls/Label.h"

#include <algorithm>

#include "gui/component/Events.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/skin/ISkinner.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"

namespace s::gui::win {

namespace {

// A text argument: null (empty), a wide string, or a string-resource number in its place.
std::wstring textOf(const wchar_t* text) {
    if (!text) return L"";
    if (IS_INTRESOURCE(text)) {
        const wchar_t* resource = nullptr;
        const int n = ::LoadStringW(::GetModuleHandleW(nullptr), UINT(reinterpret_cast<uintptr_t>(text)),
                                    reinterpret_cast<wchar_t*>(&resource), 0);
        return n > 0 && resource ? std::wstring(resource, size_t(n)) : std::wstring();
    }
    return text;
}

void releaseOwnedDrawer(drawer::IText* drawer) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(drawer)) p->release();
}

}  // namespace

Label::Label() { reset(); }

Label::~Label() {
    reset();
    if (defaultDrawer_) drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = nullptr;
}

void Label::reset() {
    if (m_hWnd) KillTimer(kTemporaryTimer);
    setVisible(true, true);
    setParent(nullptr);
    resetControl(::GetSysColor(COLOR_BTNFACE), true);
    font_.reset();
    for (Font*& f : stateFonts_) {
        if (f) f->release();
        f = nullptr;
    }
    if (defaultDrawer_) defaultDrawer_->applyToFonts(&font_);
    textId_ = -1;
    text_.clear();
    savedText_.clear();
    temporaryActive_ = false;
    if (drawer_ && drawerOwned_) releaseOwnedDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    clearCaches();
    clickable_ = false;
    pressed_ = false;
    hoverState_ = 0;
    url_.clear();
    clickListeners_.clear();
}

Label* Label::createWithText(const wchar_t* text, bool endEllipsis) {
    Label* l = create();
    l->setText(text, true);
    l->setWordWrap(false);
    l->setEndEllipsis(endEllipsis);
    l->setSizeCode(0);
    return l;
}

Label* Label::createWithTextId(int32_t textId, bool wordWrap, int32_t sizeCode) {
    Label* l = create();
    l->setTextId(textId);
    l->setWordWrap(wordWrap);
    l->setEndEllipsis(false);
    l->setSizeCode(sizeCode);
    return l;
}

drawer::IText* Label::activeDrawer() {
    if (drawer_) return drawer_;
    // Made when first needed: the default drawers may be installed after the label was.
    if (!defaultDrawer_) {
        defaultDrawer_ = drawer::createDefaultText();
        if (defaultDrawer_) handFonts(defaultDrawer_);
    }
    return defaultDrawer_;
}

// --- Services -------------------------------------------------------------------------------

void Label::attachServices() {
    if (drawer::ISkin* skin = control::joinServices(window_, this, true)) setDrawer(skin->getTextDrawer(), false);
}

void Label::detachServices() { control::leaveServices(window_, this); }

void Label::onEvent(base::IObject* source, int32_t) {
    if (lang::Localizer* l = control::languageSource(window_, source)) {
        if (textId_ != -1) setText(l->getText(textId_), true);
    } else if (drawer::ISkin* skin = control::skinSource(window_, source)) {
        setDrawer(skin->getTextDrawer(), false);
    }
}

// --- Fonts ------------------------------------------------------------------------------------

Font* Label::stateFont(int index) {
    if (!stateFonts_[index]) {
        Font* f = Font::create();
        f->setSizeCode(font_.getSizeCode());
        if (font_.isBold()) f->setBold(true);
        stateFonts_[index] = f;
        handFonts(drawer_ ? drawer_ : defaultDrawer_);
    }
    return stateFonts_[index];
}

void Label::handFonts(drawer::IText* drawer) {
    if (drawer) drawer->applyToFonts(&font_, stateFonts_[0], stateFonts_[1], stateFonts_[2], stateFonts_[3]);
}

template <class F>
void Label::forStateFonts(F change) {
    for (Font* f : stateFonts_) {
        if (f) change(*f);
    }
}

void Label::setWordWrap(bool on) {
    font_.setWordWrap(on);
    updateSize();
}

void Label::setEndEllipsis(bool on) {
    font_.setEndEllipsis(on);
    forStateFonts([&](Font& f) { f.setEndEllipsis(on); });
    updateSize();
}

void Label::setSizeCode(int32_t code) {
    forStateFonts([&](Font& f) { f.setSizeCode(code); });
    SingleFontControl::setSizeCode(code);
}

void Label::setBold(bool on) {
    forStateFonts([&](Font& f) { f.setBold(on); });
    SingleFontControl::setBold(on);
}

void Label::setPointSize(int32_t points) {
    change([&] { font_.setPointSize(points); });
}

void Label::setTextEffect(int32_t effect) {
    change([&] { font_.setTextEffect(effect); });
}

void Label::setDrawer(drawer::IText* drawer, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != drawer) releaseOwnedDrawer(drawer_);
    drawer_ = drawer;
    drawerOwned_ = owned;
    handFonts(drawer_);
    updateSize();
    repaint();
}

void Label::setClickable(bool on) {
    clickable_ = on;
    if (!on) return;
    if (font_.isWordWrap()) {
        for (int i = 1; i < 4; ++i) stateFont(i)->setWordWrap(true);
    }
    if (font_.isEndEllipsis()) {
        for (int i = 1; i < 4; ++i) stateFont(i)->setEndEllipsis(true);
    }
}

// --- Text -------------------------------------------------------------------------------------

bool Label::setText(const wchar_t* text, bool redraw) {
    if (!m_hWnd) return applyText(text, redraw);
    return ::SendMessageW(m_hWnd, LibraryMessage::kLabelSetText, reinterpret_cast<WPARAM>(text), redraw) != 0;
}

bool Label::setOwnText(const wchar_t* text, bool redraw) {
    if (!temporaryActive_) return applyText(text, redraw);
    // A temporary text is showing: the new text is the one that returns at its end.
    const std::wstring next = textOf(text);
    if (next == savedText_) return false;
    savedText_ = next;
    return true;
}

bool Label::applyText(const wchar_t* text, bool redraw) {
    const std::wstring next = textOf(text);
    if (next == text_) return false;
    // The old text is wiped before the new one is laid out.
    if (m_hWnd && !text_.empty()) {
        text_.clear();
        if (redraw) repaint();
    }
    text_ = next;
    updateSize();
    if (m_hWnd && redraw) repaint();
    return true;
}

void Label::setTextId(int32_t id) {
    textId_ = id;
    lang::Localizer* l = control::localizerOf(window_);
    setText(l && id != -1 ? l->getText(id) : L"", true);
}

void Label::showTemporaryText(const wchar_t* text, int32_t milliseconds) {
    if (!m_hWnd) return;
    TemporaryTextRecord record{text, true, milliseconds};
    ::SendMessageW(m_hWnd, LibraryMessage::kLabelTemporaryText, reinterpret_cast<WPARAM>(&record), 0);
}

void Label::startTemporaryText(const TemporaryTextRecord& record) {
    KillTimer(kTemporaryTimer);
    // The own text is kept once, however many temporary texts follow before the end.
    if (!temporaryActive_) {
        savedText_ = text_;
        temporaryActive_ = true;
    }
    applyText(record.text, record.redraw);
    SetTimer(kTemporaryTimer, UINT(std::max(record.milliseconds, 1)));
}

void Label::endTemporaryText() {
    KillTimer(kTemporaryTimer);
    if (!temporaryActive_) return;
    const std::wstring own = savedText_;
    savedText_.clear();
    applyText(own.c_str(), true);
    temporaryActive_ = false;
}

// --- Sizes ------------------------------------------------------------------------------------

void Label::clearCaches() {
    widthCache_.clear();
    heightCache_.clear();
}

void Label::updateSize() {
    clearCaches();
    if (!m_hWnd) return;
    minWidth_ = minHeight_ = prefWidth_ = prefHeight_ = 0;
    if (drawer::IText* d = activeDrawer()) {
        HDC dc = ::GetDC(m_hWnd);
        d->measure(dc, text_.c_str(), enabled_ ? &font_ : getStateFont1(), &minWidth_, &minHeight_, &prefWidth_,
                   &prefHeight_);
        ::ReleaseDC(m_hWnd, dc);
    }
    validateParent();
}

void Label::setSizeClamped(int32_t w, int32_t) {
    w = std::max(w, 0);
    if (heightCache_.size() < size_t(w) + 1) {
        widthCache_.resize(size_t(w) + 1, 0);
        heightCache_.resize(size_t(w) + 1, -1);
    }
    if (heightCache_[size_t(w)] == -1) {
        int32_t cw = 0, ch = 0;
        drawer::IText* d = activeDrawer();
        if (d && m_hWnd) {
            HDC dc = ::GetDC(m_hWnd);
            d->measureInRect(dc, 0, 0, w, 0, text_.c_str(), &font_, &cw, &ch);
            ::ReleaseDC(m_hWnd, dc);
        }
        widthCache_[size_t(w)] = cw;
        heightCache_[size_t(w)] = ch;
    }
    setSize(widthCache_[size_t(w)], heightCache_[size_t(w)]);
}

// --- State ------------------------------------------------------------------------------------

void Label::setVisible(bool visible, bool deep) {
    if (visible == visible_) return;
    SingleFontControl::setVisible(visible, deep);
    if (visible) {
        validateParent();
    } else if (m_hWnd) {
        setPosition(control::kParkX, control::kParkX);
    }
}

void Label::setEnabled(bool enabled) {
    SingleFontControl::setEnabled(enabled);
    repaint();
}

// --- Window -----------------------------------------------------------------------------------

bool Label::createWindow(CWnd* parentWnd) {
    if (!control::createGeneric(this, parentWnd, 0)) return false;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    if (textId_ != -1) {
        if (lang::Localizer* l = control::localizerOf(window_)) text_ = l->getText(textId_);
    }
    return true;
}

void Label::paintContent(HDC dc, const RECT& rc) {
    drawer::IText* d = activeDrawer();
    if (!d) return;
    Font* font = &font_;
    if (!enabled_)
        font = getStateFont1();
    else if (clickable_)
        font = hoverState_ == 0 ? getStateFont2() : hoverState_ == 1 ? getStateFont3() : getStateFont4();
    d->paint(dc, rc.left, rc.top, rc.right, rc.bottom, text_.c_str(), font);
}

void Label::setHover(int32_t state) {
    if (hoverState_ == state) return;
    hoverState_ = state;
    if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

bool Label::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT:
            if (visible_) {
                paintBuffered();
            } else {
                PAINTSTRUCT ps;
                ::BeginPaint(m_hWnd, &ps);
                ::EndPaint(m_hWnd, &ps);
            }
            return true;
        case LibraryMessage::kLabelSetText:
            *result = setOwnText(reinterpret_cast<const wchar_t*>(wParam), lParam != 0) ? 1 : 0;
            return true;
        case LibraryMessage::kLabelTemporaryText:
            if (const auto* record = reinterpret_cast<const TemporaryTextRecord*>(wParam)) startTemporaryText(*record);
            *result = 1;
            return true;
        case WM_TIMER:
            if (wParam != kTemporaryTimer) return false;
            endTemporaryText();
            return true;
        case WM_NCHITTEST:
            *result = DefWindowProc(message, wParam, lParam);
            if (!clickable_ && *result == HTCLIENT) *result = HTTRANSPARENT;
            return true;
        case WM_MOUSEMOVE: {
            if (!clickable_) return false;
            const bool inside = control::isInside(lParam, width_, height_);
            if (pressed_) {
                setHover(inside ? 2 : 0);
            } else if (inside) {
                if (wParam & MK_LBUTTON) return false;
                setHover(1);
                if (::GetCapture() != m_hWnd) SetCapture();
            } else {
                if (::GetCapture() == m_hWnd) ::ReleaseCapture();
                setHover(0);
            }
            return false;
        }
        case WM_LBUTTONDOWN:
            if (clickable_ && control::isInside(lParam, width_, height_)) {
                pressed_ = true;
                setHover(2);
            }
            return false;
        case WM_LBUTTONUP:
            if (!clickable_ || !pressed_) return false;
            pressed_ = false;
            if (control::isInside(lParam, width_, height_)) {
                if (!url_.empty()) shell::open(url_.c_str());
                control::tell(clickListeners_, this, LabelEvent::kClick);
            }
            setHover(0);
            return false;
        default: return preHandleCommon(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
