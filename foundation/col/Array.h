// Growable arrays: object pointers (ArrayP) and plain numbers (ArrayU08, ArrayS08,
// ArrayS32, ArrayU32), sharing one body parameterised by the element size. Every array
// is also a byte stream over its elements (input and output views share one position).
#pragma once

#include <cstdint>

#include "foundation/col/ArrayGrowth.h"
#include "foundation/col/Collection.h"
#include "foundation/io/Stream.h"
#include "foundation/thread/Pool.h"

namespace s::col::_array {

namespace detail {
// The collection's clear empties the array; the stream views' clear only rewinds.
class CollectionView : public ICollection {
public:
    void clear() override { clearElements(); }
protected:
    virtual void clearElements() = 0;
};
}  // namespace detail

class ArrayBase : public detail::CollectionView,
                  public io::IInputStreamable,
                  public IEnumerable,
                  public io::RewindingInputView,
                  public io::RewindingOutputView {
public:
    using detail::CollectionView::clear;

    ~ArrayBase() override;
    ArrayBase(const ArrayBase&) = delete;
    ArrayBase& operator=(const ArrayBase&) = delete;

    // Storage. reserve: exactly n when short, never shrinks. ensureCapacity: growth rule
    // from the current capacity until >= n. growOnce: one growth step. False when the
    // allocation failed (the array is then unchanged).
    bool reserve(uint32_t n);
    bool ensureCapacity(uint32_t n);
    bool growOnce();

    uint32_t capacity() const { return capacity_; }
    uint8_t shift() const { return shift_; }
    uint32_t elementSize() const { return 1u << shift_; }
    void* data() const { return items_; }
    void* slotAt(uint32_t index) const { return static_cast<uint8_t*>(items_) + (size_t(index) << shift_); }
    uint32_t streamPosition() const { return position_; }

    // ICollection
    const wchar_t* getName() const override { return getClassName(); }
    void copyTo(ICollection* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n = -1) const override;
    void copyFrom(const ICollection* src, uint32_t srcIndex, uint32_t dstIndex, int32_t n = -1) override;
    uint32_t count() const override { return count_; }
    bool setCount(uint32_t n) override;
    uint64_t byteCount(int64_t n = -1) const override;
    void copyOut(void* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n = -1) const override;
    void put(const void* src, uint32_t n, uint32_t srcIndex, uint32_t dstIndex) override;
    bool append(const void* src, uint32_t n, uint32_t srcIndex = 0) override;
    bool prepend(const void* src, uint32_t n, uint32_t srcIndex = 0) override;
    bool insert(uint32_t index, const void* src, uint32_t n, uint32_t srcIndex = 0) override;
    void dropLast(uint32_t n) override;
    void dropFirst(uint32_t n) override;
    void removeRange(uint32_t index, uint32_t n) override;
    void popLast(void* dst, uint32_t n, uint32_t dstIndex = 0) override;
    void popFirst(void* dst, uint32_t n, uint32_t dstIndex = 0) override;
    void takeRange(uint32_t index, void* dst, uint32_t n, uint32_t dstIndex = 0) override;
    int compareElements(uint32_t index, const void* other, uint32_t otherCount, uint32_t otherIndex,
                        int32_t n = -1) const override;
    void freeStorage() override;
    void swapAt(uint32_t i, uint32_t j) override;
    void reverse() override;
    uint32_t sampleCount() const override { return 5; }
    str::strbuffer::StrBuffer* toText(str::strbuffer::StrBuffer* out, bool append) const override;
    str::strbuffer::StrBuffer* toXml(str::strbuffer::StrBuffer* out, bool append) const override;
    str::strbuffer::StrBuffer* toHex(str::strbuffer::StrBuffer* out, bool append) const override;
    str::strbuffer::StrBuffer* digest(digest::IDigester* digester, str::strbuffer::StrBuffer* out,
                                      bool append) const override;
    void swapWith(uint32_t i, uint32_t j, void* temp) override;

    // Object: with a comparator its compare(this, other); else fewer elements is smaller,
    // then element by element through getComparator.
    int compareTo(const base::IComparable* other, const base::IComparator* comparator = nullptr) const override;

    // IEnumerable and IInputStreamable. The cursor makers and openInputStream are defined
    // beside the array cursor (s::col::_array::Iterator) and the collection input stream.
    IteratorBase* iterator() override;
    IteratorBase* iteratorAtEnd() override;
    IteratorBase* iteratorAt(int32_t i) override;
    IteratorBase* iteratorFromEnd(int32_t n) override;
    void* elementAt(uint32_t i) override { return slotAt(i); }
    io::IInputStream* openInputStream() override;

    // Stream views over the element bytes (shared position).
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
    bool write(const void* data, uint32_t length, uint32_t& count) override;
    bool flush() override { return true; }
    bool truncate() override { return true; }
    void close() override { position_ = 0; }
    uint64_t getPosition() override { return position_; }
    bool isSeekable() override { return true; }
    void rewind() override { position_ = 0; }
    uint64_t seekToEnd() override;
    void seek(uint64_t position) override { position_ = uint32_t(position); }
    uint64_t seekFromEnd(uint64_t n) override;
    void skip(uint64_t n) override { position_ += uint32_t(n); }
    void skipBack(uint64_t n) override { position_ -= uint32_t(n); }
    void dispose() override { position_ = 0; }

protected:
    explicit ArrayBase(uint8_t shift) : shift_(shift) {}
    // Whether n elements can be counted at all (sizes are worked out in 64 bits, so a
    // request past the 32-bit count fails instead of wrapping round to a small one).
    static bool fitsCount(uint64_t n);
    // clear(): count 0 and stream position 0; storage and items untouched.
    void clearElements() override;
    // Frees the block and zeroes count, capacity and position (no item destroyer).
    void freeBlock();
    // Makes room for n elements at index (moving the tail up); false when allocation failed.
    bool openGap(uint32_t index, uint32_t n);

    uint8_t shift_;
    void* items_ = nullptr;
    uint32_t count_ = 0;
    uint32_t capacity_ = 0;
    uint32_t position_ = 0;
};

// Typed element access shared by the concrete arrays (inline, no virtual calls).
template <class E, class Derived>
class TypedArray : public ArrayBase {
public:
    static_assert(sizeof(E) == 1 || sizeof(E) == 4 || sizeof(E) == 8, "element size");

