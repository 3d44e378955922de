// Message digests: the digester interface and MD5 (RFC 1321).
#pragma once

#include <cstdint>

#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::digest {

class IDigester : public base::IObject {
public:
    // Length of the digest in bytes.
    virtual int32_t digestLength() const = 0;
    // Adds count bytes (count <= 0 adds nothing).
    virtual void update(const void* data, int32_t count) = 0;
    // Pads and finishes; the digest bytes go to out (content replaced) or, with out
    // null, into the object's own digest array. The state is not reset.
    virtual void finish(col::_array::ArrayU08* out) = 0;
    // Starts a new message.
    virtual void reset() = 0;
    // The object's own digest as lower-case hexadecimal, into out (emptied first unless
    // appending) or a new pooled string.
    virtual str::strbuffer::StrBuffer* toHex(str::strbuffer::StrBuffer* out, bool append) const = 0;
};

namespace md5 {

class Md5 : public IDigester, public thread::IPoolable {
    S_POOLED(Md5, L"s_digest_md5_Md5")

public:
    Md5();
    Md5(const Md5&) = delete;
    Md5& operator=(const Md5&) = delete;

    int32_t digestLength() const override { return 16; }
    void update(const void* data, int32_t count) override;
    void finish(col::_array::ArrayU08* out) override;
    void reset() override;
    str::strbuffer::StrBuffer* toHex(str::strbuffer::StrBuffer* out, bool append) const override;

    // The object's own digest array (16 bytes, valid after finish(nullptr)).
    const col::_array::ArrayU08& digest() const { return digest_; }

private:
    void transform(const uint8_t block[64]);

    col::_array::ArrayU08 digest_;
    uint32_t state_[4];
    uint32_t countLow_;   // bit count, low word
    uint32_t countHigh_;  // bit count, high word
    uint8_t buffer_[64];
};

}  // namespace md5
}  // namespace s::digest
