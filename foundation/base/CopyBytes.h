// Copies of large blocks, such as picture rows.
//   s::base::copyBytes(dstRow, srcRow, width * 4);
#pragma once

#include <cstddef>
#include <cstring>

namespace s::base {

// memcpy for blocks of a few KB and more: the string move instruction, which current
// processors run at full memory speed, where the C runtime's copy loop is slower by half.
// Small blocks go to memcpy. The blocks must not overlap.
inline void copyBytes(void* dst, const void* src, size_t n) {
#if defined(__x86_64__)
    if (n >= 2048) {
        asm volatile("rep movsb" : "+D"(dst), "+S"(src), "+c"(n) : : "memory");
        return;
    }
#endif
    std::memcpy(dst, src, n);
}

}  // namespace s::base
