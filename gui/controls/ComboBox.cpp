#include "gui/controls/ComboBox.h"

#include <algorithm>
#include <cstdlib>

#include "gui/drawer/DefaultDrawers.h"
#include "gui/drawer/IMenu.h"
#include "gui/skin/ISkin.h"
#include "gui/skin/ISkinner.h"
#include "platform/lang/Localizer.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

using combobox::ComboBoxItem;
namespace ComboBoxItemStyle = combobox::ComboBoxItemStyle;

namespace {

constexpr COLORREF kDisabledText = 0x92A1A1;
constexpr COLORREF kGreyText = 0x888888;
constexpr COLORREF kWhiteText = 0xFFFFFF;
constexpr COLORREF kHeadingBar = 0x555555;
constexpr COLORREF kMidRule = 0xAAAAAA;
constexpr COLORREF kLightRule = 0xEEEEEE;
// More rows than this give the open list a scroll bar.
constexpr int32_t kRowsWithoutScrollBar = 30;

void fill(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour) {
    if (w <= 0 || h <= 0) return;
    const RECT r{x, y, x + w, y + h};
    control::fillRect(dc, r, colour);
}

SIZE textExtent(HDC dc, const wchar_t* text) {
    SIZE size{0, 0};
    ::GetTextExtentPoint32W(dc, text, int(wcslen(text)), &size);
    return size;
}

}  // namespace

ComboBox::ComboBox() : rows_(this) { reset(); }

ComboBox::~ComboBox() { reset(); }

void ComboBox::reset() {
    setVisible(true, true);
    setParent(nullptr);
    resetControl(0xFFFFFF, false);
    listFont_.reset();
    drawerFont_.reset();
    disabledDrawerFont_.reset();
    for (Font* f : {&drawerFont_, &disabledDrawerFont_}) {
        f->setSizeCode(-2);
        f->setBold(true);
    }
    rows_.clear();
    selectionListeners_.clear();
    if (drawer_ && drawerOwned_) drawer::releaseDrawer(drawer_);
    drawer_ = nullptr;
    drawerOwned_ = false;
    dropped_ = false;
    drawCounter_ = 0;
    savedTop_ = -1;
    notify_ = true;
    perItemFaces_ = false;
}

// --- Rows and selection ---

void ComboBox::select(int32_t index, bool notify) {
    notify_ = notify;
    rows_.select(index, notify);
    notify_ = true;
}

void ComboBox::selectByData(intptr_t data, bool notify) {
    notify_ = notify;
    rows_.selectByData(data, notify);
    notify_ = true;
}

void ComboBox::rowInserted(int32_t index, const wchar_t* text) {
    if (m_hWnd) InsertString(index, text);
}

void ComboBox::rowRemoved(int32_t index) {
    if (m_hWnd) DeleteString(UINT(index));
}

void ComboBox::showSelection(int32_t index) {
    if (m_hWnd) SetCurSel(index);
}

void ComboBox::selectionChanged() { control::tell(selectionListeners_, this, 0); }

// --- Fonts, drawer, state ---

int32_t ComboBox::listLineHeight() {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, listFont_.getHandle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return tm.tmHeight + tm.tmExternalLeading;
}

void ComboBox::setSizeCode(int32_t code) {
    listFont_.setSizeCode(code);
    if (m_hWnd) {
        SetFont(listFont_.getHandle(), TRUE);
        SetItemHeight(-1, UINT(listLineHeight()));
    }
    repaint();
    updateSize();
}

void ComboBox::setItemSizeCode(int32_t code) {
    drawerFont_.setSizeCode(code);
    disabledDrawerFont_.setSizeCode(code);
    if (drawer_) {
        drawer_->applyToFonts(&drawerFont_, &disabledDrawerFont_);
        repaint();
    }
    updateSize();
}

void ComboBox::setDrawer(drawer::ICombo* drawer, bool owned) {
    if (drawer_ && drawerOwned_ && drawer_ != drawer) drawer::releaseDrawer(drawer_);
    drawer_ = drawer;
    drawerOwned_ = owned;
    if (drawer_) drawer_->applyToFonts(&drawerFont_, &disabledDrawerFont_);
    transparent_ = true;
    repaint();
}

