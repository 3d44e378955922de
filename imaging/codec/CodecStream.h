// Buffered byte access for the picture codecs: the libraries ask for bytes in small
// pieces, while a file stream makes one system call per read. CodecInput reads the
// stream in large chunks and gives back what it did not use; CodecOutput gathers
// writes into large chunks.
#pragma once

#include <cstdint>

#include "foundation/io/Stream.h"

namespace s::image {

class CodecInput {
public:
    static constexpr uint32_t kChunk = 65536;

    // Notes the stream's position and, when it is seekable, how many bytes follow it.
    explicit CodecInput(io::IInputStream* in);
    ~CodecInput();
    CodecInput(const CodecInput&) = delete;
    CodecInput& operator=(const CodecInput&) = delete;

    io::IInputStream* stream() const { return in_; }
    // Bytes from the starting position to the end of the stream; UINT64_MAX when unknown.
    uint64_t length() const { return length_; }
    // Bytes still to come after what was consumed (UINT64_MAX when unknown).
    uint64_t remaining() const;
    // Bytes consumed since the start.
    uint64_t consumed() const { return consumedBefore_ + uint64_t(cur_ - buffer_); }

    // The unread part of the current chunk. A caller may consume from it directly by
    // moving cur forward (and shrinking avail) before the next call.
    const uint8_t* cur() const { return cur_; }
    uint32_t avail() const { return avail_; }
    void setCursor(const uint8_t* cur, uint32_t avail) { cur_ = cur; avail_ = avail; }

    // Drops the current chunk and reads the next one. False at the end of the data or
    // on a read error (failed() tells them apart); the chunk is then empty.
    bool fill();
    // Exactly n bytes into dst; false when the data ends first.
    bool read(void* dst, uint32_t n);
    // Moves forward n bytes; false when the data ends first.
    bool skip(uint64_t n);
    // Moves to the given offset from the start, forward only; false when it is behind
    // the bytes already consumed or the data ends first.
    bool skipTo(uint64_t offset);
    bool failed() const { return failed_; }

    // Gives the unread bytes of the chunk back to a seekable stream, so that it stands
    // just past what the codec consumed.
    void finish();

private:
    io::IInputStream* in_;
    uint8_t* buffer_ = nullptr;
    const uint8_t* cur_ = nullptr;
    uint32_t avail_ = 0;
    uint64_t start_ = 0;
    uint64_t consumedBefore_ = 0;  // bytes of the chunks before the current one
    uint64_t length_ = UINT64_MAX;
    bool failed_ = false;
    bool finished_ = false;
};

class CodecOutput {
public:
    static constexpr uint32_t kChunk = 65536;

    explicit CodecOutput(io::IOutputStream* out);
    ~CodecOutput();
    CodecOutput(const CodecOutput&) = delete;
    CodecOutput& operator=(const CodecOutput&) = delete;

    // The chunk the caller may fill directly: room() bytes from next().
    uint8_t* buffer() { return buffer_; }
    bool ok() const { return buffer_ != nullptr && !failed_; }

    bool write(const void* data, uint32_t n);
    // Hands the first n bytes of buffer() to the stream; false when it refuses them.
    bool emit(uint32_t n);
    // Writes out what is gathered; false when any write failed.
    bool flush();

private:
    io::IOutputStream* out_;
    uint8_t* buffer_ = nullptr;
    uint32_t used_ = 0;
    bool failed_ = false;
};

// Bytes from the stream's position to its end; UINT64_MAX when the stream cannot tell.
uint64_t bytesLeft(io::IInputStream* in);

}  // namespace s::image
