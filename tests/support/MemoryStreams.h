// In-memory streams over a byte buffer, for tests and benchmarks. The buffer type is a
// std::vector<uint8_t> or std::string held by value, or a const reference to one to read
// a buffer the caller keeps without copying it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/io/Stream.h"

namespace testsupport {

// A read-only stream over bytes. chunk > 0 makes every read deliver at most that many
// bytes; seekable false makes the stream hide its length as a pipe would.
template <class Buffer = std::vector<uint8_t>>
class MemoryInput : public s::io::IInputStream {
public:
    explicit MemoryInput(Buffer bytes, uint32_t chunk = 0, bool seekable = true)
        : bytes_(std::move(bytes)), chunk_(chunk), seekable_(seekable) {}
    bool read(void* buffer, uint32_t length, uint32_t& count) override {
        ++calls_;
        count = 0;
        if (pos_ >= bytes_.size()) return false;
        uint64_t k = std::min<uint64_t>(length, bytes_.size() - pos_);
        if (chunk_ && k > chunk_) k = chunk_;
        std::memcpy(buffer, bytes_.data() + pos_, size_t(k));
        pos_ += k;
        count = uint32_t(k);
        return true;
    }
    void close() override {}
    uint64_t getPosition() override { return pos_; }
    bool isSeekable() override { return seekable_; }
    void rewind() override { pos_ = 0; }
    uint64_t seekToEnd() override { return pos_ = bytes_.size(); }
    void seek(uint64_t p) override { pos_ = p; }
    uint64_t seekFromEnd(uint64_t n) override { return pos_ = bytes_.size() - n; }
    void skip(uint64_t n) override { pos_ += n; }
    void skipBack(uint64_t n) override { pos_ -= n; }
    void clear() override { pos_ = 0; }
    void dispose() override {}
    void release() override {}
    void reset() override {}
    size_t readCalls() const { return calls_; }

protected:
    Buffer bytes_;
    uint64_t pos_ = 0;
    uint32_t chunk_;
    bool seekable_;
    size_t calls_ = 0;
};

// A write stream into memory that refuses every byte after the first `limit` (a full
// disk).
template <class Buffer = std::vector<uint8_t>>
class MemoryOutput : public s::io::IOutputStream {
public:
    explicit MemoryOutput(uint64_t limit = UINT64_MAX) : limit_(limit) {}
    bool write(const void* data, uint32_t length, uint32_t& count) override {
        count = 0;
        if (bytes.size() + length > limit_) return false;
        const auto* p = static_cast<const typename Buffer::value_type*>(data);
        bytes.insert(bytes.end(), p, p + length);
        count = length;
        return true;
    }
    bool flush() override { return true; }
    bool truncate() override { return true; }
    void close() override {}
    uint64_t getPosition() override { return bytes.size(); }
    bool isSeekable() override { return false; }
    void rewind() override {}
    uint64_t seekToEnd() override { return bytes.size(); }
    void seek(uint64_t) override {}
    uint64_t seekFromEnd(uint64_t) override { return bytes.size(); }
    void skip(uint64_t) override {}
    void skipBack(uint64_t) override {}
    void clear() override {}
    void dispose() override {}
    void release() override {}
    void reset() override {}

    Buffer bytes;

protected:
    uint64_t limit_;
};

}  // namespace testsupport
