#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/digest/Md5.h"
#include "foundation/str/StrBuffer.h"

using s::col::_array::ArrayU08;
using s::digest::md5::Md5;
using s::str::strbuffer::StrBuffer;

namespace {

std::string hexOf(const uint8_t* p, uint32_t n) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (uint32_t i = 0; i < n; ++i) {
        out += digits[p[i] >> 4];
        out += digits[p[i] & 15];
    }
    return out;
}

// Digest of data fed in pieces of the given sizes (cycled), as hexadecimal.
std::string md5Pieces(const uint8_t* data, uint32_t n, const std::vector<int>& pieces) {
    Md5* md = Md5::create();
    uint32_t at = 0;
    for (size_t k = 0; at < n; ++k) {
        uint32_t take = uint32_t(pieces[k % pieces.size()]);
        if (take > n - at) take = n - at;
        md->update(data + at, int32_t(take));
        at += take;
    }
    md->finish(nullptr);
    std::string hex = hexOf(md->digest().items(), 16);
    md->release();
    return hex;
}

struct Vector {
    const char* input;
    const char* md5;
};

// The test suite of RFC 1321, appendix A.5.
const Vector kRfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

}  // namespace

TEST(Md5, RfcSuiteWhateverTheSplit) {
    const std::vector<std::vector<int>> splits = {{1 << 20}, {1}, {3, 7}, {63, 1}, {64}, {65, 2}};
    for (const Vector& v : kRfcSuite) {
        const uint8_t* p = reinterpret_cast<const uint8_t*>(v.input);
        for (const auto& split : splits) {
            EXPECT_EQ(md5Pieces(p, uint32_t(std::strlen(v.input)), split), v.md5)
                << "input \"" << v.input << "\" first piece " << split[0];
        }
    }
}

TEST(Md5, PaddingBoundaries) {
    // Lengths around the 56-byte limit where finishing needs a second block.
    const Vector kCases[] = {{"55", "6912ee65fff2d9f9ce2508cddf8bcda0"},  {"56", "51fdd1acda72405dfdfa03fcb85896d7"},
                             {"57", "5320ef4c17ef34a0cf2db763338d25eb"},  {"63", "48a6295221902e8e0938f773a7185e72"},
                             {"64", "b2d3f56bc197fd985d5965079b5e7148"},  {"65", "8bd7053801c768420faf816fadba971c"},
                             {"119", "1c772251899a7ff007400b888d6b2042"}, {"120", "b7ba1efc6022e9ed272f00b8831e26e6"},
                             {"128", "37eff01866ba3f538421b30b7cbefcac"}};
    uint8_t data[128];
    for (int i = 0; i < 128; ++i) data[i] = uint8_t(i);
    for (const Vector& c : kCases) {
        uint32_t n = uint32_t(std::atoi(c.input));
        EXPECT_EQ(md5Pieces(data, n, {n ? int(n) : 1}), c.md5) << n << " bytes";
        EXPECT_EQ(md5Pieces(data, n, {5, 11}), c.md5) << n << " bytes in pieces";
    }
}

TEST(Md5, OneMebibyteInOddPiecesMatchesOneShot) {
    std::vector<uint8_t> data(1 << 20);
    for (uint32_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7 + (i >> 8));
    const char* expected = "85bfb9943e6f0cb09f0f52679e9eac2b";  // python3 hashlib
    EXPECT_EQ(md5Pieces(data.data(), uint32_t(data.size()), {int(data.size())}), expected);
    EXPECT_EQ(md5Pieces(data.data(), uint32_t(data.size()), {1, 3, 61, 127, 4099, 9973}), expected);
}

TEST(Md5, FinishIntoCallerArrayAndHexText) {
    Md5* md = Md5::create();
    EXPECT_EQ(md->digestLength(), 16);
    md->update("abc", 3);
    ArrayU08* out = ArrayU08::create();
    out->push(0xEE);
    md->finish(out);
    ASSERT_EQ(out->count(), 16u);
    EXPECT_EQ(hexOf(out->items(), 16), "900150983cd24fb0d6963f7d28e17f72");
    out->release();

    // The own digest array is filled only by finish(nullptr).
    md->reset();
    md->update("a", 1);
    md->finish(nullptr);
    StrBuffer* hex = md->toHex(nullptr, false);
    ASSERT_NE(hex, nullptr);
    EXPECT_TRUE(hex->equalsExact(L"0cc175b9c0f1b6a831c399e269772661"));

    hex->setLength(0);
    hex->appendText(L"md5:");
    md->toHex(hex, true);
    EXPECT_TRUE(hex->equalsExact(L"md5:0cc175b9c0f1b6a831c399e269772661"));
    md->toHex(hex, false);
    EXPECT_TRUE(hex->equalsExact(L"0cc175b9c0f1b6a831c399e269772661"));
    hex->release();
    md->release();
}

TEST(Md5, PooledObjectComesBackReset) {
    Md5* md = Md5::create();
    md->update("some earlier message", 20);
    md->release();
    Md5* again = Md5::create();
    again->update("abc", 3);
    again->finish(nullptr);
    EXPECT_EQ(hexOf(again->digest().items(), 16), "900150983cd24fb0d6963f7d28e17f72");
    again->release();
}
