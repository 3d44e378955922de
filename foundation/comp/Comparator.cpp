#include "foundation/comp/Comparator.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace s::comp {

#define S_COMPARATOR_IMPL(T)                                                 \
    base::IObject* T::newInstance() const { return new (std::nothrow) T(); } \
    T* T::instance() {                                                       \
        static T* shared = new T();                                          \
        return shared;                                                       \
    }

S_COMPARATOR_IMPL(CompP)
S_COMPARATOR_IMPL(CompU08)
S_COMPARATOR_IMPL(CompS08)
S_COMPARATOR_IMPL(CompS32)
S_COMPARATOR_IMPL(CompU32)

#undef S_COMPARATOR_IMPL

namespace {

// Sign 1 sorts ascending, -1 descending: a pair (a, b) is in order when
// directed(compare(a, b)) <= 0, so ties always keep their input order.
template <int Sign>
inline int directed(int c) {
    if constexpr (Sign > 0) return c;
    return c < 0 ? 1 : (c > 0 ? -1 : 0);
}

template <int Sign>
void run(void** src, void** dst, int64_t low, int64_t high, int64_t offset, SortCompare compare) {
    int64_t length = high - low;
    if (length < 7) {
        for (int64_t i = low + 1; i < high; ++i) {
            for (int64_t j = i; j > low && directed<Sign>(compare(dst[j - 1], dst[j], nullptr)) > 0; --j) {
                void* t = dst[j];
                dst[j] = dst[j - 1];
                dst[j - 1] = t;
            }
        }
        return;
    }
    int64_t destLow = low, destHigh = high;
    low += offset;
    high += offset;
    int64_t mid = (low + high) >> 1;
    run<Sign>(dst, src, low, mid, -offset, compare);
    run<Sign>(dst, src, mid, high, -offset, compare);

    if (directed<Sign>(compare(src[mid - 1], src[mid], nullptr)) <= 0) {
        std::memcpy(dst + destLow, src + low, size_t(length) * sizeof(void*));
        return;
    }
    for (int64_t i = destLow, p = low, q = mid; i < destHigh; ++i) {
        if (q >= high || (p < mid && directed<Sign>(compare(src[p], src[q], nullptr)) <= 0))
            dst[i] = src[p++];
        else
            dst[i] = src[q++];
    }
}

template <int Sign>
void sortWith(void** items, uint32_t count, SortCompare compare) {
    if (!items || count < 2 || !compare) return;
    void** aux = static_cast<void**>(std::malloc(size_t(count) * sizeof(void*)));
    if (!aux) return;
    std::memcpy(aux, items, size_t(count) * sizeof(void*));
    run<Sign>(aux, items, 0, count, 0, compare);
    std::free(aux);
}

}  // namespace

void sortRun(void** src, void** dst, int64_t low, int64_t high, int64_t offset, SortCompare compare) {
    run<1>(src, dst, low, high, offset, compare);
}

void sortAscending(void** items, uint32_t count, SortCompare compare) { sortWith<1>(items, count, compare); }

void sortDescending(void** items, uint32_t count, SortCompare compare) { sortWith<-1>(items, count, compare); }

}  // namespace s::comp
