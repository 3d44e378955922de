#include "foundation/digest/Md5.h"

#include <cstring>

#include "foundation/str/StrBuffer.h"

namespace s::digest::md5 {

namespace {

inline uint32_t rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline uint32_t load32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void store32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Per-step shift amounts and sine-derived constants.
constexpr int kShift[64] = {7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 5,  9,  14, 20, 5,  9,
                            14, 20, 5,  9,  14, 20, 5,  9,  14, 20, 4,  11, 16, 23, 4,  11, 16, 23, 4,  11, 16, 23,
                            4,  11, 16, 23, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

}  // namespace

Md5::Md5() {
    digest_.reserve(16);
    std::memset(digest_.items(), 0, 16);
    digest_.setCount(16);
    reset();
}

void Md5::reset() {
    state_[0] = 0x67452301u;
    state_[1] = 0xEFCDAB89u;
    state_[2] = 0x98BADCFEu;
    state_[3] = 0x10325476u;
    countLow_ = 0;
    countHigh_ = 0;
    std::memset(buffer_, 0, sizeof buffer_);
}

void Md5::transform(const uint8_t block[64]) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = load32(block + 4 * i);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int i = 0; i < 64; ++i) {
        uint32_t f;
        int g;
        switch (i >> 4) {
            case 0:
                f = (b & c) | (~b & d);
                g = i;
                break;
            case 1:
                f = (d & b) | (~d & c);
                g = (5 * i + 1) & 15;
                break;
            case 2:
                f = b ^ c ^ d;
                g = (3 * i + 5) & 15;
                break;
            default:
                f = c ^ (b | ~d);
                g = (7 * i) & 15;
                break;
        }
        uint32_t t = d;
        d = c;
        c = b;
        b = b + rotl(a + f + kSine[i] + x[g], kShift[i]);
        a = t;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void Md5::update(const void* data, int32_t count) {
    if (count <= 0 || !data) return;
    const uint8_t* in = static_cast<const uint8_t*>(data);
    const uint32_t n = uint32_t(count);
    uint32_t index = (countLow_ >> 3) & 63;
    const uint32_t bits = n << 3;
    countLow_ += bits;
    if (countLow_ < bits) ++countHigh_;
    countHigh_ += n >> 29;

    const uint32_t room = 64 - index;
    uint32_t i = 0;
    if (n >= room) {
        std::memcpy(buffer_ + index, in, room);
        transform(buffer_);
        for (i = room; i + 63 < n; i += 64) transform(in + i);
        index = 0;
    }
    std::memcpy(buffer_ + index, in + i, n - i);
}

void Md5::finish(col::_array::ArrayU08* out) {
    uint8_t tail[8];
    store32(tail, countLow_);
    store32(tail + 4, countHigh_);
    static const uint8_t kPadding[64] = {0x80};
    const uint32_t index = (countLow_ >> 3) & 63;
    const uint32_t padLen = index < 56 ? 56 - index : 120 - index;
    update(kPadding, int32_t(padLen));
    update(tail, 8);

    uint8_t result[16];
    for (int i = 0; i < 4; ++i) store32(result + 4 * i, state_[i]);
    col::_array::ArrayU08* dst = out ? out : &digest_;
    if (!dst->reserve(16)) return;
    std::memcpy(dst->items(), result, 16);
    dst->setCount(16);
}

str::strbuffer::StrBuffer* Md5::toHex(str::strbuffer::StrBuffer* out, bool append) const {
    str::strbuffer::StrBuffer* s = out ? out : str::strbuffer::StrBuffer::create();
    if (!s) return nullptr;
    return s->formatHex(digest_.items(), 16, out != nullptr && append);
}

}  // namespace s::digest::md5
