// Array cursors and the collection input stream.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/col/CollectionInputStream.h"
#include "foundation/col/Iterator.h"

using s::col::CollectionInputStream;
using s::col::IteratorBase;
using s::col::_array::ArrayP;
using s::col::_array::ArrayS32;
using s::col::_array::ArrayU08;

namespace {

ArrayS32* numbers(int n) {
    ArrayS32* a = ArrayS32::create();
    for (int i = 0; i < n; ++i) a->push(i + 1);
    return a;
}

}  // namespace

TEST(ArrayIterator, ForwardBackwardAndEnds) {
    ArrayS32* a = numbers(3);
    IteratorBase* it = a->iterator();
    EXPECT_STREQ(L"s_col_array_Iterator", it->getClassName());
    EXPECT_EQ(-1, it->getIndex());
    std::vector<void*> seen;
    while (it->hasNext()) seen.push_back(it->next());
    EXPECT_EQ((std::vector<void*>{a->slotAt(0), a->slotAt(1), a->slotAt(2)}), seen);
    EXPECT_EQ(2, it->getIndex());
    it->release();

    it = a->iteratorAt(1);
    EXPECT_EQ(2, *static_cast<int32_t*>(it->next()));
    it->release();

    it = a->iteratorAtEnd();
    EXPECT_FALSE(it->hasNext());
    EXPECT_EQ(3, *static_cast<int32_t*>(it->previous()));
    EXPECT_EQ(2, it->getIndex());
    std::vector<int32_t> back{3};
    while (it->hasPrevious()) back.push_back(*static_cast<int32_t*>(it->previous()));
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), back);
    it->release();

    it = a->iteratorFromEnd(1);
    EXPECT_EQ(2, *static_cast<int32_t*>(it->previous()));
    it->release();

    // -1 and out-of-range requests start at an end, never outside the elements.
    for (int32_t i : {-1, 3, 40}) {
        it = a->iteratorAt(i);
        EXPECT_FALSE(it->hasNext()) << i;
        EXPECT_EQ(3, *static_cast<int32_t*>(it->previous())) << i;
        it->release();
        it = a->iteratorFromEnd(i);
        EXPECT_FALSE(it->hasPrevious()) << i;
        EXPECT_EQ(1, *static_cast<int32_t*>(it->next())) << i;
        it->release();
    }
    EXPECT_EQ(3, *static_cast<int32_t*>(a->elementAt(2)));
    a->release();

    ArrayU08* empty = ArrayU08::create();
    it = empty->iterator();
    EXPECT_FALSE(it->hasNext());
    it->release();
    empty->release();
}

TEST(ArrayIterator, SkipsAndPointerElements) {
    ArrayP* p = ArrayP::create();
    int x[4];
    for (int& v : x) p->push(&v);
    IteratorBase* it = p->iterator();
    it->skipForward(2);
    EXPECT_EQ(1, it->getIndex());
    EXPECT_EQ(&x[2], *static_cast<void**>(it->next()));
    it->skipBack(2);
    EXPECT_EQ(&x[1], *static_cast<void**>(it->next()));
    it->release();
    p->release();
}

TEST(CollectionStream, DeliversChunksOfAtMost64Bytes) {
    ArrayS32* a = numbers(20);
    s::io::IInputStream* in = a->openInputStream();
    ASSERT_NE(nullptr, in);
    EXPECT_FALSE(in->isSeekable());
    uint8_t buf[256];
    uint32_t n = 0;
    EXPECT_TRUE(in->read(buf, sizeof buf, n));
    EXPECT_EQ(64u, n);
    EXPECT_EQ(0, std::memcmp(buf, a->items(), 64));
    EXPECT_TRUE(in->read(buf, sizeof buf, n));
    EXPECT_EQ(16u, n);
    EXPECT_EQ(0, std::memcmp(buf, a->items() + 16, 16));
    EXPECT_FALSE(in->read(buf, sizeof buf, n));
    EXPECT_EQ(0u, n);
    // close starts again from the first element.
    in->close();
    EXPECT_TRUE(in->read(buf, 8, n));
    EXPECT_EQ(8u, n);
    EXPECT_EQ(1, reinterpret_cast<int32_t*>(buf)[0]);
    in->dispose();
    a->release();
}

TEST(CollectionStream, SmallBuffersNeverOverflowAndLoseNothing) {
    ArrayS32* a = numbers(7);
    for (uint32_t size : {1u, 3u, 4u, 5u, 63u}) {
        s::io::IInputStream* in = a->openInputStream();
        std::vector<uint8_t> all;
        std::vector<uint8_t> buf(size + 8, 0xEE);
        uint32_t n = 0;
        while (in->read(buf.data(), size, n)) {
            ASSERT_GE(size, n);
            ASSERT_GT(n, 0u);
            for (uint32_t i = size; i < buf.size(); ++i) ASSERT_EQ(0xEE, buf[i]) << "overrun with " << size;
            all.insert(all.end(), buf.begin(), buf.begin() + n);
        }
        ASSERT_EQ(28u, all.size()) << size;
        EXPECT_EQ(0, std::memcmp(all.data(), a->items(), 28)) << size;
        in->dispose();
    }
    a->release();

    ArrayU08* empty = ArrayU08::create();
    s::io::IInputStream* in = empty->openInputStream();
    uint8_t b[4];
    uint32_t n = 7;
    EXPECT_FALSE(in->read(b, 4, n));
    EXPECT_EQ(0u, n);
    in->dispose();
    empty->release();
}
