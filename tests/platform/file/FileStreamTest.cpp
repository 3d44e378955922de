#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "platform/file/FileStream.h"
#include "platform/file/PathWin.h"
#include "support/HostTool.h"
#include "support/FileBytes.h"

using s::col::_array::ArrayU08;
using s::file::win::FileInputStream;
using s::file::win::FileOutputStream;
using s::file::win::PathWin;
using s::io::IInputStream;
using s::io::IOutputStream;
using s::str::strbuffer::StrBuffer;

namespace {

// One fresh Windows folder per test.
class FileStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> n{0};
        dir_ = testsupport::winPath(testsupport::makeTempDir("stream" + std::to_string(n++)));
    }
    std::wstring file(const wchar_t* name) const { return dir_ + L"\\" + name; }

    static void put(const std::wstring& path, const std::string& bytes) {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        DWORD w = 0;
        ASSERT_TRUE(WriteFile(f, bytes.data(), DWORD(bytes.size()), &w, nullptr));
        CloseHandle(f);
    }
    static std::string get(const std::wstring& path) { return testsupport::fileBytes(path); }
    static int64_t sizeOf(const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA d;
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &d)) return -1;
        return (int64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    }
    // Names in the folder (to prove no temporary file is left behind).
    std::vector<std::wstring> names() const {
        std::vector<std::wstring> out;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir_ + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return out;
        do {
            if (wcscmp(fd.cFileName, L".") && wcscmp(fd.cFileName, L"..")) out.push_back(fd.cFileName);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return out;
    }

    std::wstring dir_;
};

std::vector<uint8_t> pattern(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + (i >> 8));
    return v;
}

TEST_F(FileStreamTest, WritesBatchIntoWholeBuffers) {
    std::wstring p = file(L"big.bin");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->open(p.c_str(), false));
    auto data = pattern(100000);
    uint32_t count = 0;
    ASSERT_TRUE(out->write(data.data(), 100000, count));
    EXPECT_EQ(count, 100000u);
    // One full buffer went out; the rest waits.
    EXPECT_EQ(sizeOf(p), 65536);
    EXPECT_EQ(out->buffered(), 34464u);
    EXPECT_EQ(out->getPosition(), 100000u);
    // Seeking to where the stream stands writes nothing out.
    out->seek(100000);
    EXPECT_EQ(out->buffered(), 34464u);
    ASSERT_TRUE(out->flush());
    EXPECT_EQ(out->buffered(), 0u);
    EXPECT_EQ(sizeOf(p), 100000);
    EXPECT_TRUE(out->commit());
    EXPECT_FALSE(out->isOpen());
    out->dispose();
    std::string back = get(p);
    ASSERT_EQ(back.size(), data.size());
    EXPECT_EQ(0, memcmp(back.data(), data.data(), data.size()));
}

TEST_F(FileStreamTest, ExactlyOneBufferStaysUntilTheNextWriteOrSeek) {
    std::wstring p = file(L"one.bin");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->open(p.c_str(), false));
    auto data = pattern(65536);
    ASSERT_TRUE(IOutputStream::writeFully(out, data.data(), 65536));
    EXPECT_EQ(sizeOf(p), 0);
    EXPECT_EQ(out->buffered(), 65536u);
    ASSERT_TRUE(IOutputStream::writeU8(out, 0xAB));
    EXPECT_EQ(sizeOf(p), 65536);
    EXPECT_EQ(out->buffered(), 1u);
    out->seek(10);  // writes out the byte, then moves
    EXPECT_EQ(sizeOf(p), 65537);
    ASSERT_TRUE(IOutputStream::writeU8(out, 0xCD));
    EXPECT_EQ(out->getPosition(), 11u);
    out->dispose();  // closes and so flushes
    std::string back = get(p);
    ASSERT_EQ(back.size(), 65537u);
    EXPECT_EQ(uint8_t(back[10]), 0xCD);
    EXPECT_EQ(uint8_t(back[65536]), 0xAB);
}

