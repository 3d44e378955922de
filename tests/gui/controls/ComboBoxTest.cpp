// Combo boxes in a real window: rows mirrored into the platform list, owner-drawn rows
// (heading bars, rules, the highlight), the closed field painted by a skin drawer, the
// user's choice with the mouse, the previous-selection accessors, the deletion rules and
// relabelling on a language change. Real clicks go through SendInput (formtest::clickAt).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/controls/CheckBoxTestSupport.h"
#include "gui/controls/ComboBox.h"
#include "gui/drawer/IMenu.h"
#include "platform/lang/Localizer.h"

namespace {

using formtest::clickMiddleOf;
using formtest::Recorder;
using formtest::waitFor;
using s::gui::combobox::ComboBoxItem;
using s::gui::win::ComboBox;
namespace ComboBoxItemStyle = s::gui::combobox::ComboBoxItemStyle;

// A closed-field drawer that fills its rectangle and remembers what it was asked.
class FakeComboDrawer : public s::gui::drawer::ICombo {
public:
    std::atomic<int> paints{0};
    int32_t lastState = -1;
    std::wstring lastText;
    bool lastEnabled = false;
    s::gui::IFont* normal = nullptr;
    s::gui::IFont* disabled = nullptr;
    const wchar_t* getClassName() const override { return L"test_FakeComboDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, int32_t state, const wchar_t* text, s::gui::IFont*,
               bool enabled) override {
        const RECT rect{l, t, r, b};
        HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        lastState = state;
        lastText = text;
        lastEnabled = enabled;
        ++paints;
    }
    void setTextColor1(int, int, int) override {}
    void setTextColor2(int, int, int) override {}
    void setFrameColor(int, int, int) override {}
    void applyToFonts(s::gui::IFont* n, s::gui::IFont* d) override {
        normal = n;
        disabled = d;
    }
};

// A 200 x 20 device context the rows are drawn into.
class RowCanvas {
public:
    RowCanvas() {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, nullptr, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~RowCanvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    int count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) n += at(x, y) == c;
        return n;
    }
    static constexpr int kWidth = 200, kHeight = 20;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

class ComboBoxTest : public formtest::FormWindowTest {
protected:
    // Rows "row 0" .. "row n-1", each with its number as data.
    ComboBox* makeCombo(int n) {
        ComboBox* combo = ComboBox::create();
        for (int i = 0; i < n; ++i)
            combo->addItem(ComboBoxItem::createWithText((L"row " + std::to_wstring(i)).c_str(), i));
        return combo;
    }
    // Asks the combo box's parent to draw row index into the canvas, as the list does.
    void drawRow(ComboBox* combo, int index, UINT state, RowCanvas& canvas) {
        SetBkColor(canvas.dc, RGB(1, 2, 3));
        RECT all{0, 0, RowCanvas::kWidth, RowCanvas::kHeight};
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(canvas.dc, &all, white);
        DeleteObject(white);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = ComboBox::kControlId;
        dis.itemID = UINT(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = combo->m_hWnd;
        dis.hDC = canvas.dc;
        dis.rcItem = all;
        SendMessageW(panel->m_hWnd, WM_DRAWITEM, ComboBox::kControlId, reinterpret_cast<LPARAM>(&dis));
    }
    std::wstring listText(ComboBox* combo, int index) {
        wchar_t text[64] = {};
        SendMessageW(combo->m_hWnd, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    int listCount(ComboBox* combo) { return int(SendMessageW(combo->m_hWnd, CB_GETCOUNT, 0, 0)); }
    int listSelection(ComboBox* combo) { return int(SendMessageW(combo->m_hWnd, CB_GETCURSEL, 0, 0)); }
};

TEST_F(ComboBoxTest, TheListShowsTheRowsAndSelectsTheFirstWhenAttached) {
    ComboBox* combo = attach(makeCombo(3));
    EXPECT_EQ(listCount(combo), 3);
    EXPECT_EQ(listText(combo, 2), L"row 2");
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(listSelection(combo), 0);
    EXPECT_EQ(GetDlgCtrlID(combo->m_hWnd), 1020);
    EXPECT_EQ(GetWindowLongW(combo->m_hWnd, GWL_STYLE) & 0xFFFF,
              CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
}

TEST_F(ComboBoxTest, DeleteSelectedRemovesTheSelectedRowFromTheListToo) {
    ComboBox* combo = attach(makeCombo(6));
    Recorder chosen;
    combo->addSelectionListener(&chosen);
    combo->select(3, false);
    EXPECT_EQ(listSelection(combo), 3);
    combo->deleteSelected();
    ASSERT_EQ(combo->getItemCount(), 5);
    ASSERT_EQ(listCount(combo), 5);
    for (int i = 0; i < 5; ++i) EXPECT_NE(combo->getItem(i)->getData(), 3);
    EXPECT_EQ(listText(combo, 3), L"row 4");
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(listSelection(combo), 0);
    EXPECT_EQ(chosen.count, 0);
}

TEST_F(ComboBoxTest, SelectOnAnEmptyListChangesNothingAndPastTheEndSelectsRowZero) {
    ComboBox* combo = attach(ComboBox::create());
    combo->select(0, true);
    combo->select(4, true);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getSelectedItem(), nullptr);
    EXPECT_EQ(listSelection(combo), CB_ERR);

    combo->addItem(ComboBoxItem::createWithText(L"a", 1));
    combo->addItem(ComboBoxItem::createWithText(L"b", 2));
    combo->select(1, false);
    combo->select(9, false);
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(combo->getPreviousIndex(), 1);
    EXPECT_EQ(combo->getPreviousItem()->getData(), 2);
    EXPECT_EQ(listSelection(combo), 0);
}

TEST_F(ComboBoxTest, TheUsersChoiceWithTheMouseTellsTheListenersAndKeepsThePreviousRow) {
    ComboBox* combo = attach(makeCombo(5));
    combo->setFixedWidth(150);
    panel->doLayout();
    Recorder chosen;
    combo->addSelectionListener(&chosen);

    clickMiddleOf(combo->m_hWnd);  // opens the list
    ASSERT_TRUE(waitFor([&] { return SendMessageW(combo->m_hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    EXPECT_TRUE(combo->isDropped());
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->m_hWnd, &info));
    RECT list;
    GetWindowRect(info.hwndList, &list);
    const int rowHeight = int(SendMessageW(combo->m_hWnd, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowHeight, 0);
    // Row 3 of the open list.
    formtest::clickAt(list.left + 20, list.top + 2 + rowHeight * 3 + rowHeight / 2);

    ASSERT_TRUE(waitFor([&] { return chosen.count == 1; }));
    EXPECT_EQ(chosen.codes[0], 0);
    EXPECT_EQ(combo->getSelectedIndex(), 3);
    EXPECT_EQ(combo->getSelectedItem()->getData(), 3);
    EXPECT_EQ(combo->getPreviousIndex(), 0);
    EXPECT_EQ(combo->getPreviousItem()->getData(), 0);
    ASSERT_TRUE(waitFor([&] { return !combo->isDropped(); }));
}

TEST_F(ComboBoxTest, ASilentSelectDuringAReflectedChangeTellsNobody) {
    ComboBox* combo = attach(makeCombo(4));
    Recorder chosen;
    combo->addSelectionListener(&chosen);
    // The platform reports a change of the list's own selection through the parent.
    SendMessageW(combo->m_hWnd, CB_SETCURSEL, 2, 0);
    SendMessageW(panel->m_hWnd, WM_COMMAND, MAKEWPARAM(ComboBox::kControlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->m_hWnd));
    EXPECT_EQ(chosen.count, 1);
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    EXPECT_EQ(combo->getPreviousIndex(), 0);
    combo->select(1, false);
    combo->select(3, true);
    EXPECT_EQ(chosen.count, 2);
    EXPECT_EQ(combo->getPreviousIndex(), 1);
}

TEST_F(ComboBoxTest, TheOpenListIsWideEnoughForTheWidestRowAndTheScrollBarPastThirtyRows) {
    auto openWidth = [&](int rows) {
        ComboBox* combo = ComboBox::create();
        for (int i = 0; i < rows; ++i) combo->addItem(ComboBoxItem::createWithText(L"A fairly long entry", i));
        attach(combo);
        SendMessageW(panel->m_hWnd, WM_COMMAND, MAKEWPARAM(ComboBox::kControlId, CBN_DROPDOWN),
                     reinterpret_cast<LPARAM>(combo->m_hWnd));
        EXPECT_TRUE(combo->isDropped());
        const int width = int(SendMessageW(combo->m_hWnd, CB_GETDROPPEDWIDTH, 0, 0));
        SendMessageW(panel->m_hWnd, WM_COMMAND, MAKEWPARAM(ComboBox::kControlId, CBN_CLOSEUP),
                     reinterpret_cast<LPARAM>(combo->m_hWnd));
        EXPECT_FALSE(combo->isDropped());
        panel->removeChild(combo, true);
        return width;
    };
    const int thirty = openWidth(30), thirtyOne = openWidth(31);
    EXPECT_GT(thirty, 100);
    EXPECT_EQ(thirtyOne - thirty, GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ComboBoxTest, RowsAreDrawnWithTheirStyles) {
    ComboBox* combo = makeCombo(0);
    auto add = [&](const wchar_t* text, uint32_t style) {
        ComboBoxItem* item = ComboBoxItem::createWithText(text, 0);
        item->setListStyle(style);
        combo->addItem(item);
    };
    add(L"Heading", ComboBoxItemStyle::kHeading);
    add(L"", ComboBoxItemStyle::kMidRule);
    add(L"", ComboBoxItemStyle::kLightRule);
    add(L"Plain", 0);
    add(L"GREY", ComboBoxItemStyle::kGreyText | ComboBoxItemStyle::kBold);
    attach(combo);
    RowCanvas canvas;

    drawRow(combo, 0, 0, canvas);  // heading: a dark bar with rounded top corners
    EXPECT_EQ(canvas.at(3, 10), RGB(0x55, 0x55, 0x55));
    EXPECT_EQ(canvas.at(100, 1), RGB(0x55, 0x55, 0x55));
    EXPECT_EQ(canvas.at(0, 0), RGB(1, 2, 3));        // the corner is cut
    EXPECT_GT(canvas.count(RGB(255, 255, 255)), 0);  // white text on the bar

    drawRow(combo, 1, 0, canvas);  // mid rule
    EXPECT_EQ(canvas.at(100, 10), RGB(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(canvas.at(100, 5), RGB(1, 2, 3));
    EXPECT_EQ(canvas.at(1, 10), RGB(1, 2, 3));

    drawRow(combo, 2, 0, canvas);  // light rule, indented further
    EXPECT_EQ(canvas.at(100, 10), RGB(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(canvas.at(5, 10), RGB(1, 2, 3));

    drawRow(combo, 3, ODS_SELECTED, canvas);  // the highlight
    EXPECT_EQ(canvas.at(199, 0), GetSysColor(COLOR_HIGHLIGHT));
    drawRow(combo, 3, 0, canvas);  // not selected: the list's background
    EXPECT_EQ(canvas.at(199, 0), RGB(1, 2, 3));

    drawRow(combo, 4, ODS_SELECTED,
            canvas);  // grey text keeps its colour when selected
    EXPECT_GT(canvas.count(RGB(0x88, 0x88, 0x88)), 0);

    // A request for no row only draws the focus, and one for another window nothing.
    drawRow(combo, -1, 0, canvas);
    EXPECT_EQ(canvas.at(100, 10), RGB(255, 255, 255));
}

TEST_F(ComboBoxTest, TheClosedFieldIsPaintedByTheDrawerWithTheCurrentRow) {
    FakeComboDrawer drawer;
    ComboBox* combo = makeCombo(3);
    combo->setBackgroundColor(10, 20, 30, false);
    EXPECT_FALSE(combo->isTransparent());
    combo->setDrawer(&drawer, false);
    EXPECT_TRUE(combo->isTransparent());
    EXPECT_NE(drawer.normal, nullptr);
    EXPECT_NE(drawer.disabled, drawer.normal);
    attach(combo);
    combo->select(2, false);
    SetCursorPos(5, 5);  // away from the box
    drawer.paints = 0;
    combo->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_EQ(drawer.lastText, L"row 2");
    EXPECT_TRUE(drawer.lastEnabled);
    EXPECT_EQ(drawer.lastState, 0);
    // With the pointer over it the field is drawn hot.
    RECT r;
    GetWindowRect(combo->m_hWnd, &r);
    SetCursorPos(r.left + 5, r.top + 5);
    ASSERT_TRUE(waitFor([&] {
        POINT p;
        return GetCursorPos(&p) && p.x == r.left + 5;
    }));
    drawer.paints = 0;
    combo->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_EQ(drawer.lastState, 1);
    // The field row itself is not drawn over the drawer's work.
    RowCanvas canvas;
    drawRow(combo, 2, ODS_COMBOBOXEDIT, canvas);
    EXPECT_EQ(canvas.at(100, 10), RGB(255, 255, 255));

    combo->setEnabled(false);
    drawer.paints = 0;
    combo->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_FALSE(drawer.lastEnabled);
    combo->setParent(nullptr);
    combo->release();
}

TEST_F(ComboBoxTest, ALanguageChangeRelabelsOnlyRowsWithATextId) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(
        L"<pack><languages><entry tagName=\"eng\" engName=\"English\" "
        L"trueName=\"English\"/>"
        L"<entry tagName=\"deu\" engName=\"German\" "
        L"trueName=\"Deutsch\"/></languages>"
        L"<entries><entry id=\"1990004821\"><eng>Current Filter "
        L"Set</eng><deu>Aktuelle Filter</deu></entry>"
        L"</entries></pack>");
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);
    ComboBox* combo = ComboBox::create();
    combo->addItem(ComboBoxItem::createWithTextId(1990004821, localizer, -1));
    combo->addItem(ComboBoxItem::createWithText(L"My set", 5));
    attach(combo);
    EXPECT_EQ(listText(combo, 0), L"Current Filter Set");

    localizer->setLanguage(L"German");
    EXPECT_STREQ(combo->getItem(0)->getText(), L"Aktuelle Filter");
    EXPECT_EQ(listText(combo, 0), L"Aktuelle Filter");
    EXPECT_STREQ(combo->getItem(1)->getText(), L"My set");
    EXPECT_EQ(listSelection(combo), 0);
    panel->removeChild(combo, true);
    window->setLocalizer(nullptr);
    localizer->release();
}

TEST(ComboBoxPool, AReleasedBoxComesBackEmptyWithItsRowsBackInTheirPool) {
    ComboBox* combo = ComboBox::create();
    combo->addItem(ComboBoxItem::createWithText(L"a", 1));
    combo->select(0, false);
    combo->setPerItemFaces(true);
    combo->setFixedWidth(40);
    combo->release();
    ComboBox* again = ComboBox::create();
    EXPECT_EQ(again->getItemCount(), 0);
    EXPECT_EQ(again->getSelectedIndex(), -1);
    EXPECT_EQ(again->getItemSizeCode(), -2);
    EXPECT_FALSE(again->isTransparent());
    EXPECT_EQ(again->getBackgroundColor(), 0xFFFFFFu);
    EXPECT_STREQ(again->getClassName(), L"s_gui_win_ComboBox");
    again->release();
}

}  // namespace
