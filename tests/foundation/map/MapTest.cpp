#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/map/Map.h"
#include "foundation/str/StrBuffer.h"

using s::base::IDestructor;
using s::base::IObject;
using s::map::Map;
using s::map::MapBucketPrimes;
using s::map::MapTable;
using s::str::strbuffer::StrBuffer;

namespace {

std::wstring textOf(void* key) {
    auto* s = static_cast<StrBuffer*>(key);
    return std::wstring(s->data(), s->length());
}

// Counts what it is handed and gives strings back to their pool.
class CountingDestroyer : public IDestructor {
public:
    void destroy(void** holder) override {
        if (!holder || !*holder) return;
        ++count;
        seen.push_back(textOf(*holder));
        static_cast<StrBuffer*>(*holder)->release();
        *holder = nullptr;
    }
    int count = 0;
    std::vector<std::wstring> seen;
};

// The tables take whatever hash the caller gives. The string hash clusters numbered
// keys ("key1", "key2", ...) into few chains, so the big tables spread it first.
uint32_t spread(uint32_t h) { return h * 2654435761u; }

StrBuffer* str(const wchar_t* text) { return StrBuffer::fromString(text); }

// Keys in the order the table walks them.
std::vector<std::wstring> keysOf(const Map& m) {
    std::vector<std::wstring> out;
    m.forEachKey([&](IObject* k) { out.push_back(textOf(k)); });
    return out;
}

}  // namespace

TEST(Map, GrowsThroughPrimeStepsAtHalfLoad) {
    Map* m = Map::create();
    EXPECT_EQ(m->bucketCount(), 0u);  // no buckets before the first insertion
    std::vector<StrBuffer*> keys;
    const uint32_t kKeys = 100000;
    uint32_t index = 0;
    for (uint32_t i = 0; i < kKeys; ++i) {
        StrBuffer* k = StrBuffer::create();
        k->appendText(L"key")->appendU32(i);
        keys.push_back(k);
        // Before this insertion the table has i entries: it steps up once they reach half.
        if (i > 0 && i >= MapBucketPrimes[index] / 2) ++index;
        ASSERT_TRUE(m->add(spread(k->hashCode()), k)) << i;
        ASSERT_EQ(m->bucketCount(), MapBucketPrimes[index]) << "after insertion " << i + 1;
    }
    EXPECT_EQ(m->count(), kKeys);
    EXPECT_EQ(m->primeIndex(), 10u);  // 100000 entries: 222461 buckets
    EXPECT_EQ(m->bucketCount(), 222461u);
    StrBuffer* probe = StrBuffer::create();
    for (uint32_t i = 0; i < kKeys; i += 7) {
        probe->setLength(0);
        probe->appendText(L"key")->appendU32(i);
        EXPECT_EQ(m->find(spread(probe->hashCode()), probe), keys[i]) << i;
    }
    probe->setLength(0);
    probe->appendText(L"key")->appendU32(kKeys);
    EXPECT_FALSE(m->contains(spread(probe->hashCode()), probe));
    probe->release();
    m->clear();
    EXPECT_EQ(m->count(), 0u);
    EXPECT_EQ(m->bucketCount(), 222461u);  // clear keeps the buckets
    for (StrBuffer* k : keys) k->release();
    m->release();
}

TEST(Map, FirstGrowthAtTheHundredAndSixthInsertion) {
    Map* m = Map::create();
    std::vector<StrBuffer*> keys;
    for (int i = 0; i < 106; ++i) {
        StrBuffer* k = StrBuffer::create();
        k->appendInt(i);
        keys.push_back(k);
        ASSERT_TRUE(m->add(k->hashCode(), k));
        EXPECT_EQ(m->bucketCount(), i < 105 ? 211u : 431u) << "insertion " << i + 1;
    }
    for (StrBuffer* k : keys) k->release();
    m->release();
}

