#include "gui/controls/CheckBox.h"

#include "platform/system/Screen.h"

namespace s::gui::win {

namespace checkcontrol {

std::wstring withLiteralAmpersands(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(c);
        if (c == L'&') out.push_back(L'&');
    }
    return out;
}

}  // namespace checkcontrol

CheckBox::~CheckBox() { reset(); }

CheckBox* CheckBox::createWithTextId(int32_t textId, bool checked) {
    CheckBox* box = create();
    box->setTextId(textId);
    box->setChecked(checked);
    box->setWordWrap(false);
    return box;
}

CheckBox* CheckBox::createWithText(const wchar_t* text, bool checked) {
    CheckBox* box = create();
    box->setText(text);
    box->setChecked(checked);
    return box;
}

void CheckBox::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetCheckControl();
}

void CheckBox::setWordWrap(bool on) {
    captionFont_.setWordWrap(on);
    if (m_hWnd) ModifyStyle(on ? 0 : BS_MULTILINE, on ? BS_MULTILINE : 0);
    updateSize();
}

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    // Stored first: the check message then finds no change and tells nobody.
    checked_ = checked;
    if (m_hWnd) sendCheck(checked, notify_);
}

void CheckBox::setCheckedSilently(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (m_hWnd) sendCheck(checked, false);
}

void CheckBox::onCheckMessage(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (!notify_) return;
    if (checked)
        control::tell(checkedListeners_, this, CheckBoxEvent::kChecked);
    else
        control::tell(uncheckedListeners_, this, CheckBoxEvent::kUnchecked);
}

void CheckBox::bindEnabled(IComponent* component) {
    enableWhenChecked(component);
    disableWhenUnchecked(component);
}

void CheckBox::bindEnabledInverse(IComponent* component) {
    enableWhenUnchecked(component);
    disableWhenChecked(component);
}

bool CheckBox::createWindow(CWnd* parentWnd) {
    DWORD style = WS_CHILD | WS_TABSTOP | BS_NOTIFY | BS_AUTOCHECKBOX;
    if (captionFont_.isWordWrap()) style |= BS_MULTILINE;
    return createButton(parentWnd, style);
}

SIZE CheckBox::layoutText(HDC dc, int32_t width, UINT extraFlags) {
    RECT r{0, 0, width, 0};
    ::DrawTextW(dc, text_.c_str(), int(text_.size()), &r, DT_CALCRECT | DT_NOPREFIX | extraFlags);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void CheckBox::updateSize() {
    if (!m_hWnd) return;
    minWidth_ = minHeight_ = prefWidth_ = prefHeight_ = 0;
    HDC dc = GetDC();
    if (drawer_) {
        drawer_->measure(dc, text_.c_str(), &captionFont_, &minWidth_, &minHeight_, &prefWidth_, &prefHeight_);
    } else {
        SetFont(captionFont_.getHandle(), TRUE);
        HGDIOBJ old = ::SelectObject(dc, captionFont_.getHandle());
        const int32_t scale = system::getScreenScale();
        if (captionFont_.isWordWrap()) {
            const SIZE line = layoutText(dc, 0, 0);
            minHeight_ = line.cy;
            prefWidth_ = line.cx;
            minWidth_ = layoutText(dc, 0, DT_WORDBREAK).cx;
            const int32_t box = minHeight_ + (minHeight_ / 3) * scale;
            minWidth_ += box;
            prefWidth_ += box;
            // A layout sees the line height as the preferred height too.
            prefHeight_ = minHeight_;
        } else {
            SIZE extent{0, 0};
            ::GetTextExtentPoint32W(dc, text_.c_str(), int(text_.size()), &extent);
            minWidth_ = extent.cx + extent.cy + (extent.cy / 3) * scale;
            minHeight_ = extent.cy + (scale >= 4 ? 12 : scale >= 2 ? 7 : 0);
            prefWidth_ = minWidth_;
            prefHeight_ = minHeight_;
        }
        ::SelectObject(dc, old);
    }
    ReleaseDC(dc);
    validateParent();
}

void CheckBox::setSizeClamped(int32_t w, int32_t) {
    if (!captionFont_.isWordWrap() || !m_hWnd) {
        setSize(getMinWidth(), getMinHeight());
        return;
    }
    const int32_t h0 = minHeight_;
    HDC dc = GetDC();
    HGDIOBJ old = ::SelectObject(dc, captionFont_.getHandle());
    int32_t room = w - h0 / 6 - h0;
    RECT r{0, 0, room > 0 ? room : 0, h0};
    ::DrawTextW(dc, text_.c_str(), int(text_.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    ::SelectObject(dc, old);
    ReleaseDC(dc);
    const int32_t laidH = r.bottom - r.top;
    setSize(h0 + h0 / 6 + (r.right - r.left), laidH > h0 ? laidH : h0);
}

void CheckBox::paintContent(HDC dc, const RECT& rc) {
    if (drawer_)
        drawer_->paint(dc, rc.left, rc.top, rc.right, rc.bottom, minHeight_, checked_, text_.c_str(), &captionFont_);
}

bool CheckBox::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_UPDATEUISTATE:
            if (drawer_) {
                *result = DefWindowProc(message, wParam, lParam);
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return true;
            }
            return false;
        case WM_GETDLGCODE: *result = DefWindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;
        case WM_MOUSEWHEEL: {
            // The wheel over the box scrolls nothing here: it goes on to the window.
            const int32_t sx = int16_t(LOWORD(lParam)), sy = int16_t(HIWORD(lParam));
            if (!containsScreenPoint(sx, sy) && window_ && window_->getHwnd())
                ::SendMessageW(window_->getHwnd(), WM_MOUSEWHEEL, wParam, lParam);
            return true;
        }
        default: return preHandleCheck(result, message, wParam, lParam);
    }
}

}  // namespace s::gui::win
