#include "skins/painters/CounterHistory.h"

#include <algorithm>
#include <cmath>

namespace s::gui::drawer::counter {

uint32_t ringSlot(uint32_t capacity, uint32_t nextWrite, uint32_t j) {
    if (capacity == 0) return 0;
    uint64_t back = (uint64_t(j) + 1) % capacity;
    return uint32_t((uint64_t(nextWrite % capacity) + capacity - back) % capacity);
}

int32_t visibleColumns(uint32_t count, int32_t width) {
    if (count <= 1 || width <= 0) return 0;
    return int32_t(std::min<int64_t>(int64_t(count) - 1, width));
}

int64_t autoMaximum(const int64_t* ring, uint32_t capacity, uint32_t count, uint32_t nextWrite, int32_t width,
                    int64_t startMaximum) {
    int64_t m = startMaximum;
    if (!ring) return m;
    int32_t n = visibleColumns(std::min(count, capacity), width);
    for (int32_t j = 0; j < n; ++j) m = std::max(m, ring[ringSlot(capacity, nextWrite, uint32_t(j))]);
    return m;
}

int32_t scaledHeight(int64_t value, int64_t minimum, int64_t maximum, int32_t extent, bool rounded) {
    if (maximum <= minimum || extent <= 0) return 0;
    double h = (double(value) - double(minimum)) * double(extent) / (double(maximum) - double(minimum));
    h = rounded ? std::round(h) : std::trunc(h);
    return int32_t(std::clamp(h, 0.0, double(extent)));
}

}  // namespace s::gui::drawer::counter
