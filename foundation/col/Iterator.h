// Pooled cursors walking an array or a string by element address.
#pragma once

#include <cstdint>

#include "foundation/col/Collection.h"
#include "foundation/thread/Pool.h"

namespace s::col {

// The state both cursors share: index (-1 before the first element), the collection
// (not owned) and the address of the element the next step returns. Forward walks keep
// index one below the element under the address; cursors made at the end keep them equal,
// so previous() then yields the last element with index count - 1.
class ElementCursor : public IteratorBase, public thread::IPoolable {
public:
    int32_t getIndex() const override { return index_; }
    void setIndex(int32_t index) override { index_ = index; }
    bool hasNext() const override { return int64_t(index_) < int64_t(collectionCount()) - 1; }
    bool hasPrevious() const override { return index_ > 0; }
    void skipForward(uint32_t n) override {
        address_ += size_t(n) * elementSize_;
        index_ += int32_t(n);
    }
    void skipBack(uint32_t n) override {
        address_ -= size_t(n) * elementSize_;
        index_ -= int32_t(n);
    }
    void* next() override {
        uint8_t* a = address_;
        address_ += elementSize_;
        ++index_;
        return a;
    }
    void* previous() override {
        address_ -= elementSize_;
        --index_;
        return address_;
    }
    void reset() override {
        index_ = -1;
        collection_ = nullptr;
        address_ = nullptr;
    }
    const void* collection() const { return collection_; }

protected:
    virtual uint32_t collectionCount() const = 0;
    void bind(const void* collection, void* address, int32_t index, uint32_t elementSize) {
        collection_ = collection;
        address_ = static_cast<uint8_t*>(address);
        index_ = index;
        elementSize_ = elementSize;
    }

    int32_t index_ = -1;
    const void* collection_ = nullptr;
    uint8_t* address_ = nullptr;
    uint32_t elementSize_ = 1;
};

}  // namespace s::col

namespace s::col::_array {

class ArrayBase;

// Cursor over an array; element size 1 << the array's shift.
class Iterator final : public ElementCursor {
    S_POOLED(Iterator, L"s_col_array_Iterator")
public:
    // A pooled cursor whose next step returns element `position`, with the given index.
    static Iterator* open(const ArrayBase* array, uint32_t position, int32_t index);

protected:
    uint32_t collectionCount() const override;
};

}  // namespace s::col::_array

namespace s::str::strbuffer {

class StrBuffer;

// Cursor over the units of a string (element size 2).
class Iterator final : public col::ElementCursor {
    S_POOLED(Iterator, L"s_str_strbuffer_Iterator")
public:
    static Iterator* open(StrBuffer* s, uint32_t position, int32_t index);

protected:
    uint32_t collectionCount() const override;
};

}  // namespace s::str::strbuffer
