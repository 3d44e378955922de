#include "gui/controls/TextField.h"

#include <algorithm>

#include "platform/lang/Localizer.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

TextField::TextField() { reset(); }

TextField::~TextField() { reset(); }

void TextField::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(RGB(255, 255, 255), false);
    text_.clear();
    font_.reset();
    editable_ = true;
    notify_ = true;
    changeListeners_.clear();
    enterListeners_.clear();
    focusLostListeners_.clear();
    password_ = false;
}

// --- Services -------------------------------------------------------------------------------

// The field hears its window's language pack but has nothing to change on its events.
void TextField::attachServices() { control::joinServices(window_, this, false); }

void TextField::detachServices() { control::leaveServices(window_, this); }

// --- Window ------------------------------------------------------------------------------------

bool TextField::createWindow(CWnd* parentWnd) {
    if (!parentWnd ||
        !Create(WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, RECT{0, 0, 0, 0}, parentWnd, kControlId))
        return false;
    SetFont(font_.getHandle(), TRUE);
    // The text it starts with is no change of the user's.
    notify_ = false;
    SetWindowText(text_.c_str());
    notify_ = true;
    if (!editable_) SetReadOnly(TRUE);
    SetPasswordChar(password_ ? L'*' : 0);
    return true;
}

void TextField::updateSize() {
    if (!m_hWnd) return;
    const int32_t scale = system::getScreenScale();
    minWidth_ = prefWidth_ = 50 * scale;
    minHeight_ = prefHeight_ = 24 * scale;
    validateParent();
}

void TextField::setSizeClamped(int32_t w, int32_t h) {
    w = widthHint_.fixed >= 0 ? widthHint_.fixed : std::max(w, getMinWidth());
    h = heightHint_.fixed >= 0 ? heightHint_.fixed : std::max(h, getMinHeight());
    setSize(std::min(w, getPreferredWidth()), std::min(h, getPreferredHeight()));
}

// --- Text -------------------------------------------------------------------------------------

void TextField::readWindowText() {
    if (m_hWnd) text_ = GetWindowText();
}

const wchar_t* TextField::getText() {
    readWindowText();
    return text_.c_str();
}

void TextField::setText(const wchar_t* text, bool notify) {
    // The same text set quietly changes nothing: no message, no new layout of the parent.
    if (!notify && m_hWnd && GetWindowText() == (text ? text : L"")) {
        text_ = text ? text : L"";
        return;
    }
    text_ = text ? text : L"";
    notify_ = notify;
    if (m_hWnd) {
        SetWindowText(text_.c_str());
        updateSize();
    }
    notify_ = true;
}

bool TextField::isEmpty() {
    readWindowText();
    return text_.empty();
}

void TextField::selectAll() {
    if (m_hWnd) ::SendMessageW(m_hWnd, LibraryMessage::kTextFieldFocusAll, 0, 0);
}

void TextField::focusAndSelectAll() {
    if (!m_hWnd) return;
    SetFocus();
    SetSel(0, -1);
}

void TextField::setPassword(bool on) {
    password_ = on;
    if (m_hWnd) {
        SetPasswordChar(on ? L'*' : 0);
        Invalidate();
    }
}

// --- State ------------------------------------------------------------------------------------

void TextField::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (m_hWnd) EnableWindow(enabled);
}

void TextField::setEditable(bool editable) {
    if (editable != editable_ && m_hWnd) SetReadOnly(!editable);
    editable_ = editable;
}

void TextField::fontChanged() {
    if (m_hWnd) SetFont(font_.getHandle(), TRUE);
    updateSize();
}

void TextField::setSizeCode(int32_t code) {
    SingleFontControl::setSizeCode(code);
    repaint();
}

// --- Messages -----------------------------------------------------------------------------------

BOOL TextField::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd == m_hWnd && m_hWnd && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        control::tell(enterListeners_, this, TextFieldEvent::kEnter);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

bool TextField::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_SETCURSOR: ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM)); return true;
        case WM_CHAR:
            // The character is drawn once, after the control has taken it.
            SendMessage(WM_SETREDRAW, FALSE);
            *result = CEdit::WindowProc(message, wParam, lParam);
            ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
            SendMessage(WM_SETREDRAW, TRUE);
            repaint();
            return true;
        case LibraryMessage::kTextFieldFocusAll: focusAndSelectAll(); return true;
        case LibraryMessage::kReflectColor: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (transparent_ || (enabled_ && editable_)) {
                *result = reinterpret_cast<LRESULT>(
                    control::colorBrush(&brush_, dc, transparent_, parent_, background_, font_.getColor()));
            } else {
                // Read-only and disabled fields show the button face whatever their colour.
                *result = reinterpret_cast<LRESULT>(
                    control::colorBrush(&brush_, dc, false, parent_, ::GetSysColor(COLOR_BTNFACE), font_.getColor()));
            }
            return true;
        }
        case LibraryMessage::kReflectEditChange:
            if (notify_) control::tell(changeListeners_, this, TextFieldEvent::kChange);
            return true;
        case LibraryMessage::kReflectKillFocus:
            control::tell(focusLostListeners_, this, TextFieldEvent::kFocusLost);
            return true;
        default: return preHandleCommon(result, message, wParam, lParam, false, false);
    }
}

}  // namespace s::gui::win
