// Byte-stream interfaces and the helpers every reader and writer uses.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"

namespace s::io {

// A byte stream to read from. read answers false (count 0) at the end of the data
// or on an error; hasError tells the two apart once read has answered false.
class IInputStream : public thread::IPoolable {
public:
    virtual bool read(void* buffer, uint32_t length, uint32_t& count) = 0;
    virtual void close() = 0;
    virtual uint64_t getPosition() = 0;
    virtual bool isSeekable() = 0;
    virtual void rewind() = 0;
    virtual uint64_t seekToEnd() = 0;
    virtual void seek(uint64_t position) = 0;
    virtual uint64_t seekFromEnd(uint64_t n) = 0;
    virtual void skip(uint64_t n) = 0;
    virtual void skipBack(uint64_t n) = 0;
    virtual void clear() = 0;
    virtual void dispose() = 0;
    // True when the last failed read failed for an error rather than the end of the data.
    virtual bool hasError() { return false; }

    // Reads exactly n bytes; false when the data ends (or fails) first, or a read
    // reports success without delivering anything. n = 0 succeeds without a call.
    static bool readFully(IInputStream* in, void* buffer, uint32_t n);
};

// A byte stream to write to.
class IOutputStream : public thread::IPoolable {
public:
    virtual bool write(const void* data, uint32_t length, uint32_t& count) = 0;
    virtual bool flush() = 0;
    virtual bool truncate() = 0;
    virtual void close() = 0;
    virtual uint64_t getPosition() = 0;
    virtual bool isSeekable() = 0;
    virtual void rewind() = 0;
    virtual uint64_t seekToEnd() = 0;
    virtual void seek(uint64_t position) = 0;
    virtual uint64_t seekFromEnd(uint64_t n) = 0;
    virtual void skip(uint64_t n) = 0;
    virtual void skipBack(uint64_t n) = 0;
    virtual void clear() = 0;
    virtual void dispose() = 0;

    // Writes exactly n bytes; false on a failed write or one that accepts nothing.
    // n = 0 succeeds without a call.
    static bool writeFully(IOutputStream* out, const void* data, uint32_t n);
    // Little-endian integers.
    static bool writeU8(IOutputStream* out, uint8_t value);
    static bool writeU16(IOutputStream* out, uint16_t value);
    static bool writeU32(IOutputStream* out, uint32_t value);
    // Copies the rest of the input into the output in chunks of up to 1024 bytes through
    // one process-wide buffer, taking its lock for each chunk. True when the input ended;
    // false when a write failed or a read failed with an error (bytes already written stay).
    static bool copyFrom(IOutputStream* out, IInputStream* in);
};

// Bases for objects that are streams over their own contents (arrays, strings): the
// object's own clear empties it, while the stream views' clear only rewinds. These
// give the views an overrider of their own so the two never mix.
class RewindingInputView : public IInputStream {
public:
    void clear() final { rewind(); }
};
class RewindingOutputView : public IOutputStream {
public:
    void clear() final { rewind(); }
};

// Something that can hand out a (pooled) input stream over its contents; the caller
// disposes of the stream.
class IInputStreamable {
public:
    virtual ~IInputStreamable() = default;
    virtual IInputStream* openInputStream() = 0;
};

// The same copy as IOutputStream::copyFrom through a second process-wide buffer whose
// lock is held for the whole copy.
bool copyStream(IInputStream* in, IOutputStream* out);

}  // namespace s::io
