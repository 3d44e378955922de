// Shared helpers of the codec tests: files as bytes, memory streams with failure
// modes, decoding through a codec, and reference pictures decoded by ImageMagick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/io/Stream.h"
#include "imaging/codec/EncodedImage.h"

namespace s::image::win { class BufferedImage; }

namespace codectest {

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::string& unixPath);
bool writeBytes(const std::string& unixPath, const Bytes& bytes);
// Files of the folder (Unix path) whose names end with the suffix, sorted.
std::vector<std::string> listFiles(const std::string& unixDir, const std::string& suffix);

// A read-only stream over bytes. chunk > 0 makes every read deliver at most that many
// bytes; seekable false makes the stream hide its length as a pipe would.
class MemoryInput : public s::io::IInputStream {
public:
    explicit MemoryInput(Bytes bytes, uint32_t chunk = 0, bool seekable = true)
        : bytes_(std::move(bytes)), chunk_(chunk), seekable_(seekable) {}
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
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

private:
    Bytes bytes_;
    uint64_t pos_ = 0;
    uint32_t chunk_;
    bool seekable_;
    size_t calls_ = 0;
};

// A write stream into memory that refuses every byte after the first `limit` (a full
// disk).
class MemoryOutput : public s::io::IOutputStream {
public:
    explicit MemoryOutput(uint64_t limit = UINT64_MAX) : limit_(limit) {}
    bool write(const void* data, uint32_t length, uint32_t& count) override;
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

    Bytes bytes;

private:
    uint64_t limit_;
};

// A decoded picture as plain rows of 0xAARRGGBB, row 0 at the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture fromImage(s::image::win::BufferedImage* image);
// Reads the bytes with the codec and turns the result into a picture; false when the
// codec refused them (or gave no image).
bool decodeWith(s::image::IEncodedImage* codec, const Bytes& bytes, Picture* out);
// ImageMagick's decode of the file as 8-bit RGBA.
bool decodeWithMagick(const std::string& unixPath, Picture* out);
// Largest difference of any channel between two same-sized pictures (-1 when the sizes
// differ); the colour of fully transparent pixels is ignored when skipClear is set.
int maxDifference(const Picture& a, const Picture& b, bool skipClear = false);
// The first pixel where the two differ, as text for failure messages.
std::string firstDifference(const Picture& a, const Picture& b);

}  // namespace codectest
