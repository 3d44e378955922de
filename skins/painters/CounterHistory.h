// Arithmetic of the counter graph over a ring of stored values: which slot holds the
// j-th newest value, how many columns a graph shows, the automatic maximum and the
// scaling of a value to a bar height. The ring's next-write index names the slot the
// next value goes to, so the newest value is in the slot before it.
#pragma once

#include <cstdint>

namespace s::gui::drawer::counter {

// The slot of the j-th newest value (j = 0 the newest), wrapping from the ring's start
// to its last slot. A ring of capacity 0 has no slot: 0.
uint32_t ringSlot(uint32_t capacity, uint32_t nextWrite, uint32_t j);

// How many columns a graph width wide shows of a ring holding count values: the newest
// count - 1 values, at most width of them (none for one value or fewer).
int32_t visibleColumns(uint32_t count, int32_t width);

// The largest of the starting maximum and the values of the visible columns.
int64_t autoMaximum(const int64_t* ring, uint32_t capacity, uint32_t count, uint32_t nextWrite, int32_t width,
                    int64_t startMaximum);

// (value - minimum) × extent / (maximum - minimum) in floating point, truncated and
// limited to [0, extent]; 0 when the maximum is not above the minimum. rounded: to the
// nearest instead of truncated.
int32_t scaledHeight(int64_t value, int64_t minimum, int64_t maximum, int32_t extent, bool rounded = false);

}  // namespace s::gui::drawer::counter
