#include "foundation/col/Array.h"

#include <cstdlib>
#include <cstring>

#include "foundation/comp/Comparator.h"

namespace s::col::_array {

namespace {

// Swaps two elements of 1, 4 or 8 bytes.
inline void swapElements(uint8_t* a, uint8_t* b, uint8_t shift) {
    switch (shift) {
        case 0: { uint8_t t = *a; *a = *b; *b = t; break; }
        case 2: { uint32_t t; std::memcpy(&t, a, 4); std::memcpy(a, b, 4); std::memcpy(b, &t, 4); break; }
        default: { uint64_t t; std::memcpy(&t, a, 8); std::memcpy(a, b, 8); std::memcpy(b, &t, 8); break; }
    }
}

// Source elements that live inside this array's own block are copied aside first, so
// that growing or moving the block cannot pull them from under the copy.
class SourceCopy {
public:
    SourceCopy(const ArrayBase* a, const void* src, size_t bytes) : src_(static_cast<const uint8_t*>(src)) {
        const uint8_t* lo = static_cast<const uint8_t*>(a->data());
        const uint8_t* hi = lo + (size_t(a->capacity()) << a->shift());
        if (lo && src_ < hi && src_ + bytes > lo && bytes) {
            copy_ = static_cast<uint8_t*>(std::malloc(bytes));
            if (copy_) std::memcpy(copy_, src_, bytes);
            failed_ = copy_ == nullptr;
            src_ = copy_;
        }
    }
    ~SourceCopy() { std::free(copy_); }
    const uint8_t* get() const { return src_; }
    bool failed() const { return failed_; }

private:
    const uint8_t* src_;
    uint8_t* copy_ = nullptr;
    bool failed_ = false;
};

}  // namespace

ArrayBase::~ArrayBase() { freeBlock(); }

// ---------------------------------------------------------------- storage

bool ArrayBase::reserve(uint32_t n) {
    if (capacity_ >= n) return true;
    void* block = std::realloc(items_, size_t(n) << shift_);
    if (!block) return false;
    items_ = block;
    capacity_ = n;
    return true;
}

bool ArrayBase::ensureCapacity(uint32_t n) {
    if (capacity_ >= n) return true;
    return reserve(grownCapacity(capacity_, n));
}

bool ArrayBase::growOnce() {
    uint32_t next = growthStep(capacity_);
    if (next <= capacity_) return false;
    return reserve(next);
}

bool ArrayBase::fitsCount(uint64_t n) { return n <= 0xFFFFFFFFu; }

bool ArrayBase::setCount(uint32_t n) {
    if (!reserve(n)) return false;
    count_ = n;
    return true;
}

uint64_t ArrayBase::byteCount(int64_t n) const { return uint64_t(n < 0 ? int64_t(count_) : n) << shift_; }

void ArrayBase::freeBlock() {
    std::free(items_);
    items_ = nullptr;
    count_ = capacity_ = position_ = 0;
}

void ArrayBase::freeStorage() { freeBlock(); }

void ArrayBase::clearElements() {
    count_ = 0;
    position_ = 0;
}

// ---------------------------------------------------------------- adding

bool ArrayBase::openGap(uint32_t index, uint32_t n) {
    if (!fitsCount(uint64_t(count_) + n)) return false;
    bool ok = (n == 1 && count_ == capacity_) ? growOnce() : ensureCapacity(count_ + n);
    if (!ok) return false;
    if (index < count_) {
        std::memmove(slotAt(index + n), slotAt(index), size_t(count_ - index) << shift_);
    }
    return true;
}

bool ArrayBase::append(const void* src, uint32_t n, uint32_t srcIndex) {
    if (n == 0) return true;
    return insert(count_, src, n, srcIndex);
}

bool ArrayBase::prepend(const void* src, uint32_t n, uint32_t srcIndex) { return insert(0, src, n, srcIndex); }

bool ArrayBase::insert(uint32_t index, const void* src, uint32_t n, uint32_t srcIndex) {
    if (n == 0) return true;
    // Checked before anything is copied aside.
    if (!fitsCount(uint64_t(count_) + n)) return false;
    size_t bytes = size_t(n) << shift_;
    SourceCopy from(this, static_cast<const uint8_t*>(src) + (size_t(srcIndex) << shift_), bytes);
    if (from.failed() || !openGap(index, n)) return false;
    std::memcpy(slotAt(index), from.get(), bytes);
    count_ += n;
    return true;
}

void ArrayBase::put(const void* src, uint32_t n, uint32_t srcIndex, uint32_t dstIndex) {
    if (n == 0) return;
    if (!fitsCount(uint64_t(dstIndex) + n)) return;
    size_t bytes = size_t(n) << shift_;
    const uint8_t* from = static_cast<const uint8_t*>(src) + (size_t(srcIndex) << shift_);
    if (capacity_ < dstIndex + n) {
        SourceCopy copy(this, from, bytes);
        if (copy.failed() || !reserve(dstIndex + n)) return;
        std::memcpy(slotAt(dstIndex), copy.get(), bytes);
    } else {
        std::memmove(slotAt(dstIndex), from, bytes);
    }
    if (count_ < dstIndex + n) count_ = dstIndex + n;
}

// ---------------------------------------------------------------- removing

void ArrayBase::dropLast(uint32_t n) { count_ = n < count_ ? count_ - n : 0; }

void ArrayBase::dropFirst(uint32_t n) { removeRange(0, n); }

void ArrayBase::removeRange(uint32_t index, uint32_t n) {
    if (index >= count_) return;
    if (n >= count_ - index) {
        count_ = index;
        return;
    }
    std::memmove(slotAt(index), slotAt(index + n), size_t(count_ - index - n) << shift_);
    count_ -= n;
}

void ArrayBase::popLast(void* dst, uint32_t n, uint32_t dstIndex) {
    if (n > count_) n = count_;
    copyOut(dst, dstIndex, count_ - n, int32_t(n));
    dropLast(n);
}

void ArrayBase::popFirst(void* dst, uint32_t n, uint32_t dstIndex) {
    if (n > count_) n = count_;
    copyOut(dst, dstIndex, 0, int32_t(n));
    dropFirst(n);
}

void ArrayBase::takeRange(uint32_t index, void* dst, uint32_t n, uint32_t dstIndex) {
    copyOut(dst, dstIndex, index, int32_t(n));
    removeRange(index, n);
}

// ---------------------------------------------------------------- copying and reordering

void ArrayBase::copyOut(void* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n) const {
    uint32_t m = n < 0 ? count_ - srcIndex : uint32_t(n);
    if (m == 0) return;
    std::memmove(static_cast<uint8_t*>(dst) + (size_t(dstIndex) << shift_), slotAt(srcIndex), size_t(m) << shift_);
}

void ArrayBase::copyTo(ICollection* dst, uint32_t dstIndex, uint32_t srcIndex, int32_t n) const {
    uint32_t m = n < 0 ? count_ - srcIndex : uint32_t(n);
    dst->put(items_, m, srcIndex, dstIndex);
}

void ArrayBase::copyFrom(const ICollection* src, uint32_t srcIndex, uint32_t dstIndex, int32_t n) {
    uint32_t m = n < 0 ? src->count() - srcIndex : uint32_t(n);
    src->copyTo(this, dstIndex, srcIndex, int32_t(m));
}

void ArrayBase::swapWith(uint32_t i, uint32_t j, void* temp) {
    size_t size = size_t(1) << shift_;
    std::memcpy(temp, slotAt(i), size);
    std::memcpy(slotAt(i), slotAt(j), size);
    std::memcpy(slotAt(j), temp, size);
}

void ArrayBase::swapAt(uint32_t i, uint32_t j) {
    swapElements(static_cast<uint8_t*>(slotAt(i)), static_cast<uint8_t*>(slotAt(j)), shift_);
}

void ArrayBase::reverse() {
    if (count_ < 2) return;
    uint8_t* lo = static_cast<uint8_t*>(items_);
    uint8_t* hi = static_cast<uint8_t*>(slotAt(count_ - 1));
    size_t step = size_t(1) << shift_;
    for (; lo < hi; lo += step, hi -= step) swapElements(lo, hi, shift_);
}

// ---------------------------------------------------------------- comparing

int ArrayBase::compareElements(uint32_t index, const void* other, uint32_t otherCount, uint32_t otherIndex,
                               int32_t n) const {
    uint32_t mine = index < count_ ? count_ - index : 0;
    uint32_t theirs = otherIndex < otherCount ? otherCount - otherIndex : 0;
    uint32_t m = mine < theirs ? mine : theirs;
    if (n >= 0 && uint32_t(n) < m) m = uint32_t(n);
    if (m > 0) {
        int r = std::memcmp(slotAt(index), static_cast<const uint8_t*>(other) + (size_t(otherIndex) << shift_),
                            size_t(m) << shift_);
        if (r != 0) return r;
    }
    uint32_t requested = n >= 0 ? uint32_t(n) : (mine > theirs ? mine : theirs);
    if (requested > m && mine != theirs) return mine < theirs ? -1 : 1;
    return 0;
}

int ArrayBase::compareTo(const base::IComparable* other, const base::IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other);
    const ArrayBase* o = dynamic_cast<const ArrayBase*>(other);
    if (!o) return IComparable::compareTo(other, nullptr);
    if (o == this) return 0;
    if (count_ != o->count_) return count_ < o->count_ ? -1 : 1;
    if (shift_ != o->shift_) return shift_ < o->shift_ ? -1 : 1;
    const base::IComparator* c = getComparator();
    for (uint32_t i = 0; i < count_; ++i) {
        int r = c->compare(slotAt(i), o->slotAt(i));
        if (r != 0) return r;
    }
    return 0;
}