TEST(Map, DuplicateIsRefusedButMayStillGrowTheTable) {
    Map* m = Map::create();
    std::vector<StrBuffer*> keys;
    for (int i = 0; i < 105; ++i) {
        StrBuffer* k = StrBuffer::create();
        k->appendInt(i);
        keys.push_back(k);
        m->add(k->hashCode(), k);
    }
    ASSERT_EQ(m->bucketCount(), 211u);
    StrBuffer* dup = str(L"7");
    EXPECT_FALSE(m->add(dup->hashCode(), dup));
    EXPECT_EQ(m->count(), 105u);
    EXPECT_EQ(m->bucketCount(), 431u);                  // the growth test comes before the duplicate test
    EXPECT_EQ(m->find(dup->hashCode(), dup), keys[7]);  // the stored key stays
    dup->release();
    for (StrBuffer* k : keys) k->release();
    m->release();
}

TEST(Map, IgnoreCaseCollidesOnlyWithCaseFreeHashes) {
    StrBuffer* a = str(L"Key");
    StrBuffer* b = str(L"KEY");
    Map* m = Map::create();
    m->setIgnoreCase(true);
    ASSERT_TRUE(m->add(a->hashCodeIgnoreCase(), a));
    EXPECT_FALSE(m->add(b->hashCodeIgnoreCase(), b));
    // With the case-sensitive hash the keys land apart and both go in.
    ASSERT_NE(a->hashCode(), b->hashCode());
    m->clear();
    ASSERT_TRUE(m->add(a->hashCode(), a));
    EXPECT_TRUE(m->add(b->hashCode(), b));
    m->release();

    // Without ignoreCase equal hashes are not enough: the keys must be equal.
    Map* exact = Map::create();
    ASSERT_TRUE(exact->add(a->hashCodeIgnoreCase(), a));
    EXPECT_TRUE(exact->add(b->hashCodeIgnoreCase(), b));
    EXPECT_EQ(exact->count(), 2u);
    exact->release();
    a->release();
    b->release();
}

TEST(Map, SameHashChainsInInsertionOrderAcrossRehash) {
    Map* m = Map::create();
    std::vector<StrBuffer*> keys;
    // Three unequal keys with one hash share a chain, later ones behind earlier ones.
    for (const wchar_t* t : {L"first", L"second", L"third"}) {
        keys.push_back(str(t));
        ASSERT_TRUE(m->add(12345, keys.back()));
    }
    EXPECT_EQ(keysOf(*m), (std::vector<std::wstring>{L"first", L"second", L"third"}));
    s::map::MapNode** slot = m->findSlot(12345, keys[2]);
    ASSERT_NE(*slot, nullptr);
    EXPECT_EQ((*slot)->key, keys[2]);
    EXPECT_EQ((*slot)->next, nullptr);  // the tail
    m->rehash(3);
    EXPECT_EQ(m->bucketCount(), 1733u);
    EXPECT_EQ(keysOf(*m), (std::vector<std::wstring>{L"first", L"second", L"third"}));
    m->rehash(1);  // never shrinks
    EXPECT_EQ(m->bucketCount(), 1733u);
    for (StrBuffer* k : keys) k->release();
    m->release();
}

TEST(Map, ClearReleasingHandsEachKeyOnceAndTableStaysUsable) {
    CountingDestroyer destroyer;
    Map* m = Map::create();
    for (int i = 0; i < 300; ++i) {
        StrBuffer* k = StrBuffer::create();
        k->appendInt(i);
        m->add(i % 3, k);  // long chains: the walk must not read a node after its key is gone
    }
    m->clearReleasing(&destroyer);
    EXPECT_EQ(destroyer.count, 300);
    EXPECT_EQ(m->count(), 0u);
    StrBuffer* k = str(L"again");
    EXPECT_TRUE(m->add(k->hashCode(), k));
    EXPECT_TRUE(m->contains(k->hashCode(), k));
    m->clearReleasing(&destroyer);
    EXPECT_EQ(destroyer.count, 301);
    m->release();
}

