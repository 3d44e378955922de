#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/base/CopyBytes.h"

// Every size on both sides of the switch to the string move, at odd offsets, copies
// exactly the bytes asked and touches nothing around them.
TEST(CopyBytes, CopiesExactlyTheBytesAskedAtAnyOffset) {
    std::vector<uint8_t> src(70000), dst(70000);
    for (size_t i = 0; i < src.size(); ++i) src[i] = uint8_t(i * 131 + 7);
    for (size_t n : {size_t(0), size_t(1), size_t(15), size_t(2047), size_t(2048), size_t(2049), size_t(16000),
                     size_t(65537)}) {
        for (size_t offset : {size_t(0), size_t(3)}) {
            std::fill(dst.begin(), dst.end(), uint8_t(0xEE));
            s::base::copyBytes(dst.data() + offset + 1, src.data() + offset, n);
            for (size_t i = 0; i < n; ++i) ASSERT_EQ(dst[offset + 1 + i], src[offset + i]) << n << " " << i;
            EXPECT_EQ(dst[offset], 0xEE) << n;
            EXPECT_EQ(dst[offset + 1 + n], 0xEE) << n;
        }
    }
}
