// Element comparators and the stable merge sort over pointer lists.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::comp {

// Stateless comparators of the value found at each address: -1 when a < b, 1 when
// a > b, else 0. instance() is the shared object (made on first use, never destroyed);
// newInstance makes a separate heap object that its owner deletes.
#define S_COMPARATOR(T, E, NAME)                                              \
    class T : public base::IObject, public base::IComparator {                \
        S_CLASS_NAME(NAME)                                                    \
    public:                                                                   \
        static int cmp(E a, E b) { return a < b ? -1 : (a != b ? 1 : 0); }    \
        int compare(const void* a, const void* b) const override {            \
            return cmp(*static_cast<const E*>(a), *static_cast<const E*>(b)); \
        }                                                                     \
        base::IObject* newInstance() const override;                          \
        static T* instance();                                                 \
    };

S_COMPARATOR(CompP, uint64_t, L"s_comp_CompP")
S_COMPARATOR(CompU08, uint8_t, L"s_comp_CompU08")
S_COMPARATOR(CompS08, int8_t, L"s_comp_CompS08")
S_COMPARATOR(CompS32, int32_t, L"s_comp_CompS32")
S_COMPARATOR(CompU32, uint32_t, L"s_comp_CompU32")

#undef S_COMPARATOR

// Compare function of the sort: negative, zero or positive; user is always null.
using SortCompare = int (*)(const void* a, const void* b, void* user);

// Stable merge sort of count pointers in place (insertion sort below 7 elements,
// ordered halves copied without merging). Equal elements keep their input order in
// both directions.
void sortAscending(void** items, uint32_t count, SortCompare compare);
void sortDescending(void** items, uint32_t count, SortCompare compare);

// One sorting pass: sorts dst[low..high) using src as the second block.
void sortRun(void** src, void** dst, int64_t low, int64_t high, int64_t offset, SortCompare compare);

}  // namespace s::comp