// ---------------------------------------------------------------- stream views

bool ArrayBase::read(void* buffer, uint32_t length, uint32_t& count) {
    count = 0;
    if (length == 0) return true;
    uint64_t bytes = uint64_t(count_) << shift_;
    if (position_ >= bytes) return false;
    uint64_t k = bytes - position_;
    if (k > length) k = length;
    std::memcpy(buffer, static_cast<uint8_t*>(items_) + position_, size_t(k));
    position_ += uint32_t(k);
    count = uint32_t(k);
    return true;
}

bool ArrayBase::write(const void* data, uint32_t length, uint32_t& count) {
    count = 0;
    // The byte position stays a 32-bit number, and so does the element count.
    const uint64_t end = uint64_t(position_) + length;
    const uint64_t elements = (end >> shift_) + 1;
    if (end > 0xFFFFFFFFu || !fitsCount(elements) || !ensureCapacity(uint32_t(elements))) return false;
    if (length) std::memcpy(static_cast<uint8_t*>(items_) + position_, data, length);
    position_ += length;
    if (count_ < (position_ >> shift_)) count_ = position_ >> shift_;
    count = length;
    return true;
}

uint64_t ArrayBase::seekToEnd() {
    const uint64_t end = uint64_t(count_) << shift_;
    position_ = end > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(end);
    return position_;
}

