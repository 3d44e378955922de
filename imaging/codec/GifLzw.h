// The GIF flavour of LZW: variable code sizes from the minimum code size + 1 up to 12
// bits, clear and end codes, codes packed least significant bit first, the encoded data
// cut into sub-blocks of at most 255 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::image { class CodecOutput; }

namespace s::image::gif::win {

// Encoder state; one lives in every GIF codec.
class GifLzw : public base::IObject, public thread::IPoolable {
    S_POOLED(GifLzw, L"s_image_gif_win_GifLzw")
public:
    GifLzw();
    ~GifLzw() override;
    GifLzw(const GifLzw&) = delete;
    GifLzw& operator=(const GifLzw&) = delete;

    void reset() override;

    // Encodes height rows of width indices each (every index below 1 << minCodeSize)
    // as sub-blocks followed by the block terminator. False when the output refused
    // bytes or minCodeSize is not 2..8.
    bool encode(const uint8_t* const* rows, int width, int height, int minCodeSize, CodecOutput* out);

    // Decodes LZW data (size bytes, readable for 8 bytes beyond) into at most total
    // indices. Stops at the end code, at the end of the data or at an invalid code; a
    // full table keeps its codes until a clear code comes. Returns the indices written.
    static size_t decode(const uint8_t* data, size_t size, int minCodeSize, uint8_t* out, size_t total);

private:
    bool putCode(uint32_t code);
    bool flushBits();
    bool emitPacket();
    void clearTable();

    static constexpr uint32_t kHashSize = 16384;
    uint32_t* hash_ = nullptr;  // key << 12 | code, all ones when empty
    uint8_t packet_[256] = {};
    uint32_t packetFill_ = 0;
    uint64_t bits_ = 0;
    uint32_t bitCount_ = 0;
    uint32_t initialCodeSize_ = 0;
    uint32_t codeSize_ = 0;
    uint32_t maxCode_ = 0;
    uint32_t nextFree_ = 0;
    bool clearFlag_ = false;
    CodecOutput* out_ = nullptr;
};

}  // namespace s::image::gif::win