TEST_F(FileStreamTest, AppendStartsAtTheEnd) {
    struct Case {
        const char* existing;  // null: no file
        uint64_t start;
    } cases[] = {{nullptr, 0}, {"0123456789", 10}, {"", 0}};
    int i = 0;
    for (const Case& c : cases) {
        std::wstring p = file((L"app" + std::to_wstring(i++) + L".txt").c_str());
        if (c.existing) put(p, c.existing);
        FileOutputStream* out = FileOutputStream::create();
        ASSERT_TRUE(out->open(p.c_str(), true));
        EXPECT_EQ(out->getPosition(), c.start);
        ASSERT_TRUE(IOutputStream::writeFully(out, "ab", 2));
        EXPECT_TRUE(out->commit());
        out->dispose();
        EXPECT_EQ(get(p), std::string(c.existing ? c.existing : "") + "ab");
    }
}

TEST_F(FileStreamTest, ReadsExactCountsUpToTheEnd) {
    std::wstring p = file(L"ten.bin");
    put(p, "0123456789");
    FileInputStream* in = FileInputStream::create();
    ASSERT_TRUE(in->open(p.c_str()));
    char buf[32] = {};
    uint32_t count = 99;
    ASSERT_TRUE(in->read(buf, 4, count));
    EXPECT_EQ(count, 4u);
    EXPECT_TRUE(IInputStream::readFully(in, buf, 6));
    EXPECT_EQ(std::string(buf, 6), "456789");
    EXPECT_EQ(in->getPosition(), 10u);
    // At the end: false with nothing read, and it is not an error.
    EXPECT_FALSE(in->read(buf, 1, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(in->hasError());
    // A short read near the end delivers what is there; readFully of more fails.
    in->seek(7);
    ASSERT_TRUE(in->read(buf, 10, count));
    EXPECT_EQ(count, 3u);
    in->rewind();
    EXPECT_FALSE(IInputStream::readFully(in, buf, 11));
    in->dispose();

    FileInputStream* missing = FileInputStream::create();
    EXPECT_FALSE(missing->open(file(L"nothing.bin").c_str()));
    EXPECT_FALSE(missing->read(buf, 1, count));
    EXPECT_TRUE(missing->hasError());
    missing->dispose();
}

TEST_F(FileStreamTest, SeeksAndSkipsPastFourGigabytes) {
    // A sparse file of a little more than 5 GiB: only the last bytes are written.
    const uint64_t big = (5ull << 30) + 12345;
    std::wstring p = file(L"huge.bin");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->open(p.c_str(), false));
    out->seek(big);
    EXPECT_EQ(out->getPosition(), big);
    ASSERT_TRUE(IOutputStream::writeFully(out, "XYZW", 4));
    EXPECT_EQ(out->seekToEnd(), big + 4);
    EXPECT_EQ(out->seekFromEnd(1), big + 3);
    out->skipBack(1);
    EXPECT_EQ(out->getPosition(), big + 2);
    ASSERT_TRUE(out->truncate());  // cuts "ZW"
    EXPECT_TRUE(out->commit());
    out->dispose();
    EXPECT_EQ(sizeOf(p), int64_t(big + 2));

    FileInputStream* in = FileInputStream::create();
    ASSERT_TRUE(in->open(p.c_str()));
    EXPECT_EQ(in->size(), int64_t(big + 2));
    EXPECT_EQ(in->seekToEnd(), big + 2);
    EXPECT_EQ(in->seekFromEnd(2), big);
    char buf[4] = {};
    ASSERT_TRUE(IInputStream::readFully(in, buf, 2));
    EXPECT_EQ(std::string(buf, 2), "XY");
    in->skipBack(big + 2);
    EXPECT_EQ(in->getPosition(), 0u);
    in->skip(big + 1);
    ASSERT_TRUE(IInputStream::readFully(in, buf, 1));
    EXPECT_EQ(buf[0], 'Y');
    in->seek(big - 1);
    ASSERT_TRUE(IInputStream::readFully(in, buf, 2));
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 'X');
    in->dispose();
    DeleteFileW(p.c_str());
}

TEST_F(FileStreamTest, InputViewOfTheOutputSeesBufferedBytes) {
    std::wstring p = file(L"rw.bin");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->open(p.c_str(), false));
    ASSERT_TRUE(IOutputStream::writeFully(out, "hello world", 11));
    out->seek(6);
    IInputStream* view = out->inputView();
    char buf[8] = {};
    ASSERT_TRUE(IInputStream::readFully(view, buf, 5));
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(out->getPosition(), 11u);
    // A write that is still buffered must be visible to the next read.
    out->rewind();
    ASSERT_TRUE(IOutputStream::writeFully(out, "J", 1));
    ASSERT_TRUE(IInputStream::readFully(view, buf, 4));
    EXPECT_EQ(std::string(buf, 4), "ello");
    out->dispose();
    EXPECT_EQ(get(p), "Jello world");
}

