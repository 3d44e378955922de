#include "gui/controls/Slider.h"

#include <windowsx.h>

#include "gui/drawer/DefaultDrawers.h"
#include "gui/drawer/ISlider.h"
#include "gui/skin/ISkin.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

namespace {

void releaseOwned(drawer::ISlider* d) { drawer::releaseDrawer(d); }

}  // namespace

Slider::Slider() { reset(); }

Slider::~Slider() { reset(); }

void Slider::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(0xFFFFFF, true);
    model_.reset();
    thumbLength_ = -1;
    showTicks_ = true;
    ticFrequency_ = 10;
    listeners_.clear();
    if (drawer_ && drawerOwned_) releaseOwned(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    showFill_ = false;
    anchor_ = 0;
    bandStyle_ = 0;
    bandA_ = -1;
    bandB_ = 0;
    dragged_ = 0;
    dragging_ = moved_ = false;
}

Slider* Slider::createPercent(double widthPercent, double heightPercent) {
    Slider* s = create();
    s->setRange(0, 100);
    s->setPosition(100);
    s->setTicFrequency(10);
    s->setShowTicks(false);
    s->setDisplayOption(false);
    if (widthPercent >= 0) s->setWidthPercent(int32_t(widthPercent));
    if (heightPercent >= 0) s->setHeightPercent(int32_t(heightPercent));
    return s;
}

Slider* Slider::createRange(int32_t minimum, int32_t maximum, int32_t position, double widthPercent,
                            int32_t fixedHeight) {
    Slider* s = create();
    s->setRange(minimum, maximum);
    s->setPosition(position);
    s->setTicFrequency(10);
    s->setShowTicks(false);
    s->setDisplayOption(true);
    if (widthPercent >= 0) s->setWidthPercent(int32_t(widthPercent));
    if (fixedHeight >= 0) s->setFixedHeight(fixedHeight);
    return s;
}

// --- Services -------------------------------------------------------------------------------

void Slider::attachServices() {
    if (drawer::ISkin* skin = control::joinServices(window_, this, true)) setDrawer(skin->getSliderDrawer(), false);
}

void Slider::detachServices() { control::leaveServices(window_, this); }

void Slider::onEvent(base::IObject* source, int32_t) {
    if (drawer::ISkin* skin = control::skinSource(window_, source)) setDrawer(skin->getSliderDrawer(), false);
}

// --- The window -----------------------------------------------------------------------------------

bool Slider::createWindow(CWnd* parentWnd) {
    const RECT rect{0, 0, 0, 0};
    if (!Create(WS_CHILD | TBS_TOP, rect, parentWnd, kControlId)) return false;
    applyTicks();
    SetRange(model_.minimum(), model_.maximum(), TRUE);
    SendMessage(TBM_SETPOS, TRUE, model_.position());
    applyTicFrequency();
    if (thumbLength_ > 0) {
        ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | TBS_FIXEDLENGTH);
        SetThumbLength(thumbLength_);
    }
    return true;
}

void Slider::updateSize() {
    const int32_t s = system::getScreenScale();
    minWidth_ = prefWidth_ = 50 * s;
    minHeight_ = prefHeight_ = 20 * s;
    validateParent();
}

void Slider::applyTicks() {
    if (!m_hWnd) return;
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    style = showTicks_ ? (style & ~TBS_NOTICKS) | TBS_AUTOTICKS : (style & ~TBS_AUTOTICKS) | TBS_NOTICKS;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, style);
}

void Slider::applyTicFrequency() {
    if (!m_hWnd) return;
    SetTicFreq(ticFrequency_);
    SetPageSize(ticFrequency_ * 10);
    SetLineSize(ticFrequency_);
}

void Slider::syncTrackBar() {
    if (m_hWnd && GetPos() != model_.position()) SendMessage(TBM_SETPOS, TRUE, model_.position());
}

bool Slider::isVertical() const { return m_hWnd && (::GetWindowLongW(m_hWnd, GWL_STYLE) & TBS_VERT); }

// --- ISlider ----------------------------------------------------------------------------------------

void Slider::setThumbLength(int32_t length) {
    thumbLength_ = length;
    if (!m_hWnd || length <= 0) return;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | TBS_FIXEDLENGTH);
    SetThumbLength(length);
    updateSize();
}

void Slider::setRange(int32_t minimum, int32_t maximum) {
    model_.setRange(minimum, maximum);
    // Positions follow the range without an event: the program changed it.
    model_.setSecondPosition(model_.secondPosition());
    model_.setPosition(model_.position());
    if (!m_hWnd) return;
    SetRange(minimum, maximum, TRUE);
    syncTrackBar();
    repaint();
}

