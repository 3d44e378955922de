#include "foundation/base/Object.h"

#include <cstdint>
#include <typeinfo>

namespace s::base {

int IComparable::compareTo(const IComparable* other, const IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other);
    if (this == other) return 0;
    return reinterpret_cast<uintptr_t>(this) < reinterpret_cast<uintptr_t>(other) ? -1 : 1;
}

int IComparable::compareToIgnoreCase(const IComparable* other, const IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other);
    return compareTo(other, nullptr);
}

bool IComparable::equals(const IComparable* other, const IComparator* comparator) const {
    if (comparator) return comparator->compare(this, other) == 0;
    return compareTo(other, nullptr) == 0;
}

bool IComparable::equalsIgnoreCase(const IComparable* other, const IComparator* comparator) const {
    if (comparator) return comparator->compareIgnoreCase(this, other) == 0;
    return compareToIgnoreCase(other, nullptr) == 0;
}

uint32_t IComparable::hashCode() const {
    // FNV-1a over the dynamic type's name: the same for every object of a class.
    const char* name = typeid(*this).name();
    uint32_t h = 2166136261u;
    for (; *name; ++name) h = (h ^ uint8_t(*name)) * 16777619u;
    return h;
}

uint32_t IComparable::hashCodeIgnoreCase() const { return hashCode(); }

}  // namespace s::base

namespace s::cleaner {

void CleanerIObject::destroy(void** holder) {
    if (!holder || !*holder) return;
    delete static_cast<base::IObject*>(*holder);
    *holder = nullptr;
}

base::IObject* CleanerIObject::newInstance() const { return new CleanerIObject(); }

CleanerIObject* CleanerIObject::instance() {
    static CleanerIObject* shared = new CleanerIObject();
    return shared;
}

}  // namespace s::cleaner
