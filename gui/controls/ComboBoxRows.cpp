#include "gui/controls/ComboBoxRows.h"

#include "gui/controls/ComboBoxItem.h"

namespace s::gui::combobox {

ComboBoxItem* ComboBoxRows::at(int32_t index) const {
    if (index < 0 || index >= count()) return nullptr;
    return items_.at<ComboBoxItem>(uint32_t(index));
}

int32_t ComboBoxRows::indexOfData(intptr_t data) const {
    for (int32_t i = 0; i < count(); ++i)
        if (at(i)->getData() == data) return i;
    return -1;
}

void ComboBoxRows::add(ComboBoxItem* item) {
    if (!item) return;
    sink_->rowInserted(count(), item->getText());
    items_.push(item);
}

int32_t ComboBoxRows::insert(int32_t index, ComboBoxItem* item) {
    if (!item) return current_;
    if (index < 0) index = 0;
    if (index > count()) index = count();
    sink_->rowInserted(index, item->getText());
    items_.insertAt(uint32_t(index), item);
    if (previous_ >= index) ++previous_;
    if (current_ >= index) ++current_;
    return current_;
}

ComboBoxItem* ComboBoxRows::takeOut(int32_t index, bool tellWhenCurrent) {
    auto* item = at(index);
    items_.removeItem(item);
    sink_->rowRemoved(index);
    if (index == current_) {
        previous_ = current_ = -1;
        if (tellWhenCurrent) sink_->selectionChanged();
        return item;
    }
    // A previous row that is gone can no longer be answered.
    if (previous_ == index) previous_ = -1;
    if (previous_ > index) --previous_;
    if (current_ > index) --current_;
    return item;
}

ComboBoxItem* ComboBoxRows::remove(ComboBoxItem* item) {
    const int32_t index = item ? indexOf(item) : -1;
    return index < 0 ? nullptr : takeOut(index, true);
}

ComboBoxItem* ComboBoxRows::removeAt(int32_t index) { return at(index) ? takeOut(index, false) : nullptr; }

void ComboBoxRows::deleteItem(ComboBoxItem* item) { deleteAt(item ? indexOf(item) : -1); }

void ComboBoxRows::deleteAt(int32_t index) {
    ComboBoxItem* item = at(index);
    if (!item) return;
    if (current_ != 0) select(0, false);
    // Selecting row 0 never moves a row, so the index still names the same row.
    takeOut(index, false);
    item->release();
    // Row 0 itself went: the new first row takes its place.
    if (current_ < 0 && count() > 0) select(0, false);
}

void ComboBoxRows::deleteWithData(intptr_t data) { deleteAt(indexOfData(data)); }

void ComboBoxRows::deleteSelected() {
    ComboBoxItem* item = currentItem();
    if (!item) return;
    takeOut(current_, false);
    item->release();
    if (count() > 0) select(0, false);
}

void ComboBoxRows::select(int32_t index, bool notify) {
    if (count() == 0) return;
    if (index < 0 || index >= count()) index = 0;
    if (index == current_) return;
    sink_->showSelection(index);
    previous_ = current_;
    current_ = index;
    if (notify) sink_->selectionChanged();
}

void ComboBoxRows::selectByData(intptr_t data, bool notify) {
    const int32_t index = indexOfData(data);
    if (index >= 0) select(index, notify);
}

void ComboBoxRows::userSelected(int32_t index, bool notify) {
    if (index < -1 || index >= count() || index == current_) return;
    previous_ = current_;
    current_ = index;
    if (notify) sink_->selectionChanged();
}

void ComboBoxRows::windowFilled() {
    if (at(current_)) {
        sink_->showSelection(current_);
    } else if (count() > 0) {
        current_ = 0;
        sink_->showSelection(0);
    }
}

void ComboBoxRows::clear() {
    for (int32_t i = 0; i < count(); ++i) at(i)->release();
    items_.clear();
    current_ = previous_ = -1;
}

}  // namespace s::gui::combobox
