#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "foundation/comp/Comparator.h"

using namespace s::comp;

namespace {

TEST(ComparatorTest, EachComparatorOrdersItsElementType) {
    uint8_t u8a = 0xFF, u8b = 0x01;
    int8_t s8a = int8_t(0xFF), s8b = 0x01;
    int32_t s32a = -5, s32b = 3;
    uint32_t u32a = 0xFFFFFFFFu, u32b = 3;
    uint64_t pa = 0x8000000000000000ull, pb = 1;
    struct Case {
        const s::base::IComparator* c;
        const void* a;
        const void* b;
        int expected;
    } cases[] = {
        {CompU08::instance(), &u8a, &u8b, 1},   // 0xFF above 0x01
        {CompS08::instance(), &s8a, &s8b, -1},  // -1 below 1
        {CompS32::instance(), &s32a, &s32b, -1}, {CompU32::instance(), &u32a, &u32b, 1},
        {CompP::instance(), &pa, &pb, 1},  // addresses compare unsigned
        {CompU08::instance(), &u8a, &u8a, 0},    {CompS32::instance(), &s32b, &s32a, 1},
        {CompP::instance(), &pb, &pa, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.c->compare(c.a, c.b), c.expected)
            << static_cast<const s::base::IObject*>(dynamic_cast<const s::base::IObject*>(c.c))->getClassName();
        EXPECT_EQ(c.c->compareIgnoreCase(c.a, c.b), c.expected);
    }
}

// Records with a key and their input position, sorted through their addresses.
struct Rec {
    int key;
    int order;
};

int byKey(const void* a, const void* b, void* user) {
    EXPECT_EQ(user, nullptr);
    int x = static_cast<const Rec*>(a)->key, y = static_cast<const Rec*>(b)->key;
    return x < y ? -1 : x > y ? 1 : 0;
}

// Sorts n records with keys in [0, range) both ways and checks against a stable reference.
void checkSort(const std::vector<int>& keys) {
    std::vector<Rec> recs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) recs[i] = {keys[i], int(i)};
    for (bool ascending : {true, false}) {
        std::vector<void*> items;
        for (Rec& r : recs) items.push_back(&r);
        std::vector<void*> expected = items;
        std::stable_sort(expected.begin(), expected.end(), [&](void* a, void* b) {
            int c = byKey(a, b, nullptr);
            return ascending ? c < 0 : c > 0;
        });
        if (ascending)
            sortAscending(items.data(), uint32_t(items.size()), byKey);
        else
            sortDescending(items.data(), uint32_t(items.size()), byKey);
        ASSERT_EQ(items, expected) << "n=" << keys.size() << (ascending ? " ascending" : " descending");
    }
}

TEST(ComparatorTest, SortMatchesAStableReferenceForEverySize) {
    std::mt19937 rng(12345);
    // Sizes around the insertion-sort threshold and the merge recursion, few and many ties.
    for (uint32_t n : {0u, 1u, 2u, 5u, 6u, 7u, 8u, 13u, 14u, 50u, 1000u, 4099u}) {
        for (int range : {2, 10, 1000000}) {
            std::vector<int> keys(n);
            for (int& k : keys) k = int(rng() % uint32_t(range));
            checkSort(keys);
        }
    }
}

TEST(ComparatorTest, EqualKeysKeepTheirInputOrderInBothDirections) {
    // Seven elements take the merge path, six the insertion path.
    for (uint32_t n : {6u, 7u, 40u}) {
        std::vector<Rec> recs(n);
        for (uint32_t i = 0; i < n; ++i) recs[i] = {int(i % 2), int(i)};
        for (bool ascending : {true, false}) {
            std::vector<void*> items;
            for (Rec& r : recs) items.push_back(&r);
            if (ascending)
                sortAscending(items.data(), n, byKey);
            else
                sortDescending(items.data(), n, byKey);
            for (uint32_t i = 1; i < n; ++i) {
                const Rec* p = static_cast<Rec*>(items[i - 1]);
                const Rec* q = static_cast<Rec*>(items[i]);
                if (p->key == q->key)
                    EXPECT_LT(p->order, q->order) << n;
                else
                    EXPECT_EQ(p->key < q->key, ascending) << n;
            }
        }
    }
}

TEST(ComparatorTest, SortedInputIsLeftAsIsWithAboutOneCompareEach) {
    static int calls;
    calls = 0;
    auto counting = [](const void* a, const void* b, void*) -> int {
        ++calls;
        return byKey(a, b, nullptr);
    };
    std::vector<Rec> recs(1024);
    for (int i = 0; i < 1024; ++i) recs[i] = {i, i};
    std::vector<void*> items;
    for (Rec& r : recs) items.push_back(&r);
    std::vector<void*> before = items;
    sortAscending(items.data(), 1024, counting);
    EXPECT_EQ(items, before);
    EXPECT_LT(calls, 2 * 1024);
}

TEST(ComparatorTest, ZeroOrOneElementOrNullArgumentsChangeNothing) {
    Rec r{1, 0};
    void* one[1] = {&r};
    sortAscending(one, 1, byKey);
    sortDescending(one, 0, byKey);
    sortAscending(nullptr, 5, byKey);
    EXPECT_EQ(one[0], &r);
}

}  // namespace
