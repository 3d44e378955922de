#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/ComboBoxRows.h"

using s::gui::combobox::ComboBoxItem;
using s::gui::combobox::ComboBoxRows;

namespace {

// Records what the window side is asked to do, and mirrors the rows as a list does.
class RecordingSink : public ComboBoxRows::Sink {
public:
    std::vector<std::wstring> shown;  // the texts the list would hold
    std::vector<int32_t> cursor;      // every selection shown
    int events = 0;

    void rowInserted(int32_t index, const wchar_t* text) override { shown.insert(shown.begin() + index, text); }
    void rowRemoved(int32_t index) override { shown.erase(shown.begin() + index); }
    void showSelection(int32_t index) override { cursor.push_back(index); }
    void selectionChanged() override { ++events; }
};

class ComboBoxRowsTest : public ::testing::Test {
protected:
    RecordingSink sink;
    ComboBoxRows rows{&sink};

    // Rows "0" .. "n-1", each with its number as data.
    void fill(int n) {
        for (int i = 0; i < n; ++i) rows.add(ComboBoxItem::createWithText(std::to_wstring(i).c_str(), i));
    }
    std::wstring currentText() const {
        ComboBoxItem* item = rows.currentItem();
        return item ? item->getText() : L"<none>";
    }
};

}  // namespace

TEST_F(ComboBoxRowsTest, DeleteSelectedRemovesTheRowSelectedAtTheCallThenSelectsRowZeroSilently) {
    fill(6);
    rows.select(3, false);
    rows.deleteSelected();
    ASSERT_EQ(rows.count(), 5);
    for (int i = 0; i < rows.count(); ++i) EXPECT_NE(rows.at(i)->getData(), 3) << i;
    EXPECT_EQ(sink.shown, (std::vector<std::wstring>{L"0", L"1", L"2", L"4", L"5"}));
    EXPECT_EQ(rows.current(), 0);
    EXPECT_EQ(currentText(), L"0");
    EXPECT_EQ(sink.cursor.back(), 0);
    EXPECT_EQ(sink.events, 0);
}

TEST_F(ComboBoxRowsTest, DeleteSelectedOfTheLastRowLeavesNothingSelected) {
    fill(1);
    rows.select(0, false);
    rows.deleteSelected();
    EXPECT_EQ(rows.count(), 0);
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(rows.currentItem(), nullptr);
    rows.deleteSelected();  // nothing selected: nothing happens
    EXPECT_EQ(rows.current(), -1);
}

TEST_F(ComboBoxRowsTest, SelectOnAnEmptyListChangesNothingAndReadsStayInside) {
    rows.select(0, true);
    rows.select(5, true);
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(rows.currentItem(), nullptr);
    EXPECT_EQ(rows.previousItem(), nullptr);
    EXPECT_TRUE(sink.cursor.empty());
    EXPECT_EQ(sink.events, 0);
    EXPECT_EQ(rows.at(0), nullptr);
    EXPECT_EQ(rows.at(-1), nullptr);
    EXPECT_EQ(rows.removeAt(0), nullptr);
    rows.deleteAt(3);
    rows.userSelected(2, true);  // a stray notification for a row that does not exist
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(sink.events, 0);
}

TEST_F(ComboBoxRowsTest, SelectKeepsThePreviousRowAndTellsOnlyWhenAskedAndChanged) {
    fill(4);
    struct Case {
        int32_t index;
        bool notify;
        int32_t current, previous, events;
    };
    const Case cases[] = {
        {2, true, 2, -1, 1},  // first selection
        {2, true, 2, -1, 1},  // same row: nothing
        {1, false, 1, 2, 1},  // silent
        {9, true, 0, 1, 2},   // past the end: row 0
        {-4, true, 0, 1, 2},  // below 0: row 0, already current
        {3, true, 3, 0, 3},
    };
    for (const Case& c : cases) {
        rows.select(c.index, c.notify);
        EXPECT_EQ(rows.current(), c.current) << c.index;
        EXPECT_EQ(rows.previous(), c.previous) << c.index;
        EXPECT_EQ(sink.events, c.events) << c.index;
    }
    EXPECT_EQ(rows.previousItem()->getData(), 0);
    EXPECT_EQ(rows.currentItem()->getData(), 3);
}

TEST_F(ComboBoxRowsTest, InsertingAboveTheSelectionKeepsTheSameRowSelected) {
    fill(4);
    rows.select(1, false);
    rows.select(2, false);
    EXPECT_EQ(rows.insert(1, ComboBoxItem::createWithText(L"new", 99)), 3);
    EXPECT_EQ(rows.currentItem()->getData(), 2);
    EXPECT_EQ(rows.previousItem()->getData(), 1);
    EXPECT_EQ(sink.shown[1], L"new");
    // Past the end appends.
    rows.insert(50, ComboBoxItem::createWithText(L"tail", 100));
    EXPECT_EQ(sink.shown.back(), L"tail");
    EXPECT_EQ(rows.at(rows.count() - 1)->getData(), 100);
}

