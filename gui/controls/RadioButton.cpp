#include "gui/controls/RadioButton.h"

#include "gui/paint/MemDC.h"
#include "imaging/image/BufferedImage.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

namespace {
// The mark is drawn four times enlarged on a scratch surface of this size.
constexpr int32_t kMarkSize = 13;
constexpr int32_t kScratchSize = kMarkSize * 4;
}  // namespace

RadioButton::~RadioButton() { reset(); }

RadioButton* RadioButton::createWithText(const wchar_t* text) {
    RadioButton* b = create();
    b->setText(text);
    return b;
}

RadioButton* RadioButton::createWithTextId(int32_t textId) {
    RadioButton* b = create();
    b->setTextId(textId);
    return b;
}

void RadioButton::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetCheckControl();
}

bool RadioButton::isChecked() {
    if (m_hWnd) return SendMessage(BM_GETCHECK) == BST_CHECKED;
    return checked_;
}

void RadioButton::setChecked(bool checked, bool notify) {
    checked_ = checked;
    if (m_hWnd) sendCheck(checked, notify);
}

void RadioButton::onCheckMessage(bool checked) {
    checked_ = checked;
    if (notify_) control::tell(checked ? checkedListeners_ : uncheckedListeners_, this, 0);
}

void RadioButton::linkEnabledToCheck(IComponent* component) {
    enableWhenChecked(component);
    disableWhenUnchecked(component);
}

void RadioButton::linkDisabledToCheck(IComponent* component) {
    disableWhenChecked(component);
    enableWhenUnchecked(component);
}

void RadioButton::linkEditableToCheck(IComponent* component) {
    editableWhenChecked(component);
    readOnlyWhenUnchecked(component);
}

void RadioButton::editableWhenChecked(IComponent* component) {
    switcher<events::Editabler>(kEditOnCheck, true)->addComponent(component);
}

void RadioButton::readOnlyWhenUnchecked(IComponent* component) {
    switcher<events::UnEditabler>(kLockOnUncheck, false)->addComponent(component);
}

void RadioButton::updateSize() {
    if (!m_hWnd) return;
    SetFont(captionFont_.getHandle(), TRUE);
    HDC dc = GetDC();
    HGDIOBJ old = ::SelectObject(dc, captionFont_.getHandle());
    SIZE extent{0, 0};
    ::GetTextExtentPoint32W(dc, text_.c_str(), int(text_.size()), &extent);
    ::SelectObject(dc, old);
    ReleaseDC(dc);
    const int32_t scale = system::getScreenScale();
    // An empty caption keeps the width 0.
    minWidth_ = extent.cx > 0 ? extent.cx + (scale >= 2 ? 24 : 18) * scale : 0;
    minHeight_ = extent.cy;
    prefWidth_ = minWidth_;
    prefHeight_ = minHeight_;
    validateParent();
}

void RadioButton::paintContent(HDC dc, const RECT& rc) {
    if (!drawer_) return;
    image::win::BufferedImage* image = image::win::BufferedImage::createSized(kScratchSize, kScratchSize);
    MemDC* scratch = image ? MemDC::forImage(m_hWnd, image, true) : nullptr;
    if (!scratch) return;
    // The background under the mark, enlarged, so the drawer can paint a smooth mark and
    // shrink it back.
    const int oldMode = ::SetStretchBltMode(scratch->getHdc(), HALFTONE);
    ::SetBrushOrgEx(scratch->getHdc(), 0, 0, nullptr);
    const int32_t top = rc.top + (rc.bottom - rc.top) / 2 - 6;
    ::StretchBlt(scratch->getHdc(), 0, 0, kScratchSize, kScratchSize, dc, rc.left, top, kMarkSize, kMarkSize, SRCCOPY);
    ::SetStretchBltMode(scratch->getHdc(), oldMode);
    drawer_->paint(dc, scratch->getHdc(), rc.left, rc.top, rc.right, rc.bottom, checked_, text_.c_str(), &captionFont_,
                   0xFFFFFF);
    scratch->release();
}

}  // namespace s::gui::win