void ComboBox::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (m_hWnd) EnableWindow(enabled);
}

void ComboBox::setSizeClamped(int32_t w, int32_t h) {
    auto clamp = [](int32_t v, const layout::SizeHint& hint, int32_t minimum, int32_t preferred) {
        v = hint.fixed >= 0 ? hint.fixed : std::max(v, minimum);
        return std::min(v, preferred);
    };
    setSize(clamp(w, widthHint_, getMinWidth(), getPreferredWidth()),
            clamp(h, heightHint_, getMinHeight(), getPreferredHeight()));
}

// --- Services ---

void ComboBox::attachServices() {
    if (lang::Localizer* l = control::localizerOf(window_)) l->addListener(this);
    if (drawer::ISkinner* s = control::skinnerOf(window_)) {
        if (drawer::ISkin* skin = s->getCurrentSkin()) setDrawer(skin->getComboDrawer(), false);
        s->addListener(this);
    }
}

void ComboBox::detachServices() {
    if (lang::Localizer* l = control::localizerOf(window_)) l->removeListener(this);
    if (drawer::ISkinner* s = control::skinnerOf(window_)) s->removeListener(this);
}

void ComboBox::onEvent(base::IObject* source, int32_t) {
    lang::Localizer* l = control::localizerOf(window_);
    if (l && source == l) {
        for (int32_t i = 0; i < rows_.count(); ++i) {
            ComboBoxItem* item = rows_.at(i);
            if (!item->getOwner() || item->getTextId() == -1) continue;
            item->relabel();
            // The list keeps its own copy of each text (type-ahead, the drop-down width).
            if (m_hWnd) {
                DeleteString(UINT(i));
                InsertString(i, item->getText());
            }
        }
        if (m_hWnd) {
            SetCurSel(rows_.current());
            Invalidate(FALSE);
        }
        return;
    }
    drawer::ISkinner* s = control::skinnerOf(window_);
    if (s && source == s->asObject()) {
        if (drawer::ISkin* skin = s->getCurrentSkin()) setDrawer(skin->getComboDrawer(), false);
    }
}

// --- Window ---

bool ComboBox::createWindow(CWnd* parentWnd) {
    if (!parentWnd || !Create(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              RECT{0, 0, 0, 0}, parentWnd, kControlId))
        return false;
    SetFont(listFont_.getHandle(), TRUE);
    const int32_t line = listLineHeight();
    SetItemHeight(-1, UINT(line));
    SetItemHeight(0, UINT(line));
    for (int32_t i = 0; i < rows_.count(); ++i) AddString(rows_.at(i)->getText());
    rows_.windowFilled();
    return true;
}

void ComboBox::updateSize() {
    if (!m_hWnd) return;
    const int32_t scale = system::getScreenScale();
    minWidth_ = prefWidth_ = 50 * scale;
    minHeight_ = prefHeight_ = 26 * scale;
    validateParent();
}