TEST_F(ComboBoxRowsTest, RemovingTheCurrentRowTellsThroughRemoveButNotThroughRemoveAt) {
    fill(4);
    rows.select(2, false);
    ComboBoxItem* taken = rows.remove(rows.at(2));
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(rows.previous(), -1);
    EXPECT_EQ(sink.events, 1);
    taken->release();  // handed back, not released by the rows

    rows.select(1, false);
    taken = rows.removeAt(1);
    EXPECT_EQ(taken->getData(), 1);
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(sink.events, 1);
    taken->release();

    ComboBoxItem* stranger = ComboBoxItem::createWithText(L"x", 0);
    EXPECT_EQ(rows.remove(stranger), nullptr);
    stranger->release();
}

TEST_F(ComboBoxRowsTest, RemovingARowAboveTheSelectionKeepsTheSameRowsAnswered) {
    fill(6);
    rows.select(4, false);
    rows.select(5, false);
    ComboBoxItem* taken = rows.removeAt(1);
    taken->release();
    EXPECT_EQ(rows.currentItem()->getData(), 5);
    EXPECT_EQ(rows.previousItem()->getData(), 4);
    // The previous row itself goes: no other row is answered in its place.
    taken = rows.removeAt(rows.previous());
    taken->release();
    EXPECT_EQ(rows.previous(), -1);
    EXPECT_EQ(rows.previousItem(), nullptr);
    EXPECT_EQ(rows.currentItem()->getData(), 5);
}

TEST_F(ComboBoxRowsTest, DeletingAnotherRowSelectsRowZeroSilentlyFirst) {
    fill(6);
    rows.select(5, false);
    rows.deleteAt(3);
    EXPECT_EQ(rows.count(), 5);
    EXPECT_EQ(rows.current(), 0);
    EXPECT_EQ(sink.events, 0);
    EXPECT_EQ(sink.shown, (std::vector<std::wstring>{L"0", L"1", L"2", L"4", L"5"}));

    rows.deleteItem(rows.at(4));  // data 5
    EXPECT_EQ(rows.indexOfData(5), -1);
    EXPECT_EQ(rows.current(), 0);
}

TEST_F(ComboBoxRowsTest, DeletingRowZeroLeavesTheNewRowZeroSelected) {
    fill(3);
    rows.select(2, false);
    rows.deleteAt(0);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.current(), 0);
    EXPECT_EQ(rows.currentItem()->getData(), 1);
    EXPECT_EQ(sink.cursor.back(), 0);
    EXPECT_EQ(sink.events, 0);
    rows.deleteAt(0);
    rows.deleteAt(0);  // the last row: nothing left to select
    EXPECT_EQ(rows.current(), -1);
    EXPECT_EQ(rows.currentItem(), nullptr);
}

TEST_F(ComboBoxRowsTest, DeleteWithDataTakesOnlyTheFirstMatchingRow) {
    rows.add(ComboBoxItem::createWithText(L"a", 7));
    rows.add(ComboBoxItem::createWithText(L"b", 8));
    rows.add(ComboBoxItem::createWithText(L"c", 7));
    rows.deleteWithData(7);
    ASSERT_EQ(rows.count(), 2);
    EXPECT_STREQ(rows.at(0)->getText(), L"b");
    EXPECT_STREQ(rows.at(1)->getText(), L"c");
    rows.deleteWithData(1234);  // absent: nothing
    EXPECT_EQ(rows.count(), 2);
}

TEST_F(ComboBoxRowsTest, UserSelectionAndSelectByDataFollowTheRows) {
    fill(3);
    rows.windowFilled();  // nothing current: row 0 shown and current
    EXPECT_EQ(rows.current(), 0);
    EXPECT_EQ(sink.cursor.back(), 0);
    rows.userSelected(2, true);
    EXPECT_EQ(rows.current(), 2);
    EXPECT_EQ(rows.previous(), 0);
    EXPECT_EQ(sink.events, 1);
    rows.userSelected(2, true);  // unchanged
    EXPECT_EQ(sink.events, 1);
    rows.userSelected(1, false);
    EXPECT_EQ(sink.events, 1);
    rows.selectByData(0, true);
    EXPECT_EQ(rows.current(), 0);
    EXPECT_EQ(sink.events, 2);
    rows.selectByData(77, true);
    EXPECT_EQ(rows.current(), 0);
}
