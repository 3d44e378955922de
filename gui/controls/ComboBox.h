// The owner-drawn drop-down list (see IComboBox.h). The rows and the current and previous
// selection live in ComboBoxRows; this class mirrors them into the platform combo box,
// draws the rows itself (bold, grey and white rows, heading bars, rules, and for font
// choosers each row in the face its data names) and lets the skin's combo drawer paint the
// closed field.
//
//   ComboBox* fonts = ComboBox::create();
//   fonts->setPerItemFaces(true);   // row data: the face name (const wchar_t*)
//   fonts->addItem(ComboBoxItem::createWithText(L"Arial", reinterpret_cast<intptr_t>(L"Arial")));
//   fonts->addItem(ComboBoxItem::createSeparator(L"----------------------------"));
//   panel->addChild(fonts);
//   fonts->addSelectionListener(&handler);   // code 0 when the user picks a row
#pragma once

#include <windows.h>

#include "framework/controls/ComboBoxCtrl.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/ComboBoxRows.h"
#include "gui/controls/Control.h"
#include "gui/controls/IComboBox.h"
#include "gui/fonts/Font.h"

namespace s::gui::drawer {
class ISkin;
}

namespace s::gui::win {

class ComboBox : public Control<IComboBox, CComboBox>, private combobox::ComboBoxRows::Sink {
    S_POOLED(ComboBox, L"s_gui_win_ComboBox")
public:
    static constexpr UINT kControlId = 1020;
    static constexpr const wchar_t* kSeparatorFace = L"MS Shell Dlg 2";

    ComboBox();
    ~ComboBox() override;

    // Adds the row (null is ignored); answers the box.
    ComboBox* withItem(combobox::ComboBoxItem* item) {
        if (item) addItem(item);
        return this;
    }

    // IComboBox: rows and selection
    int32_t getItemCount() override { return rows_.count(); }
    combobox::ComboBoxItem* getItem(int32_t index) override { return rows_.at(index); }
    void addItem(combobox::ComboBoxItem* item) override { rows_.add(item); }
    int32_t insertItem(int32_t index, combobox::ComboBoxItem* item) override { return rows_.insert(index, item); }
    combobox::ComboBoxItem* removeItem(combobox::ComboBoxItem* item) override { return rows_.remove(item); }
    combobox::ComboBoxItem* removeItemAt(int32_t index) override { return rows_.removeAt(index); }
    void deleteItem(combobox::ComboBoxItem* item) override { rows_.deleteItem(item); }
    void deleteItemAt(int32_t index) override { rows_.deleteAt(index); }
    void deleteItemsWithData(intptr_t data) override { rows_.deleteWithData(data); }
    void deleteSelected() override { rows_.deleteSelected(); }
    void select(int32_t index, bool notify) override;
    void selectByData(intptr_t data, bool notify) override;
    int32_t getSelectedIndex() override { return rows_.current(); }
    combobox::ComboBoxItem* getSelectedItem() override { return rows_.currentItem(); }
    int32_t getPreviousIndex() override { return rows_.previous(); }
    combobox::ComboBoxItem* getPreviousItem() override { return rows_.previousItem(); }
    void setPerItemFaces(bool on) override { perItemFaces_ = on; }

    // IComboBox: fonts and size
    int32_t getItemSizeCode() override { return drawerFont_.getSizeCode(); }
    void setItemSizeCode(int32_t code) override;
    int32_t getSizeCode() override { return listFont_.getSizeCode(); }
    void setFullSize() override {
        setWidthPercent(100);
        setHeightPercent(100);
    }
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void addSelectionListener(events::IEventListener* l) override {
        if (l) selectionListeners_.push(l);
    }
    void setDrawer(drawer::ICombo* drawer, bool owned) override;
    drawer::ICombo* getDrawer() const { return drawer_; }

    // ITextFont: the list font (the window's font, the rows and the measuring).
    void setSizeCode(int32_t code) override;
    const wchar_t* getFace() override { return listFont_.getFace(); }
    void setFace(const wchar_t* face) override {
        fontChange([&] { listFont_.setFace(face); });
    }
    uint32_t getTextColor() override { return listFont_.getColor(); }
    void setTextColor(int32_t r, int32_t g, int32_t b) override {
        fontChange([&] { listFont_.setColor(r, g, b); });
    }
    int32_t getFontHeight() override { return listFont_.getHeight(); }
    void setFontHeight(int32_t h) override {
        fontChange([&] { listFont_.setHeight(h); });
    }
    int32_t getFontWidth() override { return listFont_.getWidth(); }
    void setFontWidth(int32_t w) override {
        fontChange([&] { listFont_.setWidth(w); });
    }
    bool isBold() override { return listFont_.isBold(); }
    void setBold(bool on) override {
        fontChange([&] { listFont_.setBold(on); });
    }
    bool isItalic() override { return listFont_.isItalic(); }
    void setItalic(bool on) override {
        fontChange([&] { listFont_.setItalic(on); });
    }
    bool isUnderline() override { return listFont_.isUnderline(); }
    void setUnderline(bool on) override {
        fontChange([&] { listFont_.setUnderline(on); });
    }
    bool isStrikeOut() override { return listFont_.isStrikeOut(); }
    void setStrikeOut(bool on) override {
        fontChange([&] { listFont_.setStrikeOut(on); });
    }
    int32_t getWeight() override { return listFont_.getWeight(); }
    void setWeight(int32_t weight) override {
        fontChange([&] { listFont_.setWeight(weight); });
    }

    // IComponent
    void setEnabled(bool enabled) override;
    // Each axis: the fixed size when set, else at least the minimum; then at most the
    // preferred size.
    void setSizeClamped(int32_t w, int32_t h) override;
    // From the owner window's language pack: rows with a text id take their text again.
    // From its skinner: the new skin's combo drawer.
    void onEvent(base::IObject* source, int32_t code) override;

    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    void reset() override;

    Font* getListFont() { return &listFont_; }
    bool isDropped() const { return dropped_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;
    uint32_t textColor() override { return listFont_.getColor(); }

private:
    // ComboBoxRows::Sink: the window follows the rows.
    void rowInserted(int32_t index, const wchar_t* text) override;
    void rowRemoved(int32_t index) override;
    void showSelection(int32_t index) override;
    void selectionChanged() override;

    template <class F>
    void fontChange(F change) {
        change();
        if (m_hWnd) SetFont(listFont_.getHandle(), TRUE);
        updateSize();
    }
    // Height of a text line of the list font on the screen.
    int32_t listLineHeight();
    // The font a row is drawn and measured in with the style word: a pooled one when the
    // word makes it bold or with per-item faces (the row's face), else the list font.
    // releaseRowFont gives a pooled one back.
    IFont* rowFont(const combobox::ComboBoxItem* item, uint32_t styleWord);
    void releaseRowFont(IFont* font);
    void registerRows(lang::Localizer* localizer, bool on);

    void paintField();
    void drawRow(DRAWITEMSTRUCT* dis);
    void placeOpenList();
    void measureDropDown();
    HBRUSH colorBrush(HDC dc);

    combobox::ComboBoxRows rows_;
    Font listFont_;
    Font drawerFont_;
    Font disabledDrawerFont_;
    col::_array::ArrayP selectionListeners_;
    drawer::ICombo* drawer_ = nullptr;
    bool drawerOwned_ = false;
    bool dropped_ = false;
    int32_t drawCounter_ = 0;
    int32_t savedTop_ = -1;
    bool notify_ = true;
    bool perItemFaces_ = false;
};

}  // namespace s::gui::win
