#include "foundation/io/Stream.h"

namespace s::io {

namespace {

// One process-wide copy buffer with its lock; made on first use, never destroyed.
struct CopyBuffer {
    thread::ObjLocker lock;
    uint8_t bytes[1024];
};

CopyBuffer* chunkedCopyBuffer() {
    static CopyBuffer* b = new CopyBuffer();
    return b;
}

CopyBuffer* wholeCopyBuffer() {
    static CopyBuffer* b = new CopyBuffer();
    return b;
}

// Result of one chunk of a copy: more to come, input ended, or failed.
enum class Chunk { More, End, Failed };

Chunk copyChunk(IInputStream* in, IOutputStream* out, uint8_t* buffer) {
    uint32_t k = 0;
    if (!in->read(buffer, 1024, k)) return in->hasError() ? Chunk::Failed : Chunk::End;
    if (k == 0) return Chunk::Failed;  // success without progress would loop forever
    return IOutputStream::writeFully(out, buffer, k) ? Chunk::More : Chunk::Failed;
}

}  // namespace

bool IInputStream::readFully(IInputStream* in, void* buffer, uint32_t n) {
    uint8_t* p = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done != n) {
        uint32_t k = 0;
        if (!in->read(p + done, n - done, k) || k == 0) return false;
        done += k;
    }
    return true;
}

bool IOutputStream::writeFully(IOutputStream* out, const void* data, uint32_t n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    uint32_t done = 0;
    while (done != n) {
        uint32_t k = 0;
        if (!out->write(p + done, n - done, k) || k == 0) return false;
        done += k;
    }
    return true;
}

bool IOutputStream::writeU8(IOutputStream* out, uint8_t value) { return writeFully(out, &value, 1); }

bool IOutputStream::writeU16(IOutputStream* out, uint16_t value) {
    uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    return writeFully(out, b, 2);
}

bool IOutputStream::writeU32(IOutputStream* out, uint32_t value) {
    uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    return writeFully(out, b, 4);
}

bool IOutputStream::copyFrom(IOutputStream* out, IInputStream* in) {
    CopyBuffer* b = chunkedCopyBuffer();
    for (;;) {
        thread::ObjLocker::Guard g(b->lock);
        Chunk c = copyChunk(in, out, b->bytes);
        if (c != Chunk::More) return c == Chunk::End;
    }
}

bool copyStream(IInputStream* in, IOutputStream* out) {
    CopyBuffer* b = wholeCopyBuffer();
    thread::ObjLocker::Guard g(b->lock);
    for (;;) {
        Chunk c = copyChunk(in, out, b->bytes);
        if (c != Chunk::More) return c == Chunk::End;
    }
}

}  // namespace s::io
