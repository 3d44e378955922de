#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"

using s::thread::EasyPooler;
using s::thread::ObjLocker;

namespace {

// Counts what the pool does with its objects.
// Atomic: the generator runs outside the pool's lock, on any thread.
struct Counters {
    std::atomic<int> made{0};
    std::atomic<int> destroyed{0};
    std::atomic<int> resets{0};
    void clear() {
        made = 0;
        destroyed = 0;
        resets = 0;
    }
};
Counters g;

struct Item {
    int value = 0;
    std::atomic<int> holders{0};  // threads holding it at once
};

void* makeItem() {
    ++g.made;
    return new Item();
}
void destroyItem(void* o) {
    ++g.destroyed;
    delete static_cast<Item*>(o);
}
void resetItem(void* o) {
    ++g.resets;
    static_cast<Item*>(o)->value = 0;
}

class PoolTest : public ::testing::Test {
protected:
    void SetUp() override { g.clear(); }
};

TEST_F(PoolTest, ObtainOnEmptyPoolMakesNewObjectAndReleaseThenObtainReturnsItReset) {
    EasyPooler pool(1000, makeItem, destroyItem, resetItem);
    Item* a = static_cast<Item*>(pool.obtain());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(g.made, 1);
    a->value = 42;
    pool.put(a);
    EXPECT_EQ(g.resets, 1);
    EXPECT_EQ(pool.pooledCount(), 1u);
    Item* b = static_cast<Item*>(pool.obtain());
    EXPECT_EQ(b, a);
    EXPECT_EQ(b->value, 0);
    EXPECT_EQ(g.made, 1);
    pool.put(b);
}

TEST_F(PoolTest, FreeListIsLastInFirstOut) {
    EasyPooler pool(10, makeItem, destroyItem, resetItem);
    void* a = pool.obtain();
    void* b = pool.obtain();
    void* c = pool.obtain();
    pool.put(a);
    pool.put(b);
    pool.put(c);
    EXPECT_EQ(pool.obtain(), c);
    EXPECT_EQ(pool.obtain(), b);
    EXPECT_EQ(pool.obtain(), a);
    for (void* o : {a, b, c}) pool.put(o);
}

TEST_F(PoolTest, ObjectBeyondCapacityIsDestroyedNotKept) {
    EasyPooler pool(1000, makeItem, destroyItem, resetItem);
    std::vector<void*> objs;
    for (int i = 0; i < 1001; ++i) objs.push_back(pool.obtain());
    for (void* o : objs) pool.put(o);
    EXPECT_EQ(pool.pooledCount(), 1000u);
    EXPECT_EQ(g.destroyed, 1);
    EXPECT_EQ(g.resets, 1000);  // the destroyed one is not reset
}

TEST_F(PoolTest, CapacityZeroKeepsNothing) {
    EasyPooler pool(0, makeItem, destroyItem, resetItem);
    void* a = pool.obtain();
    void* b = pool.obtain();
    pool.put(a);
    pool.put(b);
    EXPECT_EQ(pool.pooledCount(), 0u);
    EXPECT_EQ(g.destroyed, 2);
    EXPECT_EQ(g.resets, 0);
}

TEST_F(PoolTest, DestructorDestroysEveryPooledObject) {
    {
        EasyPooler pool(5, makeItem, destroyItem, resetItem);
        void* a = pool.obtain();
        void* b = pool.obtain();
        pool.put(a);
        pool.put(b);
    }
    EXPECT_EQ(g.destroyed, 2);
}

TEST_F(PoolTest, DestroyOnNullHolderDoesNothingAndClearsHolderOtherwise) {
    EasyPooler pool(5, makeItem, destroyItem, resetItem);
    void* holder = nullptr;
    pool.destroy(&holder);
    pool.destroy(nullptr);
    EXPECT_EQ(pool.pooledCount(), 0u);
    holder = pool.obtain();
    pool.destroy(&holder);
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(pool.pooledCount(), 1u);
}

TEST_F(PoolTest, NewInstanceIsAnEmptyPoolWithTheSameCallbacks) {
    EasyPooler pool(3, makeItem, destroyItem, resetItem);
    pool.put(pool.obtain());
    EasyPooler* copy = static_cast<EasyPooler*>(pool.newInstance());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->capacity(), 3);
    EXPECT_EQ(copy->pooledCount(), 0u);
    void* o = copy->obtain();
    EXPECT_EQ(g.made, 2);
    copy->put(o);
    delete copy;
    EXPECT_EQ(g.destroyed, 1);
}

// A node whose reset releases its children into the same pool, as a tree of
// pooled objects does: the pool's lock must be re-entrant.
struct Node : s::base::IObject, s::thread::IPoolable {
    S_POOLED(Node, L"s_test_Node")
public:
    std::vector<Node*> children;
    void reset() override {
        for (Node* c : children) c->release();
        children.clear();
    }
};

TEST_F(PoolTest, ResetMayReleaseIntoTheSamePool) {
    Node* root = Node::create();
    ASSERT_NE(root, nullptr);
    root->children.push_back(Node::create());
    root->children.push_back(Node::create());
    root->children[0]->children.push_back(Node::create());
    uint32_t before = Node::pooler()->pooledCount();
    root->release();  // would deadlock or corrupt the free list without a re-entrant lock
    EXPECT_EQ(Node::pooler()->pooledCount(), before + 4);
    EXPECT_STREQ(root->getClassName(), L"s_test_Node");
}

