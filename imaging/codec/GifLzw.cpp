#include "imaging/codec/GifLzw.h"

#include <cstdlib>
#include <cstring>

#include "imaging/codec/CodecStream.h"

namespace s::image::gif::win {

namespace {

constexpr uint32_t kMaxCodes = 4096;
constexpr uint32_t kPacketBytes = 254;

inline uint32_t slotOf(uint32_t key) { return (key * 2654435761u) >> 18; }  // 14 bits

inline uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

}  // namespace

GifLzw::GifLzw() = default;

GifLzw::~GifLzw() { std::free(hash_); }

void GifLzw::reset() {
    packetFill_ = 0;
    bits_ = 0;
    bitCount_ = 0;
    initialCodeSize_ = codeSize_ = maxCode_ = nextFree_ = 0;
    clearFlag_ = false;
    out_ = nullptr;
}

void GifLzw::clearTable() { std::memset(hash_, 0xFF, sizeof(uint32_t) * kHashSize); }

bool GifLzw::emitPacket() {
    if (packetFill_ == 0) return true;
    packet_[0] = uint8_t(packetFill_);
    bool ok = out_->write(packet_, packetFill_ + 1);
    packetFill_ = 0;
    return ok;
}

// Writes one code at the current size, then moves the code size on: back to the initial
// size after a clear code, else one bit wider once the next free code no longer fits.
bool GifLzw::putCode(uint32_t code) {
    bits_ |= uint64_t(code) << bitCount_;
    bitCount_ += codeSize_;
    bool ok = true;
    while (bitCount_ >= 8) {
        packet_[1 + packetFill_++] = uint8_t(bits_);
        bits_ >>= 8;
        bitCount_ -= 8;
        if (packetFill_ == kPacketBytes) ok = emitPacket() && ok;
    }
    if (nextFree_ > maxCode_ || clearFlag_) {
        if (clearFlag_) {
            codeSize_ = initialCodeSize_;
            maxCode_ = (1u << codeSize_) - 1;
            clearFlag_ = false;
        } else {
            ++codeSize_;
            maxCode_ = codeSize_ == 12 ? kMaxCodes : (1u << codeSize_) - 1;
        }
    }
    return ok;
}

bool GifLzw::flushBits() {
    bool ok = true;
    while (bitCount_ > 0) {
        packet_[1 + packetFill_++] = uint8_t(bits_);
        bits_ >>= 8;
        bitCount_ = bitCount_ > 8 ? bitCount_ - 8 : 0;
        if (packetFill_ == kPacketBytes) ok = emitPacket() && ok;
    }
    return emitPacket() && ok;
}

bool GifLzw::encode(const uint8_t* const* rows, int width, int height, int minCodeSize, CodecOutput* out) {
    if (!out || minCodeSize < 2 || minCodeSize > 8) return false;
    if (!hash_) {
        hash_ = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * kHashSize));
        if (!hash_) return false;
    }
    reset();
    out_ = out;
    const uint32_t clear = 1u << minCodeSize;
    const uint32_t end = clear + 1;
    const uint32_t mask = clear - 1;
    initialCodeSize_ = codeSize_ = uint32_t(minCodeSize) + 1;
    maxCode_ = (1u << codeSize_) - 1;
    nextFree_ = clear + 2;
    clearTable();

    uint8_t size = uint8_t(minCodeSize);
    bool ok = out->write(&size, 1);
    ok = putCode(clear) && ok;
    if (width > 0 && height > 0 && rows) {
        uint32_t ent = rows[0][0] & mask;
        int x0 = 1;
        uint32_t* table = hash_;
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = rows[y];
            for (int x = x0; x < width; ++x) {
                const uint32_t c = row[x] & mask;
                const uint32_t key = ent << 8 | c;
                uint32_t slot = slotOf(key);
                uint32_t e;
                while ((e = table[slot]) != 0xFFFFFFFFu) {
                    if ((e >> 12) == key) break;
                    slot = (slot + 1) & (kHashSize - 1);
                }
                if (e != 0xFFFFFFFFu) {
                    ent = e & 0xFFF;
                    continue;
                }
                ok = putCode(ent) && ok;
                if (nextFree_ < kMaxCodes) {
                    table[slot] = key << 12 | nextFree_++;
                } else {
                    clearTable();
                    nextFree_ = clear + 2;
                    clearFlag_ = true;
                    ok = putCode(clear) && ok;
                }
                ent = c;
            }
            x0 = 0;
        }
        ok = putCode(ent) && ok;
    }
    ok = putCode(end) && ok;
    ok = flushBits() && ok;
    uint8_t terminator = 0;
    ok = out->write(&terminator, 1) && ok;
    out_ = nullptr;
    return ok;
}

size_t GifLzw::decode(const uint8_t* data, size_t size, int minCodeSize, uint8_t* out, size_t total) {
    if (!data || !out || total == 0 || minCodeSize < 1 || minCodeSize > 8) return 0;
    if (total > UINT32_MAX) total = UINT32_MAX;
    // Each table entry's string lies in the output already: the previous string and the
    // first index of the one after it, so an entry is an offset and a length.
    uint32_t offset[kMaxCodes];
    uint16_t length[kMaxCodes];
    const uint32_t clear = 1u << minCodeSize;
    const uint32_t end = clear + 1;
    uint32_t codeSize = uint32_t(minCodeSize) + 1;
    uint32_t mask = (1u << codeSize) - 1;
    uint32_t nextFree = clear + 2;
    const uint64_t totalBits = uint64_t(size) * 8;
    uint64_t bitPos = 0;
    size_t pos = 0;
    size_t prevPos = 0;
    uint32_t prevLen = 0;
    bool havePrevious = false;

    while (pos < total && bitPos + codeSize <= totalBits) {
        const uint32_t code = uint32_t(load64(data + (bitPos >> 3)) >> (bitPos & 7)) & mask;
        bitPos += codeSize;
        if (code == clear) {
            codeSize = uint32_t(minCodeSize) + 1;
            mask = (1u << codeSize) - 1;
            nextFree = clear + 2;
            havePrevious = false;
            continue;
        }
        if (code == end) break;
        if (!havePrevious) {
            if (code > clear) break;  // only a literal may follow a clear code
            out[pos] = uint8_t(code);
            prevPos = pos++;
            prevLen = 1;
            havePrevious = true;
            continue;
        }
        size_t src;
        uint32_t len;
        if (code < clear) {
            src = SIZE_MAX;
            len = 1;
        } else if (code < nextFree) {
            src = offset[code];
            len = length[code];
        } else if (code == nextFree && nextFree < kMaxCodes) {
            src = prevPos;  // the previous string and its own first index
            len = prevLen + 1;
        } else {
            break;  // a code the table does not hold: the data is corrupt
        }
        if (nextFree < kMaxCodes) {
            offset[nextFree] = uint32_t(prevPos);
            length[nextFree] = uint16_t(prevLen + 1);
            ++nextFree;
            if (nextFree == (1u << codeSize) && codeSize < 12) {
                ++codeSize;
                mask = (1u << codeSize) - 1;
            }
        }
        size_t n = len;
        if (n > total - pos) n = total - pos;
        if (src == SIZE_MAX) {
            out[pos] = uint8_t(code);
        } else if (src + n <= pos && n >= 16) {
            std::memcpy(out + pos, out + src, n);
        } else {
            const uint8_t* s = out + src;
            uint8_t* d = out + pos;
            for (size_t i = 0; i < n; ++i) d[i] = s[i];
        }
        prevPos = pos;
        prevLen = len;
        pos += n;
    }
    return pos;
}

}  // namespace s::image::gif::win
