// String list: ownership of its strings, removal, and multi-string round trips.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"

using s::col::_array::ArrayU08;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

// Every block this program frees goes through here, so a test can see which objects
// were deleted, and how often.
namespace {
constexpr int kMaxFreed = 256;
std::atomic<bool> recordFrees{false};
std::atomic<int> freedCount{0};
std::atomic<void*> freed[kMaxFreed];

int timesFreed(void* p) {
    int n = 0;
    const int count = freedCount < kMaxFreed ? freedCount.load() : kMaxFreed;
    for (int i = 0; i < count; ++i) n += freed[i] == p;
    return n;
}
}  // namespace

namespace {
__attribute__((noinline)) void* allocate(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    return p;
}
__attribute__((noinline)) void recordAndFree(void* p) {
    if (p && recordFrees) {
        const int i = freedCount++;
        if (i < kMaxFreed) freed[i] = p;
    }
    std::free(p);
}
}  // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void operator delete(void* p) noexcept { recordAndFree(p); }
void operator delete[](void* p) noexcept { recordAndFree(p); }
void operator delete(void* p, std::size_t) noexcept { recordAndFree(p); }
void operator delete[](void* p, std::size_t) noexcept { recordAndFree(p); }

namespace {

std::vector<std::wstring> textsOf(const StrArray* list) {
    std::vector<std::wstring> r;
    for (uint32_t i = 0; i < list->count(); ++i) r.emplace_back(list->at(i)->data(), list->at(i)->length());
    return r;
}

StrArray* listOf(const std::vector<const wchar_t*>& items) {
    StrArray* list = StrArray::create();
    for (const wchar_t* t : items) list->addText(t);
    return list;
}

}  // namespace

TEST(StrArrayList, RemoveAtKeepsOrder) {
    struct Case {
        std::vector<const wchar_t*> items;
        uint32_t index;
        std::vector<std::wstring> left;
    };
    const Case cases[] = {
        {{L"a", L"b", L"c", L"d"}, 0, {L"b", L"c", L"d"}},
        {{L"a", L"b", L"c", L"d"}, 2, {L"a", L"b", L"d"}},
        {{L"a", L"b", L"c", L"d"}, 3, {L"a", L"b", L"c"}},
        {{L"only"}, 0, {}},
    };
    for (const Case& c : cases) {
        StrArray* list = listOf(c.items);
        StrBuffer* removed = list->at(c.index);
        list->removeAt(c.index);
        EXPECT_EQ(textsOf(list), c.left) << "removing " << c.index;
        // The removed string went back to the pool, reset: the next string made is it.
        StrBuffer* next = StrBuffer::create();
        EXPECT_EQ(next, removed);
        EXPECT_EQ(next->length(), 0u);
        next->release();
        list->release();
    }
}

TEST(StrArrayList, PushTakesOwnershipAndPoolingEmptiesTheList) {
    StrArray* list = StrArray::create();
    StrBuffer* s = StrBuffer::fromString(L"mine");
    EXPECT_EQ(list->push(s), list);
    for (int i = 0; i < 250; ++i) list->addText(L"more");  // grows past the first block
    EXPECT_EQ(list->count(), 251u);
    EXPECT_EQ(list->at(0), s);
    list->release();
    StrArray* again = StrArray::create();
    EXPECT_EQ(again, list);
    EXPECT_EQ(again->count(), 0u);
    again->addText(L"fresh");
    EXPECT_EQ(textsOf(again), std::vector<std::wstring>{L"fresh"});
    again->release();
}

