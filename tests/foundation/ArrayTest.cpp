#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/comp/Comparator.h"
#include "foundation/str/StrBuffer.h"

using namespace s::col::_array;
using s::str::strbuffer::StrBuffer;

namespace {

std::vector<int32_t> contents(const ArrayS32& a) { return std::vector<int32_t>(a.items(), a.items() + a.count()); }

void fill(ArrayS32& a, int n) {
    a.clear();
    for (int i = 0; i < n; ++i) a.push(i);
}

// ---------------------------------------------------------------- growth

TEST(ArrayGrowthTest, OneStepFollowsTheRuleAtEveryBoundary) {
    struct Case {
        uint32_t from, to;
    } cases[] = {
        {0, 100},          {99, 100},           {100, 300},           {9999999, 29999997},
        {10000000, 20000000}, {49999999, 99999998}, {50000000, 75000000}, {99999999, 149999998},
        {100000000, 120000000}, {4000000000u, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) EXPECT_EQ(s::col::growthStep(c.from), c.to) << c.from;
}

TEST(ArrayGrowthTest, RepeatedStepsStopAtTheFirstCapacityThatFits) {
    struct Case {
        uint32_t capacity, needed, result;
    } cases[] = {
        {0, 0, 0}, {0, 1, 100}, {0, 250, 300}, {300, 301, 900}, {100, 100, 100},
        {0, 10000000, 17714700}, {0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) EXPECT_EQ(s::col::grownCapacity(c.capacity, c.needed), c.result) << c.needed;
}

TEST(ArrayGrowthTest, ArraysGrowByTheRule) {
    ArrayU08* a = ArrayU08::create();
    for (int i = 0; i < 100; ++i) a->push(uint8_t(i));
    EXPECT_EQ(a->capacity(), 100u);
    a->push(100);
    EXPECT_EQ(a->capacity(), 300u);  // 101 single appends
    EXPECT_EQ(a->count(), 101u);
    for (uint32_t i = 0; i < 101; ++i) ASSERT_EQ(a->get(i), uint8_t(i));

    ArrayS32 bulk;
    std::vector<int32_t> src(250, 7);
    bulk.append(src.data(), 250);
    EXPECT_EQ(bulk.capacity(), 300u);  // one bulk append sizes by the rule

    ArrayS32 one;
    int32_t v = 1;
    one.append(&v, 1);
    EXPECT_EQ(one.capacity(), 100u);

    ArrayS32 exact;
    exact.setCount(250);
    EXPECT_EQ(exact.capacity(), 250u);  // setCount reserves exactly
    EXPECT_EQ(exact.count(), 250u);

    ArrayP p;
    for (int i = 0; i < 100; ++i) p.push(&p);
    p.insertAt(0, nullptr);
    EXPECT_EQ(p.capacity(), 101u);  // inserting in front grows one element at a time
    p.insertAt(50, nullptr);
    EXPECT_EQ(p.capacity(), 102u);
    EXPECT_EQ(p.get(0), nullptr);
    EXPECT_EQ(p.get(50), nullptr);
    EXPECT_EQ(p.count(), 102u);
    a->release();
}

// ---------------------------------------------------------------- editing

TEST(ArrayTest, EditingOperationsOnAnIntArray) {
    const int32_t extra[] = {100, 101, 102, 103};
    struct Case {
        const char* name;
        std::function<void(ArrayS32&, std::vector<int32_t>&)> op;  // second: removed elements
        std::vector<int32_t> expected;
        std::vector<int32_t> removed;
    } cases[] = {
        {"append", [&](ArrayS32& a, auto&) { a.append(extra, 2, 1); }, {0, 1, 2, 3, 4, 5, 101, 102}, {}},
        {"prepend", [&](ArrayS32& a, auto&) { a.prepend(extra, 2); }, {100, 101, 0, 1, 2, 3, 4, 5}, {}},
        {"insert at count appends", [&](ArrayS32& a, auto&) { a.insert(6, extra, 1); }, {0, 1, 2, 3, 4, 5, 100}, {}},
        {"insert at 0 prepends", [&](ArrayS32& a, auto&) { a.insert(0, extra, 1); }, {100, 0, 1, 2, 3, 4, 5}, {}},
        {"insert in the middle", [&](ArrayS32& a, auto&) { a.insert(2, extra, 3); }, {0, 1, 100, 101, 102, 2, 3, 4, 5}, {}},
        {"put inside", [&](ArrayS32& a, auto&) { a.put(extra, 2, 0, 1); }, {0, 100, 101, 3, 4, 5}, {}},
        {"put past the end", [&](ArrayS32& a, auto&) { a.put(extra, 4, 0, 4); }, {0, 1, 2, 3, 100, 101, 102, 103}, {}},
        {"put nothing", [&](ArrayS32& a, auto&) { a.put(extra, 0, 0, 50); }, {0, 1, 2, 3, 4, 5}, {}},
        {"dropLast", [&](ArrayS32& a, auto&) { a.dropLast(2); }, {0, 1, 2, 3}, {}},
        {"dropFirst", [&](ArrayS32& a, auto&) { a.dropFirst(2); }, {2, 3, 4, 5}, {}},
        {"removeRange middle", [&](ArrayS32& a, auto&) { a.removeRange(1, 2); }, {0, 3, 4, 5}, {}},
        {"removeRange to the end", [&](ArrayS32& a, auto&) { a.removeRange(3, 3); }, {0, 1, 2}, {}},
        {"removeRange front", [&](ArrayS32& a, auto&) { a.removeRange(0, 4); }, {4, 5}, {}},
        {"popLast", [&](ArrayS32& a, auto& out) { out.resize(3); a.popLast(out.data(), 2, 1); },
         {0, 1, 2, 3}, {0, 4, 5}},
        {"popFirst", [&](ArrayS32& a, auto& out) { out.resize(2); a.popFirst(out.data(), 2); }, {2, 3, 4, 5}, {0, 1}},
        {"takeRange", [&](ArrayS32& a, auto& out) { out.resize(3); a.takeRange(2, out.data(), 3); }, {0, 1, 5}, {2, 3, 4}},
        {"swapAt", [&](ArrayS32& a, auto&) { a.swapAt(0, 5); }, {5, 1, 2, 3, 4, 0}, {}},
        {"swapWith", [&](ArrayS32& a, auto&) { int32_t t; a.swapWith(1, 2, &t); }, {0, 2, 1, 3, 4, 5}, {}},
        {"reverse", [&](ArrayS32& a, auto&) { a.reverse(); }, {5, 4, 3, 2, 1, 0}, {}},
        {"setCount lower", [&](ArrayS32& a, auto&) { a.setCount(2); }, {0, 1}, {}},
        {"append own elements", [&](ArrayS32& a, auto&) { a.append(a.items(), 3, 3); }, {0, 1, 2, 3, 4, 5, 3, 4, 5}, {}},
        {"insert own elements", [&](ArrayS32& a, auto&) { a.insert(1, a.items(), 2, 4); }, {0, 4, 5, 1, 2, 3, 4, 5}, {}},
    };
    for (auto& c : cases) {
        ArrayS32 a;
        fill(a, 6);
        std::vector<int32_t> removed(c.removed.size(), 0);
        c.op(a, removed);
        EXPECT_EQ(contents(a), c.expected) << c.name;
        EXPECT_EQ(removed, c.removed) << c.name;
    }
}

TEST(ArrayTest, AppendingOwnElementsWhileTheBlockMoves) {
    ArrayS32 a;
    fill(a, 100);
    ASSERT_EQ(a.capacity(), 100u);
    a.append(a.items(), 100);  // the source lives in the block that grows
    ASSERT_EQ(a.count(), 200u);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(a[i], i % 100);
}

TEST(ArrayTest, ReverseEveryElementSize) {
    ArrayU08 u8;
    ArrayP p;
    int objs[5];
    for (int i = 0; i < 5; ++i) {
        u8.push(uint8_t(i));
        p.push(&objs[i]);
    }
    u8.reverse();
    p.reverse();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(u8[i], 4 - i);
        EXPECT_EQ(p.get(i), &objs[4 - i]);
    }
}

TEST(ArrayTest, ClearKeepsStorageAndFreeStorageDropsIt) {
    ArrayS32 a;
    fill(a, 10);
    a.seek(8);
    a.clear();
    EXPECT_EQ(a.count(), 0u);
    EXPECT_EQ(a.capacity(), 100u);
    EXPECT_EQ(a.getPosition(), 0u);
    fill(a, 10);
    a.freeStorage();
    EXPECT_EQ(a.capacity(), 0u);
    EXPECT_EQ(a.data(), nullptr);
}

TEST(ArrayTest, CopyBetweenArraysAndOut) {
    ArrayS32 a, b;
    fill(a, 5);
    fill(b, 3);
    a.copyTo(&b, 2, 1, 3);  // a[1..4) over b from 2
    EXPECT_EQ(contents(b), (std::vector<int32_t>{0, 1, 1, 2, 3}));
    ArrayS32 c;
    c.copyFrom(&a, 3, 0);  // the rest of a from 3
    EXPECT_EQ(contents(c), (std::vector<int32_t>{3, 4}));
    int32_t out[4] = {9, 9, 9, 9};
    a.copyOut(out, 1, 2);  // a[2..5) to out from 1
    EXPECT_EQ(std::vector<int32_t>(out, out + 4), (std::vector<int32_t>{9, 2, 3, 4}));
    EXPECT_EQ(a.byteCount(), 20u);
    EXPECT_EQ(a.byteCount(3), 12u);
}

// ---------------------------------------------------------------- pointer arrays

struct Counted : s::base::IObject {
    S_CLASS_NAME(L"s_test_Counted")
public:
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() override { --alive; }
    s::base::IObject* newInstance() const override { return new Counted(); }
};

TEST(ArrayPTest, RemoveItemFindsByIdentityAndLeavesTheArrayAloneWhenAbsent) {
    int x[4];
    ArrayP p;
    EXPECT_EQ(p.removeItem(&x[0]), nullptr);  // empty
    for (int& v : x) p.push(&v);
    int stranger;
    EXPECT_EQ(p.removeItem(&stranger), nullptr);
    EXPECT_EQ(p.count(), 4u);
    EXPECT_EQ(p.removeItem(&x[1]), &x[1]);
    EXPECT_EQ(p.removeItem(&x[3]), &x[3]);  // the last one
    ASSERT_EQ(p.count(), 2u);
    EXPECT_EQ(p.get(0), &x[0]);
    EXPECT_EQ(p.get(1), &x[2]);
    p.insertAt(1, &x[1]);
    p.insertAt(3, &x[3]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(p.get(i), &x[i]);
    EXPECT_EQ(p.indexOf(&x[2]), 2);
    EXPECT_EQ(p.indexOf(&stranger), -1);
}

TEST(ArrayPTest, DestroyerDisposesOfItemsRemovedForGood) {
    Counted::alive = 0;
    {
        ArrayP p(s::cleaner::CleanerIObject::instance());
        for (int i = 0; i < 4; ++i) p.push(static_cast<s::base::IObject*>(new Counted()));
        EXPECT_EQ(Counted::alive, 4);
        p.removeAtAndRelease(1);
        EXPECT_EQ(Counted::alive, 3);
        void* kept = p.removeItem(p.get(0));  // handed back, not destroyed
        EXPECT_EQ(Counted::alive, 3);
        delete static_cast<s::base::IObject*>(kept);
        p.dropLast(0);
    }
    EXPECT_EQ(Counted::alive, 0);  // the destructor freed the rest through the destroyer

    ArrayP* pooled = ArrayP::create();
    pooled->setDestroyer(s::cleaner::CleanerIObject::instance());
    pooled->push(static_cast<s::base::IObject*>(new Counted()));
    pooled->release();
    EXPECT_EQ(Counted::alive, 0);
    ArrayP* again = ArrayP::create();
    EXPECT_EQ(again->getDestroyer(), nullptr);  // reset clears the destroyer
    EXPECT_EQ(again->count(), 0u);
    EXPECT_EQ(again->capacity(), 0u);
    again->release();
}

TEST(ArrayPTest, AClassPoolAsDestroyerReturnsItemsToIt) {
    ArrayP list(ArrayS32::pooler());
    ArrayS32* item = ArrayS32::create();
    item->push(5);
    list.push(item);
    uint32_t before = ArrayS32::pooler()->pooledCount();
    list.freeStorage();
    EXPECT_EQ(ArrayS32::pooler()->pooledCount(), before + 1);
    ArrayS32* back = ArrayS32::create();
    EXPECT_EQ(back, item);
    EXPECT_EQ(back->count(), 0u);
    back->release();
}

TEST(ArrayPTest, PooledArraysComeBackEmpty) {
    ArrayU32* a = ArrayU32::create();
    a->push(1)->push(2);
    a->release();
    ArrayU32* b = static_cast<ArrayU32*>(a->newInstance());
    EXPECT_EQ(b, a);  // the same object, reset
    EXPECT_EQ(b->count(), 0u);
    EXPECT_EQ(b->capacity(), 0u);
    b->release();
}

// ---------------------------------------------------------------- comparing

TEST(ArrayTest, CompareElementsAsMemoryWithLengthRules) {
    ArrayS32 a;
    fill(a, 4);  // 0 1 2 3
    const int32_t same[] = {0, 1, 2, 3};
    const int32_t longer[] = {0, 1, 2, 3, 4};
    const int32_t highByte[] = {0, 1, 2, 0x100 + 3};
    struct Case {
        const char* name;
        uint32_t index;
        const int32_t* other;
        uint32_t otherCount, otherIndex;
        int32_t n;
        int sign;
    } cases[] = {
        {"equal", 0, same, 4, 0, -1, 0},
        {"this shorter", 0, longer, 5, 0, -1, -1},
        {"this longer", 2, same, 3, 2, -1, 1},
        {"limited length", 0, longer, 5, 0, 4, 0},
        {"requested more than both hold equally", 0, same, 4, 0, 10, 0},
        {"requested more than this holds", 0, longer, 5, 0, 5, -1},
        {"all bytes of each element", 0, highByte, 4, 0, -1, -1},
        {"offset ranges", 2, same, 4, 2, -1, 0},
    };
    for (const Case& c : cases) {
        int r = a.compareElements(c.index, c.other, c.otherCount, c.otherIndex, c.n);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.name;
    }
}

TEST(ArrayTest, CompareToUsesCountThenTheElementComparator) {
    ArrayS32 a, b;
    a.push(-1);
    b.push(1);
    EXPECT_EQ(a.compareTo(&b), -1);  // signed: -1 < 1 (a byte compare would say otherwise)
    EXPECT_EQ(b.compareTo(&a), 1);
    b.push(0);
    EXPECT_EQ(a.compareTo(&b), -1);  // fewer elements
    EXPECT_EQ(b.compareTo(&a), 1);
    ArrayS32 c;
    c.push(-1);
    EXPECT_EQ(a.compareTo(&c), 0);
    EXPECT_TRUE(a.equals(&c));

    ArrayU08 u1, u2;
    u1.push(0xFF);
    u2.push(0x01);
    EXPECT_EQ(u1.compareTo(&u2), 1);
    EXPECT_EQ(a.getComparator(), s::comp::CompS32::instance());
}

// ---------------------------------------------------------------- streams

TEST(ArrayStreamTest, WriteThenReadThroughTheViews) {
    ArrayS32 a;
    uint32_t n = 0;
    EXPECT_TRUE(a.write("abcde", 5, n));
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(a.count(), 1u);  // whole elements only
    EXPECT_EQ(a.getPosition(), 5u);
    a.rewind();
    char buf[64] = {};
    EXPECT_TRUE(a.read(buf, sizeof buf, n));
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::string(buf, 4), "abcd");
    EXPECT_FALSE(a.read(buf, sizeof buf, n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(a.read(buf, 0, n));
    EXPECT_EQ(n, 0u);
}

// Sizes are worked out in 64 bits: a request whose size wraps round a 32-bit number
// fails and writes nothing (it used to make a 14-element block and copy 4 GiB into it).
TEST(ArrayStreamTest, RequestsPastThe32BitCountFailAndWriteNothing) {
    const uint8_t header[14] = {'B', 'M'};
    uint8_t small[16] = {};
    ArrayU08 a;
    uint32_t n = 7;
    ASSERT_TRUE(a.write(header, 14, n));
    for (uint32_t length : {0xFFFFFFFFu, 0xFFFFFFF2u, 0xFFFFFFF1u}) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(a.write(small, length, n));
        EXPECT_EQ(n, 0u);
        EXPECT_EQ(a.count(), 14u);
        EXPECT_EQ(a.getPosition(), 14u);
    }
    EXPECT_FALSE(a.append(small, 0xFFFFFFF5u));
    EXPECT_EQ(a.count(), 14u);
    a.put(small, 0xFFFFFFF0u, 0, 0x20);
    EXPECT_EQ(a.count(), 14u);
    EXPECT_EQ(a.items()[0], 'B');
    // Elements wider than a byte: the element count, not the bytes, must fit.
    ArrayS32 wide;
    wide.push(1);
    EXPECT_FALSE(wide.append(small, 0xFFFFFFFFu));
    EXPECT_EQ(contents(wide), std::vector<int32_t>{1});
    // Seeking from the end never goes before the start.
    EXPECT_EQ(a.seekFromEnd(100), 0u);
    EXPECT_EQ(a.seekToEnd(), 14u);
}

TEST(ArrayStreamTest, PositioningOperations) {
    ArrayU08 a;
    for (int i = 0; i < 10; ++i) a.push(uint8_t('0' + i));
    s::io::IInputStream* in = &a;
    EXPECT_EQ(in->seekToEnd(), 10u);
    EXPECT_EQ(in->seekFromEnd(3), 7u);
    in->skipBack(2);
    in->skip(1);
    EXPECT_EQ(in->getPosition(), 6u);
    EXPECT_TRUE(in->isSeekable());
    char c[2];
    EXPECT_TRUE(s::io::IInputStream::readFully(in, c, 2));
    EXPECT_EQ(std::string(c, 2), "67");
    // The stream views' clear rewinds; it never empties the array.
    in->clear();
    static_cast<s::io::IOutputStream*>(&a)->clear();
    EXPECT_EQ(a.getPosition(), 0u);
    EXPECT_EQ(a.count(), 10u);
    a.clear();
    EXPECT_EQ(a.count(), 0u);
}

TEST(ArrayStreamTest, ArraysCopyThroughTheStreamHelpers) {
    ArrayU08 src, dst;
    for (int i = 0; i < 3000; ++i) src.push(uint8_t(i * 13));
    EXPECT_TRUE(s::io::IOutputStream::copyFrom(&dst, &src));
    ASSERT_EQ(dst.count(), 3000u);
    EXPECT_EQ(std::memcmp(dst.data(), src.data(), 3000), 0);
    ArrayU08 out;
    EXPECT_TRUE(s::io::IOutputStream::writeU16(&out, 0x1234));
    EXPECT_EQ(out[0], 0x34);
    EXPECT_EQ(out[1], 0x12);
}

// ---------------------------------------------------------------- text

std::wstring text(StrBuffer* s) {
    std::wstring r(s->data() ? s->data() : L"", s->length());
    s->release();
    return r;
}

TEST(ArrayTextTest, TextXmlAndHexDumps) {
    ArrayS32 s32;
    s32.push(1)->push(-2)->push(3);
    ArrayU32 emptyU32;
    ArrayU08 u8;
    u8.push(0x0A)->push(0xFF);
    ArrayU08 emptyU8;
    ArrayS08 s8;
    s8.push(-1)->push(-56);

    EXPECT_EQ(text(s32.toText(nullptr, false)), L"s_col__array_ArrayS32 [1 -2 3]");
    EXPECT_EQ(text(emptyU32.toText(nullptr, false)), L"s_col__array_ArrayU32 []");
    EXPECT_EQ(text(s8.toText(nullptr, false)), L"s_col__array_ArrayS08 [-1 -56]");
    EXPECT_EQ(text(u8.toXml(nullptr, false)), L"<s_col__array_ArrayU08 length=\"2\">0aff</s_col__array_ArrayU08>");
    EXPECT_EQ(text(emptyU8.toXml(nullptr, false)), L"<s_col__array_ArrayU08 length=\"0\"></s_col__array_ArrayU08>");
    EXPECT_EQ(text(s8.toHex(nullptr, false)), L"ffc8");
    EXPECT_EQ(text(s32.toHex(nullptr, false)), L"00000001fffffffe00000003");
}

TEST(ArrayTextTest, AppendFlagAndPointerElements) {
    StrBuffer* out = StrBuffer::create();
    out->appendText(L"x:");
    ArrayU08 u8;
    u8.push(200);
    u8.toText(out, true);
    EXPECT_EQ(std::wstring(out->text()), L"x:s_col__array_ArrayU08 [200]");
    u8.toHex(out, false);
    EXPECT_EQ(std::wstring(out->text()), L"c8");
    out->release();

    Counted obj;
    ArrayP p;
    p.push(static_cast<s::base::IObject*>(&obj));
    std::wstring expected = L"s_col__array_ArrayP [s_test_Counted(" +
                            std::to_wstring(int64_t(reinterpret_cast<uintptr_t>(static_cast<s::base::IObject*>(&obj)))) +
                            L")]";
    EXPECT_EQ(text(p.toText(nullptr, false)), expected);
    EXPECT_EQ(text(p.toHex(nullptr, false)), L"");
}

TEST(ArrayTextTest, DigestOfTheElementBytes) {
    ArrayU08 abc;
    abc.push('a')->push('b')->push('c');
    EXPECT_EQ(text(abc.digest(nullptr, nullptr, false)), L"900150983cd24fb0d6963f7d28e17f72");
    ArrayU32 empty;
    StrBuffer* out = StrBuffer::create();
    out->appendText(L"md5=");
    empty.digest(nullptr, out, true);
    EXPECT_EQ(text(out), L"md5=d41d8cd98f00b204e9800998ecf8427e");
    ArrayS32 word;
    word.push(0x00636261);  // "abc\0" in memory: four bytes are fed
    EXPECT_NE(text(word.digest(nullptr, nullptr, false)), L"900150983cd24fb0d6963f7d28e17f72");
}

TEST(ArrayTest, SampleDataHoldsFiveElements) {
    ArrayS32 a;
    ArrayP p;
    EXPECT_EQ(a.sampleCount(), 5u);
    const int32_t* s = static_cast<const int32_t*>(a.sampleData());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s[i], i);
    void* const* objs = static_cast<void* const*>(p.sampleData());
    for (int i = 0; i < 5; ++i) ASSERT_NE(objs[i], nullptr);
    EXPECT_EQ(p.sampleData(), p.sampleData());
}

}  // namespace
