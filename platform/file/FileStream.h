// The byte streams on files: an unbuffered input stream (one ReadFile per read) and an
// output stream that gathers writes into a 64 KiB buffer. Both keep their own 64-bit
// position and open long paths through the path's "\\?\" form.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "platform/file/IFileStream.h"

namespace s::file::win {

class FileInputStream : public IFileInputStream, public base::IObject {
    S_POOLED(FileInputStream, L"s_file_win_FileInputStream")
public:
    FileInputStream() = default;
    ~FileInputStream() override;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;

    // Clears, then opens an existing file for reading (others may read and write it).
    bool open(const wchar_t* path);
    bool isOpen() const override { return handle_ != nullptr; }

    // One ReadFile of up to length bytes; false with count 0 at the end of the file,
    // on an error (hasError then answers true) or when closed.
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
    bool hasError() override { return error_; }
    void close() override;
    uint64_t getPosition() override { return position_; }
    bool isSeekable() override { return true; }
    void rewind() override;
    uint64_t seekToEnd() override;
    void seek(uint64_t position) override;
    uint64_t seekFromEnd(uint64_t n) override;
    void skip(uint64_t n) override;
    void skipBack(uint64_t n) override;
    // Closes when open; position 0.
    void clear() override;
    void dispose() override { release(); }
    void reset() override { clear(); }

    // The file's size in bytes (-1 when closed or unknown).
    int64_t size() const;

private:
    void* handle_ = nullptr;
    uint64_t position_ = 0;
    bool error_ = false;
};

// Output stream; its input view (the IInputStream base) reads the same file. Writes
// stay in the buffer until it is full, a flush, a seek, a read through the input view
// or the close.
//
// A safe output (openSafe) writes into a new temporary file beside the target and
// moves it over the target only in commit(), so an interrupted or failed save never
// destroys the previous file. Closing a safe output any other way (close, dispose,
// clear, the pool's reset, abort) throws the temporary file away.
class FileOutputStream : public IFileOutputStream, public io::IInputStream, public base::IObject {
    S_POOLED(FileOutputStream, L"s_file_win_FileOutputStream")
public:
    static constexpr uint32_t kBufferSize = 65536;

    FileOutputStream() = default;
    ~FileOutputStream() override;
    FileOutputStream(const FileOutputStream&) = delete;
    FileOutputStream& operator=(const FileOutputStream&) = delete;

    // Clears, then creates (or with append opens and seeks to the end of) the file.
    bool open(const wchar_t* path, bool append);
    // Clears, then creates a temporary file in the target's folder; commit() replaces
    // the target with it.
    bool openSafe(const wchar_t* target);
    bool isOpen() const override { return handle_ != nullptr; }
    bool isSafe() const { return safe_; }
    io::IInputStream* inputView() { return this; }

    bool write(const void* data, uint32_t length, uint32_t& count) override;
    // Writes out the buffer, then FlushFileBuffers; false when closed or either fails.
    bool flush() override;
    // Flush, then the file ends at the current file pointer.
    bool truncate() override;
    // Plain output: flush and close (commit() gives the answer). Safe output: abort().
    void close() override;
    bool commit() override;
    void abort() override;
    uint64_t getPosition() override { return position_; }
    bool isSeekable() override { return true; }
    void rewind() override;
    uint64_t seekToEnd() override;
    void seek(uint64_t position) override;
    uint64_t seekFromEnd(uint64_t n) override;
    void skip(uint64_t n) override;
    void skipBack(uint64_t n) override;
    // Closes when open (see close); nothing buffered; position 0.
    void clear() override;
    void dispose() override { release(); }
    void reset() override { clear(); }

    // Input view: one ReadFile at the current position, after writing out the buffer.
    bool read(void* buffer, uint32_t length, uint32_t& count) override;
    bool hasError() override { return readError_; }

    // Bytes waiting in the buffer.
    uint32_t buffered() const { return buffered_; }
    // True once any write to the file failed since it was opened.
    bool failed() const { return failed_; }

private:
    bool writeOut();
    bool closeHandle(bool flushFirst);
    void freeBuffer();
    void discardTemp();

    void* handle_ = nullptr;
    uint8_t* buffer_ = nullptr;
    uint32_t buffered_ = 0;
    uint64_t position_ = 0;
    bool failed_ = false;
    bool readError_ = false;
    bool safe_ = false;
    str::strbuffer::StrBuffer tempPath_;    // safe output: the file being written
    str::strbuffer::StrBuffer targetPath_;  // safe output: the file it replaces
};

// Writes the bytes as the whole new content of the file through a safe output: the
// file is replaced only when everything was written. Missing parent folders are not
// made here.
bool writeFileSafely(const wchar_t* path, const void* data, uint32_t length);

}  // namespace s::file::win