HBRUSH ComboBox::colorBrush(HDC dc) {
    if (brush_) ::DeleteObject(brush_);
    brush_ = nullptr;
    ::SetTextColor(dc, listFont_.getColor());
    if (transparent_) {
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    const COLORREF colour = enabled_ ? background_ : ::GetSysColor(COLOR_BTNFACE);
    ::SetBkColor(dc, colour);
    brush_ = ::CreateSolidBrush(colour);
    return brush_;
}

void ComboBox::paintField() {
    control::paintBuffered(m_hWnd, parent_, transparent_, background_, [this](HDC dc, const RECT& rc) {
        POINT p{-32767, -32767};
        if (::GetCursorPos(&p)) {
            RECT wr;
            GetWindowRect(&wr);
            p.x -= wr.left;
            p.y -= wr.top;
        }
        const bool hot = ::PtInRect(&rc, p) != FALSE;
        const int32_t state = dropped_ ? 2 : hot ? 1 : 0;
        const ComboBoxItem* item = rows_.currentItem();
        drawer_->paint(dc, rc.left, rc.top, rc.right, rc.bottom, state, item ? item->getText() : L"",
                       enabled_ ? &drawerFont_ : &disabledDrawerFont_, enabled_);
    });
}

IFont* ComboBox::rowFont(const ComboBoxItem* item, uint32_t styleWord) {
    const bool bold = (styleWord & (ComboBoxItemStyle::kBold | ComboBoxItemStyle::kHeading)) != 0;
    const wchar_t* face = nullptr;
    if (perItemFaces_) {
        face = item->isSeparator() ? kSeparatorFace : reinterpret_cast<const wchar_t*>(item->getData());
    }
    if (!bold && !face) return &listFont_;
    Font* font = Font::create();
    if (face && *face) font->setFace(face);
    if (bold) font->setBold(true);
    font->inheritFromFont(&listFont_);
    return font;
}

void ComboBox::releaseRowFont(IFont* font) {
    if (font && font != &listFont_) static_cast<Font*>(font)->release();
}

void ComboBox::placeOpenList() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    int32_t rowsShown = 20;
    RECT listRect;
    if (::GetComboBoxInfo(m_hWnd, &info) && info.hwndList && ::GetWindowRect(info.hwndList, &listRect)) {
        const int32_t field = GetItemHeight(-1);
        if (field > 0) rowsShown = (listRect.bottom - listRect.top) / field;
    }
    const int32_t selected = GetCurSel();
    const int32_t top = savedTop_;
    if (top >= 0 && std::abs(selected - top) < rowsShown)
        SetTopIndex(std::min(top, selected));
    else if (rowsShown > 3)
        SetTopIndex(std::max(0, selected - rowsShown / 2));
}