TEST_F(FileStreamTest, PooledStreamsComeBackClosed) {
    std::wstring p = file(L"pool.bin");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->open(p.c_str(), false));
    ASSERT_TRUE(IOutputStream::writeFully(out, "abc", 3));
    out->release();  // the pool's reset closes (and so writes) the file
    EXPECT_EQ(get(p), "abc");
    FileOutputStream* again = FileOutputStream::create();
    EXPECT_FALSE(again->isOpen());
    EXPECT_EQ(again->getPosition(), 0u);
    uint32_t count = 7;
    EXPECT_FALSE(again->write("x", 1, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(again->flush());
    EXPECT_FALSE(again->commit());
    again->dispose();

    FileInputStream* in = FileInputStream::create();
    ASSERT_TRUE(in->open(p.c_str()));
    in->skip(2);
    in->release();
    FileInputStream* in2 = FileInputStream::create();
    EXPECT_FALSE(in2->isOpen());
    EXPECT_EQ(in2->getPosition(), 0u);
    in2->dispose();
}

TEST_F(FileStreamTest, LongPathsOpenThroughTheLongForm) {
    std::wstring folder = dir_;
    while (folder.size() < 300) {
        folder += L"\\abcdefghijklmnopqrstuvwxyz0123456789";
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    std::wstring p = folder + L"\\deep.txt";
    PathWin* path = PathWin::fromString(p.c_str());
    StrBuffer* text = StrBuffer::fromString(L"deep");
    EXPECT_TRUE(path->writeText(text, false));
    ArrayU08* bytes = ArrayU08::create();
    ASSERT_TRUE(path->readAll(bytes));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->count()), "deep");
    bytes->release();
    text->release();
    path->release();
}

// ---- whole-file helpers and safe replacement ----------------------------------------------

TEST_F(FileStreamTest, WholeFileHelpers) {
    std::wstring p = file(L"sub\\dir\\text.txt");
    PathWin* path = PathWin::fromString(p.c_str());
    StrBuffer* text = StrBuffer::fromString(L"Gr\u00fc\u00dfe \u65e5\u672c");
    ASSERT_TRUE(path->writeText(text, false));  // makes the missing folders
    // UTF-8 without a byte-order mark.
    EXPECT_EQ(get(p),
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE6\x97\xA5\xE6\x9C\xAC");
    ASSERT_TRUE(path->writeText(text, true));
    EXPECT_EQ(get(p).size(), 2 * 14u);

    ArrayU08* bytes = ArrayU08::create();
    bytes->append("stale", 5);
    ASSERT_TRUE(path->readAll(bytes));
    EXPECT_EQ(bytes->count(), 28u);
    EXPECT_EQ(bytes->get(0), 'G');

    // writeAll replaces the whole content, also with a shorter one.
    ArrayU08* small = ArrayU08::create();
    small->append("xy", 2);
    ASSERT_TRUE(path->writeAll(small, false));
    EXPECT_EQ(get(p), "xy");
    ASSERT_TRUE(path->writeAll(small, true));
    EXPECT_EQ(get(p), "xyxy");
    small->clear();
    ASSERT_TRUE(path->writeAll(small, false));
    EXPECT_EQ(sizeOf(p), 0);

    PathWin* missing = PathWin::fromString(file(L"none.bin").c_str());
    EXPECT_FALSE(missing->readAll(bytes));
    EXPECT_EQ(bytes->count(), 0u);
    IInputStream* in = missing->openInput();
    ASSERT_NE(in, nullptr);  // returned even though it could not open
    uint32_t count = 0;
    char c;
    EXPECT_FALSE(in->read(&c, 1, count));
    in->dispose();

    // openOutput makes the missing folders first.
    PathWin* nested = PathWin::fromString(file(L"new\\dir\\f.bin").c_str());
    IOutputStream* out = nested->openOutput(false);
    EXPECT_TRUE(IOutputStream::writeFully(out, "ok", 2));
    out->dispose();
    EXPECT_EQ(get(file(L"new\\dir\\f.bin")), "ok");

    nested->release();
    missing->release();
    small->release();
    bytes->release();
    text->release();
    path->release();
    // No temporary files are left beside the targets.
    for (const std::wstring& n : names()) EXPECT_EQ(n.find(L".tmp"), std::wstring::npos) << n.c_str();
}

TEST_F(FileStreamTest, SafeOutputReplacesOnlyOnCommit) {
    std::wstring p = file(L"pic.png");
    put(p, "previous picture");
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->openSafe(p.c_str()));
    auto data = pattern(200000);
    ASSERT_TRUE(IOutputStream::writeFully(out, data.data(), uint32_t(data.size())));
    ASSERT_TRUE(out->flush());
    // Everything written so big sits in a temporary file; the target is untouched.
    EXPECT_EQ(get(p), "previous picture");
    EXPECT_EQ(names().size(), 2u);
    EXPECT_TRUE(out->commit());
    out->dispose();
    EXPECT_EQ(sizeOf(p), 200000);
    EXPECT_EQ(names().size(), 1u);

    // A new file needs no previous one.
    ASSERT_TRUE(s::file::win::writeFileSafely(file(L"fresh.bin").c_str(), "new", 3));
    EXPECT_EQ(get(file(L"fresh.bin")), "new");
}