uint64_t ArrayBase::seekFromEnd(uint64_t n) {
    const uint64_t end = uint64_t(count_) << shift_;
    const uint64_t at = n < end ? end - n : 0;
    position_ = at > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(at);
    return position_;
}

// ---------------------------------------------------------------- ArrayP

ArrayP::~ArrayP() { freeStorage(); }

void ArrayP::freeStorage() {
    if (destroyer_) {
        void** items = this->items();
        for (uint32_t i = 0; i < count_; ++i) {
            void* item = items[i];
            if (item) destroyer_->destroy(&item);
        }
        count_ = 0;
    }
    freeBlock();
}

void ArrayP::reset() {
    freeStorage();
    destroyer_ = nullptr;
}

ArrayP* ArrayP::insertAt(uint32_t index, void* item) {
    if (index >= count_) return push(item);
    if (shiftUp(index)) items()[index] = item;
    return this;
}

bool ArrayP::shiftUp(uint32_t index) {
    if (!reserve(count_ + 1)) return false;
    std::memmove(items() + index + 1, items() + index, size_t(count_ - index) * sizeof(void*));
    ++count_;
    return true;
}

void ArrayP::shiftDown(uint32_t pos) {
    if (pos == 0 || pos > count_) return;
    std::memmove(items() + pos - 1, items() + pos, size_t(count_ - pos) * sizeof(void*));
    --count_;
}

int32_t ArrayP::indexOf(const void* item) const {
    void** items = this->items();
    for (uint32_t i = 0; i < count_; ++i) {
        if (items[i] == item) return int32_t(i);
    }
    return -1;
}

void* ArrayP::removeItem(void* item) {
    int32_t i = indexOf(item);
    if (i < 0) return nullptr;
    if (uint32_t(i) == count_ - 1) --count_;
    else shiftDown(uint32_t(i) + 1);
    return item;
}

void ArrayP::removeAtAndRelease(uint32_t index) {
    if (index >= count_) return;
    void* item = items()[index];
    if (index == count_ - 1) --count_;
    else shiftDown(index + 1);
    if (destroyer_ && item) destroyer_->destroy(&item);
}

namespace {
class SampleObject : public base::IObject {
    S_CLASS_NAME(L"s_col__array_SampleObject")
public:
    base::IObject* newInstance() const override { return new (std::nothrow) SampleObject(); }
};
}  // namespace

const void* ArrayP::sampleData() const {
    static void** samples = [] {
        void** p = new void*[5];
        for (int i = 0; i < 5; ++i) p[i] = static_cast<base::IObject*>(new SampleObject());
        return p;
    }();
    return samples;
}

const base::IComparator* ArrayP::getComparator() const { return comp::CompP::instance(); }

// ---------------------------------------------------------------- number arrays

#define S_NUMBER_ARRAY_IMPL(T, E, COMP) \
    const void* T::sampleData() const { \
        static const E samples[5] = {0, 1, 2, 3, 4}; \
        return samples; \
    } \
    const base::IComparator* T::getComparator() const { return comp::COMP::instance(); }

S_NUMBER_ARRAY_IMPL(ArrayU08, uint8_t, CompU08)
S_NUMBER_ARRAY_IMPL(ArrayS08, int8_t, CompS08)
S_NUMBER_ARRAY_IMPL(ArrayS32, int32_t, CompS32)
S_NUMBER_ARRAY_IMPL(ArrayU32, uint32_t, CompU32)

#undef S_NUMBER_ARRAY_IMPL

}  // namespace s::col::_array