// A position the slider already shows costs nothing (no message, no repaint): panels are
// set back to their values as a whole, most of them unchanged.
void Slider::setPosition(int32_t position) {
    model_.setPosition(position);
    syncTrackBar();
}

void Slider::setTicFrequency(int32_t n) {
    ticFrequency_ = n;
    applyTicFrequency();
}

void Slider::setShowTicks(bool on) {
    showTicks_ = on;
    applyTicks();
    if (m_hWnd) repaint();
}

void Slider::setDrawer(drawer::ISlider* d, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != d) releaseOwned(drawer_);
    drawer_ = d;
    drawerOwned_ = owned;
    repaint();
}

void Slider::setDisplayOption(bool on) {
    if (on == showFill_) return;
    showFill_ = on;
    if (m_hWnd) repaint();
}

void Slider::setLinked(bool on) { model_.setTwoThumbs(on); }

void Slider::setUpperPosition(int32_t position) {
    const int32_t before = model_.secondPosition();
    model_.setSecondPosition(position);
    if (m_hWnd && drawer_ && model_.secondPosition() != before) repaint();
}

void Slider::setMark(int32_t style, int32_t a, int32_t b) {
    bandStyle_ = style;
    bandA_ = a;
    bandB_ = b;
    if (m_hWnd) repaint();
}

// --- Moves --------------------------------------------------------------------------------------------

void Slider::tellListeners() { control::tell(listeners_, this, 0); }

bool Slider::movePosition(int32_t value) {
    const bool changed = model_.moveFirst(value);
    syncTrackBar();
    if (changed) tellListeners();
    return changed;
}

bool Slider::moveSecondPosition(int32_t value) {
    if (!model_.moveSecond(value)) return false;
    tellListeners();
    repaint();
    return true;
}

int32_t Slider::positionFromPoint(int32_t x, int32_t y) {
    RECT channel{0, 0, 0, 0};
    if (m_hWnd) GetChannelRect(&channel);
    return model_.valueAt(isVertical() ? y : x, channel.left, channel.right);
}

void Slider::readBack() {
    if (m_hWnd) movePosition(GetPos());
}

bool Slider::pressAt(LPARAM lParam) {
    RECT rc;
    GetClientRect(&rc);
    const bool vertical = isVertical();
    const int32_t along = vertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
    const int32_t length = vertical ? rc.bottom : rc.right;
    const int32_t thumb = model_.thumbAt(along, length, system::getScreenScale());
    if (thumb < 0) return false;
    dragged_ = thumb;
    SetCapture();
    SetFocus();
    dragging_ = true;
    moved_ = false;
    dragTo(lParam);
    return true;
}

void Slider::dragTo(LPARAM lParam) {
    const int32_t value = positionFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (dragged_ == 1) {
        if (moveSecondPosition(value)) moved_ = true;
        return;
    }
    if (!movePosition(value)) return;
    moved_ = true;
    // Tell the parent as the track bar does while its thumb is dragged.
    if (HWND parent = ::GetParent(m_hWnd))
        ::PostMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, uint16_t(model_.position())),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

void Slider::endDrag() {
    dragging_ = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

// --- Painting and messages --------------------------------------------------------------------------

void Slider::paintContent(HDC dc, const RECT& rc) {
    if (!drawer_) return;
    drawer_->paint(dc, rc.left, rc.top, rc.right, rc.bottom, model_.minimum(), model_.maximum(), model_.position(),
                   showFill_, anchor_, enabled_, model_.twoThumbs(), model_.secondPosition(), bandStyle_, bandA_,
                   bandB_);
}

bool Slider::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        // Up moves towards the maximum a page at a time, down towards the minimum.
        *result = CSliderCtrl::WindowProc(WM_KEYDOWN, wParam == VK_UP ? VK_NEXT : VK_PRIOR, lParam);
        readBack();
        return true;
    }
    if (message == WM_DESTROY) {
        dragging_ = false;
        return false;
    }
    if (!drawer_) return preHandleCommon(result, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: paintBuffered(); return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: pressAt(lParam); return true;
        case WM_MOUSEMOVE:
            if (!dragging_) return false;
            dragTo(lParam);
            return true;
        case WM_LBUTTONUP:
            if (!dragging_) return false;
            endDrag();
            return true;
        case WM_CAPTURECHANGED: dragging_ = false; return false;
        case WM_HSCROLL:
        case WM_VSCROLL: *result = 1; return true;
        case WM_MOUSEWHEEL:
            if (containsScreenPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return false;
            if (HWND owner = window_ ? window_->getHwnd() : nullptr) ::SendMessageW(owner, message, wParam, lParam);
            return true;
        default: return preHandleCommon(result, message, wParam, lParam);
    }
}

void Slider::postHandle(LRESULT*, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL: readBack(); break;
        default: break;
    }
}

}  // namespace s::gui::win