TEST_F(FileStreamTest, FailedSafeSaveKeepsThePreviousFile) {
    std::wstring p = file(L"settings.xml");
    const std::string old = "<old settings/>";
    put(p, old);

    // An encoder that gives up half-way: the stream is dropped without a commit,
    // whichever way it is let go.
    for (int way = 0; way < 4; ++way) {
        FileOutputStream* out = FileOutputStream::create();
        ASSERT_TRUE(out->openSafe(p.c_str()));
        ASSERT_TRUE(IOutputStream::writeFully(out, "<half", 5));
        ASSERT_TRUE(out->flush());
        switch (way) {
            case 0:
                out->abort();
                out->dispose();
                break;
            case 1:
                out->close();
                out->dispose();
                break;
            case 2: out->dispose(); break;
            case 3: out->release(); break;
        }
        EXPECT_EQ(get(p), old) << way;
        EXPECT_EQ(names().size(), 1u) << way;
    }

    // The replacement itself fails: another program holds the target without sharing.
    HANDLE lock = CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    FileOutputStream* out = FileOutputStream::create();
    ASSERT_TRUE(out->openSafe(p.c_str()));
    ASSERT_TRUE(IOutputStream::writeFully(out, "<new/>", 6));
    EXPECT_FALSE(out->commit());
    out->dispose();
    CloseHandle(lock);
    EXPECT_EQ(get(p), old);
    EXPECT_EQ(names().size(), 1u);

    // Through the path helper as well.
    lock = CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    PathWin* path = PathWin::fromString(p.c_str());
    StrBuffer* text = StrBuffer::fromString(L"<new/>");
    EXPECT_FALSE(path->writeText(text, false));
    CloseHandle(lock);
    EXPECT_EQ(get(p), old);
    EXPECT_EQ(names().size(), 1u);
    text->release();
    path->release();
}

TEST_F(FileStreamTest, WriteWhereNoFileCanBeMadeFailsAndKeepsTheOldFile) {
    // A "folder" that is really a file: nothing can be created below it.
    std::wstring blocker = file(L"blocker");
    put(blocker, "I am a file");
    std::wstring inside = blocker + L"\\out.bin";
    FileOutputStream* out = FileOutputStream::create();
    EXPECT_FALSE(out->open(inside.c_str(), false));
    EXPECT_FALSE(out->openSafe(inside.c_str()));
    uint32_t count = 1;
    EXPECT_FALSE(out->write("a", 1, count));
    EXPECT_FALSE(out->commit());
    out->dispose();

    // A read-only target cannot be replaced, safely or not, and stays as it was.
    std::wstring ro = file(L"readonly.txt");
    put(ro, "keep me");
    ASSERT_TRUE(SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_READONLY));
    PathWin* path = PathWin::fromString(ro.c_str());
    StrBuffer* text = StrBuffer::fromString(L"overwritten");
    EXPECT_FALSE(path->writeText(text, false));
    EXPECT_EQ(get(ro), "keep me");
    FileOutputStream* plain = FileOutputStream::create();
    EXPECT_FALSE(plain->open(ro.c_str(), false));
    plain->dispose();
    EXPECT_EQ(get(ro), "keep me");
    SetFileAttributesW(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
    text->release();
    path->release();
    EXPECT_EQ(names().size(), 2u);
}

}  // namespace
