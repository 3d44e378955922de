// The rows of a combo box and its current and previous selection, without the window:
// every rule about which row is selected after an insertion, a removal or a deletion
// lives here, and the combo box mirrors each change into its window through the sink.
//
//   ComboBoxRows rows(&sink);           // sink: the window side (may be a test recorder)
//   rows.add(ComboBoxItem::createWithText(L"JPEG", 0));
//   rows.select(0, true);               // sink.showSelection(0), then sink.selectionChanged()
//
// Indices are checked everywhere: an index outside the rows reads as "no row" (null).
// The rows are owned: deleted rows and the rows left at clear() go back to their pool.
#pragma once

#include <cstdint>

#include "foundation/col/Array.h"

namespace s::gui::combobox {

class ComboBoxItem;

class ComboBoxRows {
public:
    // What the window side does for each change of the rows or the selection.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void rowInserted(int32_t index, const wchar_t* text) = 0;
        virtual void rowRemoved(int32_t index) = 0;
        // The list shows index as its selection (-1: none).
        virtual void showSelection(int32_t index) = 0;
        // The selection listeners are told (code 0).
        virtual void selectionChanged() = 0;
    };

    explicit ComboBoxRows(Sink* sink) : sink_(sink) {}
    ~ComboBoxRows() { clear(); }
    ComboBoxRows(const ComboBoxRows&) = delete;
    ComboBoxRows& operator=(const ComboBoxRows&) = delete;

    int32_t count() const { return int32_t(items_.count()); }
    // Null outside 0 .. count - 1.
    ComboBoxItem* at(int32_t index) const;
    int32_t indexOf(const ComboBoxItem* item) const { return items_.indexOf(item); }
    int32_t indexOfData(intptr_t data) const;

    // Appends (null is ignored).
    void add(ComboBoxItem* item);
    // Inserts at index (clamped into 0 .. count); the selection keeps its row. Answers
    // the current index.
    int32_t insert(int32_t index, ComboBoxItem* item);
    // Takes the row out and hands it back, not released; null when absent. Removing the
    // current row clears both indices and tells the listeners; removeAt does not tell.
    ComboBoxItem* remove(ComboBoxItem* item);
    ComboBoxItem* removeAt(int32_t index);
    // Row 0 is selected silently first (unless it is current), then the row goes out and
    // back to its pool; when that was row 0, the new row 0 is selected silently.
    void deleteItem(ComboBoxItem* item);
    void deleteAt(int32_t index);
    // The first row with the data, as deleteAt.
    void deleteWithData(intptr_t data);
    // Deletes the row selected at the call; row 0 is then selected silently when rows
    // remain, else nothing is. Nothing when no row is selected.
    void deleteSelected();

    // Outside the rows means row 0; nothing at all on an empty list. When the row is new:
    // previous := current, current := index, and with notify the listeners are told.
    void select(int32_t index, bool notify);
    void selectByData(intptr_t data, bool notify);
    // The user chose row index in the list (-1: none): the indices follow, and with
    // notify the listeners are told. An index outside the rows is ignored.
    void userSelected(int32_t index, bool notify);
    // The window was made and filled: it shows the current row, or row 0 when none is
    // current and rows exist.
    void windowFilled();

    int32_t current() const { return current_; }
    int32_t previous() const { return previous_; }
    ComboBoxItem* currentItem() const { return at(current_); }
    ComboBoxItem* previousItem() const { return at(previous_); }

    // Every row back to its pool; both indices -1. The sink is not called.
    void clear();

private:
    // Takes the row at a valid index out and mirrors it; tellWhenCurrent raises the
    // event when it was the current row.
    ComboBoxItem* takeOut(int32_t index, bool tellWhenCurrent);

    Sink* sink_;
    col::_array::ArrayP items_;
    int32_t current_ = -1;
    int32_t previous_ = -1;
};

}  // namespace s::gui::combobox
