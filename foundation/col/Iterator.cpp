#include "foundation/col/Iterator.h"

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"

namespace s::col::_array {

Iterator* Iterator::open(const ArrayBase* array, uint32_t position, int32_t index) {
    Iterator* it = create();
    if (it) it->bind(array, array->slotAt(position), index, array->elementSize());
    return it;
}

uint32_t Iterator::collectionCount() const { return static_cast<const ArrayBase*>(collection_)->count(); }

// The array's cursor makers. Positions beyond the ends are clamped so that no cursor
// starts outside the elements.
IteratorBase* ArrayBase::iterator() { return Iterator::open(this, 0, -1); }

IteratorBase* ArrayBase::iteratorAtEnd() { return Iterator::open(this, count_, int32_t(count_)); }

IteratorBase* ArrayBase::iteratorAt(int32_t i) {
    if (i < 0 || uint32_t(i) >= count_) return iteratorAtEnd();
    return Iterator::open(this, uint32_t(i), i - 1);
}

IteratorBase* ArrayBase::iteratorFromEnd(int32_t n) {
    if (n < 0 || uint32_t(n) >= count_) return Iterator::open(this, 0, 0);
    return Iterator::open(this, count_ - uint32_t(n), int32_t(count_ - uint32_t(n)));
}

}  // namespace s::col::_array

namespace s::str::strbuffer {

Iterator* Iterator::open(StrBuffer* s, uint32_t position, int32_t index) {
    Iterator* it = create();
    if (it) it->bind(s, s->data() + position, index, 2);
    return it;
}

uint32_t Iterator::collectionCount() const { return static_cast<const StrBuffer*>(collection_)->length(); }

}  // namespace s::str::strbuffer