TEST_F(PoolTest, ClassPoolIsCreatedOnceAndNewInstanceComesFromIt) {
    EXPECT_EQ(Node::pooler(), Node::pooler());
    Node* a = Node::create();
    a->release();
    s::base::IObject* b = a->newInstance();  // the pooled one comes back
    EXPECT_EQ(static_cast<Node*>(b), a);
    static_cast<Node*>(b)->release();
}

TEST_F(PoolTest, ConcurrentObtainAndPutLoseNothing) {
    constexpr int kThreads = 8, kRounds = 2000;
    EasyPooler pool(1000, makeItem, destroyItem, resetItem);
    std::atomic<int> inUse{0}, mostInUse{0};
    std::atomic<bool> shared{false};
    auto work = [&] {
        for (int i = 0; i < kRounds; ++i) {
            Item* it = static_cast<Item*>(pool.obtain());
            if (it->holders.fetch_add(1) != 0) shared = true;  // handed to two threads at once
            if (it->value != 0) shared = true;                 // not reset since its last holder
            it->value = 1;
            const int now = ++inUse;
            int most = mostInUse;
            while (now > most && !mostInUse.compare_exchange_weak(most, now)) {}
            --inUse;
            it->value = 0;
            it->holders.fetch_sub(1);
            pool.put(it);
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back(work);
    for (auto& t : threads) t.join();
    EXPECT_FALSE(shared.load());
    EXPECT_EQ(inUse, 0);
    EXPECT_GE(mostInUse, 1);
    EXPECT_LE(mostInUse, kThreads);
    // Never more objects than threads holding them; every one of them back in the pool,
    // each put reset once, none destroyed.
    EXPECT_LE(g.made, kThreads);
    EXPECT_EQ(pool.pooledCount(), uint32_t(g.made));
    EXPECT_EQ(g.resets, kThreads * kRounds);
    EXPECT_EQ(g.destroyed, 0);
}

// ---------------------------------------------------------------- ObjLocker

int g_disposed = 0;
void disposeFn(void* p) {
    ++g_disposed;
    delete static_cast<Item*>(p);
}

struct CountingDestructor : s::base::IDestructor {
    int calls = 0;
    void destroy(void** holder) override {
        ++calls;
        delete static_cast<Item*>(*holder);
        *holder = nullptr;
    }
};

struct Tracked : s::base::IObject {
    S_CLASS_NAME(L"s_test_Tracked")
public:
    static inline int alive = 0;
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
    s::base::IObject* newInstance() const override { return new Tracked(); }
};

TEST(ObjLockerTest, DisposesOwnedObjectByFunctionThenDestructorThenDeletion) {
    g_disposed = 0;
    { ObjLocker l(new Item(), disposeFn); }
    EXPECT_EQ(g_disposed, 1);

    CountingDestructor d;
    { ObjLocker l(new Item(), nullptr, &d); }
    EXPECT_EQ(d.calls, 1);

    { ObjLocker l(static_cast<s::base::IObject*>(new Tracked())); }
    EXPECT_EQ(Tracked::alive, 0);

    { ObjLocker l; }  // nothing owned: nothing to dispose of
}

TEST(ObjLockerTest, SectionIsReentrantForItsHolder) {
    ObjLocker l;
    l.enter();
    l.enter();
    EXPECT_TRUE(l.tryEnter());
    l.leave();
    l.leave();
    l.leave();
    std::thread other([&] {
        EXPECT_TRUE(l.tryEnter());
        l.leave();
    });
    other.join();
}

// ---------------------------------------------------------------- PoolerBase / Factory

int g_rawDestroyed = 0;

struct RawFactory : s::thread::Factory {
    int made = 0, resets = 0, destroyed = 0;
    ~RawFactory() override { drain(); }
    void* generate() override {
        ++made;
        return new Item();
    }
    void resetItem(void* item) override {
        ++resets;
        static_cast<Item*>(item)->value = 0;
    }
    void destroyItem(void** holder) override {
        ++destroyed;
        ++g_rawDestroyed;
        delete static_cast<Item*>(*holder);
        *holder = nullptr;
    }
    s::base::IObject* newInstance() const override { return new RawFactory(); }
};

TEST(FactoryTest, RawItemsAreRecycledAndTheOneBeyondTheLimitIsDestroyed) {
    RawFactory f;
    EXPECT_STREQ(f.getClassName(), L"s_thread_Factory");
    EXPECT_EQ(f.getItemSize(), 1024);
    std::vector<void*> items;
    for (int i = 0; i < 1003; ++i) items.push_back(f.get());
    EXPECT_EQ(f.made, 1003);
    static_cast<Item*>(items[0])->value = 7;
    for (void* it : items) f.put(it);
    // Kept while at most maxCount are pooled: 1001 fit.
    EXPECT_EQ(f.pooledCount(), 1001u);
    EXPECT_EQ(f.destroyed, 2);
    void* again = f.get();
    EXPECT_EQ(again, items[1000]);  // last kept, first out
    void* holder = again;
    f.destroy(&holder);
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(f.pooledCount(), 1001u);
}

TEST(FactoryTest, DrainOnDestructionDestroysEveryPooledItem) {
    g_rawDestroyed = 0;
    {
        RawFactory f;
        f.put(f.get());
        f.put(f.get());  // the second get reuses the first item
        f.put(new Item());
        EXPECT_EQ(f.made, 1);
        EXPECT_EQ(f.pooledCount(), 2u);
        EXPECT_EQ(g_rawDestroyed, 0);
    }
    EXPECT_EQ(g_rawDestroyed, 2);
}

}  // namespace