TEST(StrArrayList, EmbeddedListDeletesItsStringsOnDestruction) {
    StrBuffer* strings[2] = {};
    freedCount = 0;
    {
        StrArray embedded;  // as owners embed it
        embedded.addText(L"one")->addText(L"two");
        strings[0] = embedded.at(0);
        strings[1] = embedded.at(1);
        uint32_t at = 7;
        EXPECT_TRUE(embedded.indexOfIgnoreCase(embedded.at(1), nullptr));
        EXPECT_TRUE(embedded.indexOfTextIgnoreCase(L"TWO", &at));
        EXPECT_EQ(at, 1u);
        EXPECT_FALSE(embedded.indexOfIgnoreCase(nullptr, &at));
        recordFrees = true;
    }
    recordFrees = false;
    // The destructor deleted each string outright, once; none went back to the pool.
    ASSERT_LE(freedCount.load(), kMaxFreed);
    EXPECT_EQ(timesFreed(strings[0]), 1);
    EXPECT_EQ(timesFreed(strings[1]), 1);
}

// Reading past the end gives null, never whatever lies beyond the list.
TEST(StrArrayList, IndexesOutsideTheListGiveNull) {
    StrArray* list = listOf({L"a", L"b", L"c"});
    list->removeAt(2);
    for (uint32_t i : {2u, 3u, 1000u, 0xFFFFFFFFu}) EXPECT_EQ(list->at(i), nullptr) << i;
    EXPECT_NE(list->at(1), nullptr);
    StrArray* empty = StrArray::create();
    EXPECT_EQ(empty->at(0), nullptr);
    empty->release();
    list->release();
}

TEST(StrArrayList, MultiStringRoundTripsAndReplacesOldContent) {
    struct Case {
        std::vector<const wchar_t*> items;
        std::vector<std::wstring> loaded;
    };
    const Case cases[] = {
        {{L"a", L"bc"}, {L"a", L"bc"}},
        {{L"C:\\Program Files", L"\u00e9t\u00e9", L"x"}, {L"C:\\Program Files", L"\u00e9t\u00e9", L"x"}},
        {{L""}, {L""}},
        {{}, {L""}},                  // an empty list loads back as one empty string
        {{L"a", L"", L"b"}, {L"a"}},  // an empty string ends the list when reading
    };
    ArrayU08* bytes = ArrayU08::create();
    for (const Case& c : cases) {
        // Old content of the byte array is replaced, not appended to.
        bytes->setCount(0);
        for (int i = 0; i < 40; ++i) bytes->push(0x7F);
        StrArray* list = listOf(c.items);
        EXPECT_EQ(list->toMultiSz(bytes), bytes);
        uint32_t size = 2;
        for (const wchar_t* t : c.items) size += 2 * uint32_t(wcslen(t)) + 2;
        EXPECT_EQ(bytes->count(), c.items.empty() ? 4u : size);
        EXPECT_EQ(bytes->get(bytes->count() - 1), 0);
        EXPECT_EQ(bytes->get(bytes->count() - 2), 0);
        StrArray* back = StrArray::create();
        back->loadMultiSz(bytes);
        EXPECT_EQ(textsOf(back), c.loaded);
        back->release();
        list->release();
    }
    bytes->release();
}

TEST(StrArrayList, LoadsOnlyDataWithADoubleNul) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::vector<std::wstring> items;
    };
    const Case cases[] = {
        {{}, {}},
        {{0, 0}, {}},                              // one NUL unit: no pair
        {{0x61, 0, 0, 0, 0, 0, 0x7A}, {L"a"}},     // an odd trailing byte is ignored
        {{0x61, 0, 0x62, 0, 0, 0}, {}},            // no NUL pair anywhere
        {{0x61, 0, 0, 0, 0x62, 0, 0, 0}, {}},      // NULs apart, never side by side
        {{0x61, 0, 0, 0, 0, 0, 0x62, 0}, {L"a"}},  // the pair need not end the data
    };
    for (const Case& c : cases) {
        ArrayU08* b = ArrayU08::create();
        if (!c.bytes.empty()) b->append(c.bytes.data(), uint32_t(c.bytes.size()));
        StrArray* list = listOf({L"stale"});
        list->loadMultiSz(b);
        EXPECT_EQ(textsOf(list), c.items) << c.bytes.size() << " bytes";
        list->release();
        b->release();
    }
}
