#include "platform/file/FileStream.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "foundation/col/Array.h"
#include "platform/file/PathWin.h"

namespace s::file::win {

namespace {

HANDLE h(void* handle) { return static_cast<HANDLE>(handle); }

// A file that exists with the read-only attribute: Windows refuses to replace or write
// it, and so do we wherever the system would let it through (Wine run as root).
bool isReadOnlyFile(const wchar_t* longPath) {
    DWORD bits = GetFileAttributesW(longPath);
    return bits != INVALID_FILE_ATTRIBUTES && (bits & FILE_ATTRIBUTE_READONLY) && !(bits & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens a file by the long ("\\?\") form of the text when it needs one.
HANDLE createByText(const wchar_t* text, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (!text || !*text) return INVALID_HANDLE_VALUE;
    PathWin* path = PathWin::fromString(text);
    HANDLE file = INVALID_HANDLE_VALUE;
    bool allowed = path->isValid() && !((access & GENERIC_WRITE) && isReadOnlyFile(path->getLongPath()));
    if (allowed) file = CreateFileW(path->getLongPath(), access, share, nullptr, disposition, flags, nullptr);
    path->release();
    return file;
}

// SetFilePointerEx; the new pointer or -1 on failure.
int64_t movePointer(void* handle, int64_t distance, DWORD method) {
    LARGE_INTEGER d, now;
    d.QuadPart = distance;
    if (!handle || !SetFilePointerEx(h(handle), d, &now, method)) return -1;
    return now.QuadPart;
}

// One ReadFile into the stream's count; shared by both streams. error is set when the
// call failed (as opposed to reaching the end of the file).
bool readOnce(void* handle, void* buffer, uint32_t length, uint32_t& count, uint64_t& position, bool& error) {
    count = 0;
    error = false;
    if (!handle) {
        error = true;
        return false;
    }
    if (length == 0) return false;
    DWORD got = 0;
    if (!ReadFile(h(handle), buffer, length, &got, nullptr)) {
        error = true;
        return false;
    }
    if (got == 0) return false;
    count = got;
    position += got;
    return true;
}

// A name for the temporary file of a safe output: unique enough to be created with
// CREATE_NEW on the first attempt in practice.
void tempNameFor(const wchar_t* target, str::strbuffer::StrBuffer& out) {
    static std::atomic<uint32_t> counter{0};
    uint64_t mix = GetTickCount64() ^ (uint64_t(GetCurrentProcessId()) << 32) ^
                   (uint64_t(counter.fetch_add(1)) * 0x9E3779B97F4A7C15ull) ^ uint64_t(uintptr_t(&out));
    wchar_t suffix[32];
    swprintf(suffix, 32, L".%08x.tmp~", unsigned(mix ^ (mix >> 32)));
    out.setText(target);
    out.appendText(suffix);
}

}  // namespace

// ---- FileInputStream ---------------------------------------------------------------------

FileInputStream::~FileInputStream() { close(); }

bool FileInputStream::open(const wchar_t* path) {
    clear();
    HANDLE file = createByText(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    return true;
}

bool FileInputStream::read(void* buffer, uint32_t length, uint32_t& count) {
    return readOnce(handle_, buffer, length, count, position_, error_);
}

void FileInputStream::close() {
    if (handle_) {
        CloseHandle(h(handle_));
        handle_ = nullptr;
    }
}

void FileInputStream::clear() {
    close();
    position_ = 0;
    error_ = false;
}

void FileInputStream::rewind() {
    movePointer(handle_, 0, FILE_BEGIN);
    position_ = 0;
}

uint64_t FileInputStream::seekToEnd() {
    int64_t now = movePointer(handle_, 0, FILE_END);
    if (now >= 0) position_ = uint64_t(now);
    return position_;
}

void FileInputStream::seek(uint64_t position) {
    if (position == position_) return;
    movePointer(handle_, int64_t(position), FILE_BEGIN);
    position_ = position;
}

uint64_t FileInputStream::seekFromEnd(uint64_t n) {
    int64_t now = movePointer(handle_, -int64_t(n), FILE_END);
    if (now >= 0) position_ = uint64_t(now);
    return position_;
}

void FileInputStream::skip(uint64_t n) {
    if (n == 0) return;
    movePointer(handle_, int64_t(n), FILE_CURRENT);
    position_ += n;
}

void FileInputStream::skipBack(uint64_t n) {
    if (n == 0) return;
    movePointer(handle_, -int64_t(n), FILE_CURRENT);
    position_ -= n;
}

int64_t FileInputStream::size() const {
    LARGE_INTEGER size;
    if (!handle_ || !GetFileSizeEx(h(handle_), &size)) return -1;
    return size.QuadPart;
}

// ---- FileOutputStream --------------------------------------------------------------------

FileOutputStream::~FileOutputStream() {
    close();
    freeBuffer();
}

bool FileOutputStream::open(const wchar_t* path, bool append) {
    clear();
    HANDLE file = createByText(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    if (append) seekToEnd();
    buffer_ = static_cast<uint8_t*>(std::malloc(kBufferSize));
    if (!buffer_) {
        closeHandle(false);
        return false;
    }
    return true;
}

bool FileOutputStream::openSafe(const wchar_t* target) {
    clear();
    if (!target || !*target) return false;
    PathWin* path = PathWin::fromString(target);
    bool usable = path->isValid() && !(path->exists() && path->isDirectory()) && !isReadOnlyFile(path->getLongPath());
    if (usable) targetPath_.setText(path->getLongPath());
    path->release();
    if (!usable) return false;
    for (int attempt = 0; attempt < 8 && !handle_; ++attempt) {
        tempNameFor(targetPath_.text(), tempPath_);
        HANDLE file = CreateFileW(tempPath_.text(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
        } else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (!handle_) {
        tempPath_.clear();
        targetPath_.clear();
        return false;
    }
    safe_ = true;
    buffer_ = static_cast<uint8_t*>(std::malloc(kBufferSize));
    if (!buffer_) {
        abort();
        return false;
    }
    return true;
}

bool FileOutputStream::writeOut() {
    if (buffered_ == 0) return true;
    if (!handle_) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h(handle_), buffer_, buffered_, &written, nullptr);
    if (ok && written == buffered_) {
        buffered_ = 0;
        return true;
    }
    // Keep only what did not reach the file, so a retry neither loses nor repeats bytes.
    if (written > 0 && written < buffered_) {
        std::memmove(buffer_, buffer_ + written, buffered_ - written);
        buffered_ -= written;
    }
    failed_ = true;
    return false;
}

bool FileOutputStream::write(const void* data, uint32_t length, uint32_t& count) {
    count = 0;
    if (!handle_ || !buffer_) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    uint32_t remaining = length;
    while (remaining > 0) {
        uint32_t room = kBufferSize - buffered_;
        if (room == 0) {
            if (!writeOut()) break;
            continue;
        }
        uint32_t n = remaining < room ? remaining : room;
        std::memcpy(buffer_ + buffered_, p, n);
        buffered_ += n;
        p += n;
        remaining -= n;
        count += n;
        if (remaining > 0 && !writeOut()) break;
    }
    position_ += count;
    return remaining == 0;
}

bool FileOutputStream::flush() {
    if (!handle_) return false;
    if (!writeOut()) return false;
    if (!FlushFileBuffers(h(handle_))) {
        failed_ = true;
        return false;
    }
    return true;
}

bool FileOutputStream::truncate() {
    if (!handle_) return false;
    bool ok = flush();
    return SetEndOfFile(h(handle_)) && ok;
}

bool FileOutputStream::closeHandle(bool flushFirst) {
    if (!handle_) return false;
    bool ok = flushFirst ? flush() : true;
    if (!CloseHandle(h(handle_))) ok = false;
    handle_ = nullptr;
    return ok && !failed_;
}

void FileOutputStream::freeBuffer() {
    std::free(buffer_);
    buffer_ = nullptr;
    buffered_ = 0;
}

void FileOutputStream::discardTemp() {
    if (!tempPath_.isEmpty()) DeleteFileW(tempPath_.text());
    tempPath_.clear();
    targetPath_.clear();
    safe_ = false;
}

bool FileOutputStream::commit() {
    if (!handle_) {
        freeBuffer();
        if (safe_) discardTemp();
        return false;
    }
    bool ok = closeHandle(true);
    freeBuffer();
    if (safe_) {
        ok =
            ok && MoveFileExW(tempPath_.text(), targetPath_.text(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (ok) tempPath_.clear();
        discardTemp();
    }
    return ok;
}

void FileOutputStream::abort() {
    if (!safe_) {
        close();
        return;
    }
    if (handle_) {
        CloseHandle(h(handle_));
        handle_ = nullptr;
    }
    freeBuffer();
    discardTemp();
}

void FileOutputStream::close() {
    if (safe_) {
        abort();
        return;
    }
    if (handle_) closeHandle(true);
    freeBuffer();
}

void FileOutputStream::clear() {
    close();
    buffered_ = 0;
    position_ = 0;
    failed_ = false;
    readError_ = false;
}

void FileOutputStream::rewind() {
    writeOut();
    movePointer(handle_, 0, FILE_BEGIN);
    position_ = 0;
}

uint64_t FileOutputStream::seekToEnd() {
    writeOut();
    int64_t now = movePointer(handle_, 0, FILE_END);
    if (now >= 0) position_ = uint64_t(now);
    return position_;
}

void FileOutputStream::seek(uint64_t position) {
    if (position == position_) return;
    writeOut();
    movePointer(handle_, int64_t(position), FILE_BEGIN);
    position_ = position;
}

uint64_t FileOutputStream::seekFromEnd(uint64_t n) {
    writeOut();
    int64_t now = movePointer(handle_, -int64_t(n), FILE_END);
    if (now >= 0) position_ = uint64_t(now);
    return position_;
}

void FileOutputStream::skip(uint64_t n) {
    if (n == 0) return;
    writeOut();
    movePointer(handle_, int64_t(n), FILE_CURRENT);
    position_ += n;
}

void FileOutputStream::skipBack(uint64_t n) {
    if (n == 0) return;
    writeOut();
    movePointer(handle_, -int64_t(n), FILE_CURRENT);
    position_ -= n;
}

bool FileOutputStream::read(void* buffer, uint32_t length, uint32_t& count) {
    // The file pointer stands behind the buffered bytes until they are written out.
    if (!writeOut()) {
        count = 0;
        readError_ = true;
        return false;
    }
    return readOnce(handle_, buffer, length, count, position_, readError_);
}

bool writeFileSafely(const wchar_t* path, const void* data, uint32_t length) {
    FileOutputStream* out = FileOutputStream::create();
    if (!out) return false;
    bool ok = out->openSafe(path) && io::IOutputStream::writeFully(out, data, length) && out->commit();
    out->dispose();
    return ok;
}

// ---- the path's stream openers and whole-file helpers ------------------------------------

io::IInputStream* PathWin::openInput() {
    FileInputStream* in = FileInputStream::create();
    if (in) in->open(getFullPath());
    return in;
}

io::IOutputStream* PathWin::openOutput(bool append) {
    makeParentDirectories();
    FileOutputStream* out = FileOutputStream::create();
    if (out) out->open(getFullPath(), append);
    return out;
}

bool PathWin::readAll(ArrayU08* bytes) {
    if (!bytes) return false;
    bytes->clear();
    FileInputStream* in = FileInputStream::create();
    if (!in) return false;
    bool ok = in->open(getFullPath());
    if (ok) {
        // Straight into the array's storage: one ReadFile for the whole file (more only
        // when the file grows meanwhile).
        int64_t size = in->size();
        uint32_t count = 0;
        ok = size >= 0 && uint64_t(size) < 0xFFFFFFFFull && bytes->reserve(uint32_t(size));
        while (ok) {
            if (count == bytes->capacity() && !bytes->ensureCapacity(count + 1)) {
                ok = false;
                break;
            }
            uint32_t got = 0;
            if (!in->read(static_cast<uint8_t*>(bytes->data()) + count, bytes->capacity() - count, got)) {
                ok = !in->hasError();
                break;
            }
            count += got;
        }
        bytes->setCount(count);
        static_cast<io::IOutputStream*>(bytes)->seek(count);
    }
    in->dispose();
    return ok;
}

bool PathWin::writeAll(const ArrayU08* bytes, bool append) {
    const void* data = bytes ? bytes->data() : nullptr;
    uint32_t length = bytes ? bytes->count() : 0;
    if (append) {
        auto* out = static_cast<FileOutputStream*>(openOutput(true));
        if (!out) return false;
        bool ok = out->isOpen() && io::IOutputStream::writeFully(out, data, length) && out->commit();
        out->dispose();
        return ok;
    }
    // The whole content is replaced: the old file stays until the new one is complete.
    makeParentDirectories();
    return writeFileSafely(getFullPath(), data, length);
}

bool PathWin::writeText(const StrBuffer* text, bool append) {
    ArrayU08* bytes = text ? text->toUtf8(nullptr, false) : ArrayU08::create();
    if (!bytes) return false;
    bool ok = writeAll(bytes, append);
    bytes->release();
    return ok;
}

}  // namespace s::file::win