void ComboBox::drawRow(DRAWITEMSTRUCT* dis) {
    if (dropped_ && drawCounter_++ == 0) placeOpenList();
    const bool field = (dis->itemState & ODS_COMBOBOXEDIT) != 0;
    // The skin's drawer paints the closed field itself.
    if (drawer_ && field) return;
    HDC dc = dis->hDC;
    const RECT& rc = dis->rcItem;
    if (dis->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &rc);
    const ComboBoxItem* item = rows_.at(int32_t(dis->itemID));
    if (int32_t(dis->itemID) < 0 || !item) return;

    const int saved = ::SaveDC(dc);
    const uint32_t word = field ? item->getFieldStyle() : item->getListStyle();
    const bool heading = (word & ComboBoxItemStyle::kHeading) != 0;
    const bool midRule = (word & ComboBoxItemStyle::kMidRule) != 0;
    const bool lightRule = (word & ComboBoxItemStyle::kLightRule) != 0;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;

    COLORREF textColour = listFont_.getColor();
    if (heading || midRule || lightRule || !selected) {
        fill(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, ::GetBkColor(dc));
        if (!enabled_) textColour = kDisabledText;
    } else {
        fill(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, ::GetSysColor(COLOR_HIGHLIGHT));
        textColour = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    ::SetBkMode(dc, TRANSPARENT);
    if (word & ComboBoxItemStyle::kGreyText) textColour = kGreyText;
    if (word & ComboBoxItemStyle::kWhiteText) textColour = kWhiteText;
    if (heading) textColour = kWhiteText;
    ::SetTextColor(dc, textColour);

    IFont* font = rowFont(item, word);
    ::SelectObject(dc, font->getHandle());

    const wchar_t* text = item->getText();
    const SIZE extent = textExtent(dc, text);
    const int32_t w = rc.right - rc.left, h = rc.bottom - rc.top;
    int32_t x = rc.left + 2;
    const int32_t y = rc.top + (h - extent.cy) / 2;
    bool withText = true;
    if (heading) {
        x = rc.left + (w - extent.cx) / 2;
        fill(dc, rc.left + 5, rc.top, w - 10, 1, kHeadingBar);
        fill(dc, rc.left + 3, rc.top + 1, w - 6, 1, kHeadingBar);
        fill(dc, rc.left + 2, rc.top + 2, w - 4, 1, kHeadingBar);
        fill(dc, rc.left + 1, rc.top + 3, w - 2, 2, kHeadingBar);
        fill(dc, rc.left, rc.top + 5, w, h - 5, kHeadingBar);
    } else if (midRule) {
        fill(dc, rc.left + 2, rc.top + h / 2, w - 4, 1, kMidRule);
        withText = false;
    } else if (lightRule) {
        fill(dc, rc.left + 7, rc.top + h / 2, w - 14, 1, kLightRule);
        withText = false;
    }
    if (withText) ::TextOutW(dc, x, y, text, int(wcslen(text)));

    ::RestoreDC(dc, saved);
    releaseRowFont(font);
}

void ComboBox::measureDropDown() {
    const int32_t n = GetCount();
    HDC dc = GetDC();
    const int saved = ::SaveDC(dc);
    int32_t widest = 0;
    for (int32_t i = 0; i < n; ++i) {
        const ComboBoxItem* item = rows_.at(i);
        if (!item) continue;
        IFont* font = rowFont(item, item->getListStyle());
        ::SelectObject(dc, font->getHandle());
        const std::wstring text = GetLBText(i);
        const SIZE extent = textExtent(dc, text.c_str());
        int32_t width = (n > kRowsWithoutScrollBar ? ::GetSystemMetrics(SM_CXVSCROLL) : 0) + extent.cx;
        if (item->getListStyle() & ComboBoxItemStyle::kHeading) width += 10;
        widest = std::max(widest, width);
        if (GetItemHeight(i) < extent.cy) SetItemHeight(i, UINT(extent.cy));
        releaseRowFont(font);
    }
    ::SelectObject(dc, listFont_.getHandle());
    const SIZE zero = textExtent(dc, L"0");
    ::RestoreDC(dc, saved);
    ReleaseDC(dc);
    SetDroppedWidth(UINT(widest + zero.cx));
}

bool ComboBox::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT:
            if (!drawer_) return false;
            paintField();
            return true;
        case WM_ERASEBKGND:
            if (!drawer_) return false;
            *result = 1;
            return true;
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            // The parent passes every owner-draw request to each of its combo boxes.
            if (!dis || dis->CtlType != ODT_COMBOBOX || dis->hwndItem != m_hWnd) return false;
            drawRow(dis);
            *result = TRUE;
            return true;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (!mis || mis->CtlType != ODT_COMBOBOX) return false;
            // Before the first layout the box has no height: one text line then.
            const int32_t rowHeight = height_ - 6;
            mis->itemHeight = UINT(rowHeight > 0 ? rowHeight : listLineHeight());
            *result = TRUE;
            return true;
        }
        case 0x0019:  // WM_CTLCOLOR
        case WM_CTLCOLORLISTBOX:
        case LibraryMessage::kReflectColor:
            *result = reinterpret_cast<LRESULT>(colorBrush(reinterpret_cast<HDC>(wParam)));
            return true;
        case LibraryMessage::kReflectDropDown:
            measureDropDown();
            dropped_ = true;
            drawCounter_ = 0;
            return true;
        case LibraryMessage::kReflectCloseUp:
            if (dropped_) {
                dropped_ = false;
                if (drawer_) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                savedTop_ = GetTopIndex();
            }
            return true;
        case LibraryMessage::kReflectSelChange:
            rows_.userSelected(GetCurSel(), notify_);
            repaint();
            return true;
        case WM_KEYDOWN:
            // The owner decides about keys: a non-zero answer lets the list have it.
            if (parentWnd_ && parentWnd_->m_hWnd && ::SendMessageW(parentWnd_->m_hWnd, message, wParam, lParam) != 0)
                return false;
            return true;
        case WM_DESTROY: return false;
        default: return preHandleCommon(result, message, wParam, lParam, false, false);
    }
}

}  // namespace s::gui::win