TEST(Map, DestroyersForPoolingAndTeardown) {
    CountingDestroyer onReset, onTeardown;
    {
        Map m(&onReset, &onTeardown);
        m.add(1, str(L"a"));
        m.add(2, str(L"b"));
        m.reset();  // as when pooled: keys to the reset destroyer, then destroyers dropped
        EXPECT_EQ(onReset.count, 2);
        EXPECT_EQ(m.bucketCount(), 0u);
        StrBuffer* c = str(L"c");
        m.add(3, c);
        m.clear();
        c->release();
    }
    EXPECT_EQ(onTeardown.count, 0);
    {
        Map m(&onReset, &onTeardown);
        m.add(1, str(L"x"));
    }
    EXPECT_EQ(onTeardown.count, 1);
    EXPECT_EQ(onTeardown.seen, std::vector<std::wstring>{L"x"});
}

TEST(Map, PooledTableComesBackEmpty) {
    Map* m = Map::create();
    m->setIgnoreCase(true);
    StrBuffer* k = str(L"k");
    m->add(k->hashCodeIgnoreCase(), k);
    m->rehash(2);
    m->release();
    Map* again = Map::create();
    EXPECT_EQ(again->count(), 0u);
    EXPECT_EQ(again->bucketCount(), 0u);
    EXPECT_EQ(again->primeIndex(), 0u);
    EXPECT_FALSE(again->ignoreCase());
    EXPECT_FALSE(again->contains(k->hashCodeIgnoreCase(), k));
    again->release();
    k->release();
}

TEST(MapTable, PutGetAndDuplicates) {
    MapTable* t = MapTable::create();
    StrBuffer* k1 = str(L"one");
    StrBuffer* v1 = str(L"1");
    StrBuffer* k1b = str(L"one");
    StrBuffer* v1b = str(L"uno");
    EXPECT_EQ(t->get(k1->hashCode(), k1), nullptr);  // no buckets yet
    ASSERT_TRUE(t->put(k1->hashCode(), k1, v1));
    EXPECT_FALSE(t->put(k1b->hashCode(), k1b, v1b));  // existing entry stays
    EXPECT_EQ(t->count(), 1u);
    EXPECT_EQ(t->get(k1b->hashCode(), k1b), v1);
    s::map::MapTableNode** slot = t->findSlot(k1b->hashCode(), k1b);
    ASSERT_NE(*slot, nullptr);
    EXPECT_EQ((*slot)->key, k1);
    t->clear();  // keys and values stay alive for their owners
    EXPECT_EQ(t->count(), 0u);
    EXPECT_TRUE(k1->equalsExact(L"one"));
    EXPECT_TRUE(v1->equalsExact(L"1"));
    for (StrBuffer* s : {k1, v1, k1b, v1b}) s->release();
    t->release();
}

TEST(MapTable, ManyEntriesAndReleasingClear) {
    CountingDestroyer keys, values;
    MapTable* t = MapTable::create();
    const int kEntries = 100000;
    for (int i = 0; i < kEntries; ++i) {
        StrBuffer* k = StrBuffer::create();
        k->appendInt(i);
        StrBuffer* v = StrBuffer::create();
        v->appendInt(i * 2);
        ASSERT_TRUE(t->put(spread(k->hashCode()), k, v));
    }
    EXPECT_EQ(t->bucketCount(), 222461u);
    StrBuffer* probe = StrBuffer::create();
    for (int i = 0; i < kEntries; i += 997) {
        probe->setInt(i);
        auto* v = static_cast<StrBuffer*>(t->get(spread(probe->hashCode()), probe));
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(v->toInt(), i * 2);
    }
    probe->release();
    t->clearReleasing(&keys, &values);
    EXPECT_EQ(keys.count, kEntries);
    EXPECT_EQ(values.count, kEntries);
    t->release();
}

TEST(MapTable, TeardownDestroyersOnDestruction) {
    CountingDestroyer keys, values;
    {
        MapTable t(nullptr, &keys, nullptr, &values);
        t.put(1, str(L"k"), str(L"v"));
        t.put(2, str(L"k2"), nullptr);  // a null value is not handed over
    }
    EXPECT_EQ(keys.count, 2);
    EXPECT_EQ(values.count, 1);
    EXPECT_EQ(values.seen, std::vector<std::wstring>{L"v"});
}
