#include "foundation/col/Collection.h"

namespace s::col {

IteratorBase* IEnumerable::iteratorAt(int32_t i) {
    IteratorBase* it = iterator();
    if (it && i > 0) it->skipForward(uint32_t(i));
    return it;
}

IteratorBase* IEnumerable::iteratorFromEnd(int32_t n) {
    IteratorBase* it = iteratorAtEnd();
    if (it && n > 0) it->skipBack(uint32_t(n));
    return it;
}

void* IEnumerable::elementAt(uint32_t i) {
    IteratorBase* it = iteratorAt(int32_t(i));
    if (!it) return nullptr;
    void* element = it->next();
    it->release();
    return element;
}

}  // namespace s::col