    E* items() const { return static_cast<E*>(items_); }
    E get(uint32_t i) const { return static_cast<E*>(items_)[i]; }
    E& operator[](uint32_t i) { return static_cast<E*>(items_)[i]; }
    const E& operator[](uint32_t i) const { return static_cast<const E*>(items_)[i]; }
    E last() const { return static_cast<E*>(items_)[count_ - 1]; }

    // One growth step when full, then append.
    Derived* push(E value) {
        if (count_ == capacity_ && !growOnce()) return static_cast<Derived*>(this);
        static_cast<E*>(items_)[count_++] = value;
        return static_cast<Derived*>(this);
    }

protected:
    TypedArray() : ArrayBase(sizeof(E) == 1 ? 0 : sizeof(E) == 4 ? 2 : 3) {}
};

// Array of object pointers with an optional item destroyer (not owned). With a destroyer
// set, freeStorage and removeAtAndRelease hand the items to it.
class ArrayP : public TypedArray<void*, ArrayP> {
    S_POOLED(ArrayP, L"s_col__array_ArrayP")
public:
    ArrayP() = default;
    explicit ArrayP(base::IDestructor* destroyer) : destroyer_(destroyer) {}
    ~ArrayP() override;

    void setDestroyer(base::IDestructor* d) { destroyer_ = d; }
    base::IDestructor* getDestroyer() const { return destroyer_; }
    template <class T> T* at(uint32_t i) const { return static_cast<T*>(get(i)); }

    // index = count pushes; otherwise shiftUp(index) and store.
    ArrayP* insertAt(uint32_t index, void* item);
    // Makes a hole at index: reserves exactly count + 1, moves the tail up, raises the count.
    bool shiftUp(uint32_t index);
    // Removes the element at pos - 1 by moving the elements from pos down one place.
    void shiftDown(uint32_t pos);
    // Removes the pointer (found by identity) and returns it without destroying it; null when absent.
    void* removeItem(void* item);
    // Removes the element at index and hands it to the destroyer when there is one.
    void removeAtAndRelease(uint32_t index);
    // Index of the pointer (by identity), -1 when absent.
    int32_t indexOf(const void* item) const;

    void freeStorage() override;
    void reset() override;
    const void* sampleData() const override;
    void appendElementText(str::strbuffer::StrBuffer* out, const void* element) const override;
    void appendElementHex(str::strbuffer::StrBuffer* out, const void* elements, uint32_t n) const override;
    const base::IComparator* getComparator() const override;

private:
    base::IDestructor* destroyer_ = nullptr;
};

#define S_NUMBER_ARRAY(T, E, NAME) \
    class T : public TypedArray<E, T> { \
        S_POOLED(T, NAME) \
    public: \
        T() = default; \
        void reset() override { freeStorage(); } \
        const void* sampleData() const override; \
        void appendElementText(str::strbuffer::StrBuffer* out, const void* element) const override; \
        void appendElementHex(str::strbuffer::StrBuffer* out, const void* elements, uint32_t n) const override; \
        const base::IComparator* getComparator() const override; \
    };

S_NUMBER_ARRAY(ArrayU08, uint8_t, L"s_col__array_ArrayU08")
S_NUMBER_ARRAY(ArrayS08, int8_t, L"s_col__array_ArrayS08")
S_NUMBER_ARRAY(ArrayS32, int32_t, L"s_col__array_ArrayS32")
S_NUMBER_ARRAY(ArrayU32, uint32_t, L"s_col__array_ArrayU32")

#undef S_NUMBER_ARRAY

}  // namespace s::col::_array
