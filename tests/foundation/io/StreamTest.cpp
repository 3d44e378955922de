#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/io/Stream.h"
#include "tests/support/MemoryStreams.h"

using s::io::IInputStream;
using s::io::IOutputStream;

namespace {

// An in-memory source that delivers at most `chunk` bytes per read and can fail
// (with an error) once `failAt` bytes have been delivered.
class FakeInput : public testsupport::MemoryInput<std::string> {
public:
    explicit FakeInput(std::string data, uint32_t chunk = 1u << 30) : MemoryInput(std::move(data), chunk, false) {}
    size_t failAt = std::string::npos;
    bool emptySuccess = false;  // answers true with no bytes instead of delivering
    int reads = 0;
    bool error = false;

    bool read(void* buffer, uint32_t length, uint32_t& count) override {
        ++reads;
        count = 0;
        if (emptySuccess) return true;
        if (pos_ >= failAt) {
            error = true;
            return false;
        }
        if (pos_ >= bytes_.size()) return false;
        size_t k = std::min<size_t>({length, chunk_, bytes_.size() - pos_});
        if (failAt != std::string::npos) k = std::min<size_t>(k, failAt - pos_);
        std::memcpy(buffer, bytes_.data() + pos_, k);
        pos_ += k;
        count = uint32_t(k);
        return true;
    }
    bool hasError() override { return error; }
};

// A sink that accepts at most `chunk` bytes per call and can fail after `failAfter` bytes.
class FakeOutput : public testsupport::MemoryOutput<std::string> {
public:
    explicit FakeOutput(uint32_t chunk = 1u << 30) : chunk_(chunk) {}
    int writes = 0;
    size_t failAfter = std::string::npos;
    bool acceptNothing = false;

    bool write(const void* p, uint32_t length, uint32_t& count) override {
        ++writes;
        count = 0;
        if (bytes.size() >= failAfter) return false;
        if (acceptNothing) return true;
        uint32_t k = std::min(length, chunk_);
        bytes.append(static_cast<const char*>(p), k);
        count = k;
        return true;
    }
    uint64_t seekFromEnd(uint64_t) override { return 0; }
    void clear() override { bytes.clear(); }

private:
    uint32_t chunk_;
};

std::string pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = char(i * 7 + i / 256);
    return s;
}

TEST(StreamTest, WriteFullyOfZeroBytesSucceedsWithoutACall) {
    FakeOutput out;
    EXPECT_TRUE(IOutputStream::writeFully(&out, "x", 0));
    EXPECT_EQ(out.writes, 0);
    FakeInput in("abc");
    char b[1];
    EXPECT_TRUE(IInputStream::readFully(&in, b, 0));
    EXPECT_EQ(in.reads, 0);
}

TEST(StreamTest, ExactCountTransfersLoopOverPartialCalls) {
    struct Case {
        uint32_t chunk;
        size_t size;
    } cases[] = {{1, 10}, {3, 10}, {7, 1000}, {1000, 1000}, {4096, 5000}};
    for (const Case& c : cases) {
        std::string data = pattern(c.size);
        FakeOutput out(c.chunk);
        EXPECT_TRUE(IOutputStream::writeFully(&out, data.data(), uint32_t(data.size())));
        EXPECT_EQ(out.bytes, data) << "chunk " << c.chunk;

        FakeInput in(data, c.chunk);
        std::string back(c.size, '\0');
        EXPECT_TRUE(IInputStream::readFully(&in, back.data(), uint32_t(back.size())));
        EXPECT_EQ(back, data) << "chunk " << c.chunk;
    }
}

TEST(StreamTest, ExactCountTransfersFailOnShortDataErrorsAndNoProgress) {
    FakeInput shortIn("abc", 2);
    char b[8];
    EXPECT_FALSE(IInputStream::readFully(&shortIn, b, 4));

    FakeInput stuck("abcdef");
    stuck.emptySuccess = true;
    EXPECT_FALSE(IInputStream::readFully(&stuck, b, 4));
    EXPECT_EQ(stuck.reads, 1);

    FakeOutput failing(2);
    failing.failAfter = 4;
    EXPECT_FALSE(IOutputStream::writeFully(&failing, "abcdefgh", 8));
    EXPECT_EQ(failing.bytes, "abcd");

    FakeOutput lazy;
    lazy.acceptNothing = true;
    EXPECT_FALSE(IOutputStream::writeFully(&lazy, "abc", 3));
    EXPECT_EQ(lazy.writes, 1);
}

TEST(StreamTest, IntegersAreWrittenLittleEndian) {
    FakeOutput out(1);
    EXPECT_TRUE(IOutputStream::writeU8(&out, 0xAB));
    EXPECT_TRUE(IOutputStream::writeU16(&out, 0x1234));
    EXPECT_TRUE(IOutputStream::writeU32(&out, 0xDEADBEEF));
    EXPECT_EQ(out.bytes, std::string("\xAB\x34\x12\xEF\xBE\xAD\xDE", 7));
}

// Both copy helpers behave alike; each case runs through both.
using CopyFn = bool (*)(IOutputStream*, IInputStream*);
bool viaCopyFrom(IOutputStream* out, IInputStream* in) { return IOutputStream::copyFrom(out, in); }
bool viaCopyStream(IOutputStream* out, IInputStream* in) { return s::io::copyStream(in, out); }
const CopyFn kCopies[] = {viaCopyFrom, viaCopyStream};

TEST(StreamTest, CopyMovesEveryByteInOrder) {
    for (CopyFn copy : kCopies) {
        for (size_t size : {size_t(0), size_t(1), size_t(1023), size_t(1024), size_t(1025), size_t(10000)}) {
            std::string data = pattern(size);
            FakeInput in(data, 333);
            FakeOutput out(100);
            EXPECT_TRUE(copy(&out, &in)) << size;
            EXPECT_EQ(out.bytes, data) << size;
            if (size == 0) { EXPECT_EQ(out.writes, 0); }
        }
    }
}

TEST(StreamTest, CopyReportsAFailingWriteAndKeepsWhatWasWritten) {
    for (CopyFn copy : kCopies) {
        std::string data = pattern(5000);
        FakeInput in(data);
        FakeOutput out(512);
        out.failAfter = 1536;
        EXPECT_FALSE(copy(&out, &in));
        EXPECT_EQ(out.bytes, data.substr(0, 1536));
    }
}

TEST(StreamTest, CopyReportsAReadErrorInTheMiddle) {
    for (CopyFn copy : kCopies) {
        std::string data = pattern(5000);
        FakeInput in(data);
        in.failAt = 2048;
        FakeOutput out;
        EXPECT_FALSE(copy(&out, &in));
        EXPECT_EQ(out.bytes, data.substr(0, 2048));
    }
}

TEST(StreamTest, CopyStopsOnAReadThatSucceedsWithoutBytes) {
    for (CopyFn copy : kCopies) {
        FakeInput in("abc");
        in.emptySuccess = true;
        FakeOutput out;
        EXPECT_FALSE(copy(&out, &in));
        EXPECT_EQ(in.reads, 1);
    }
}

}  // namespace
