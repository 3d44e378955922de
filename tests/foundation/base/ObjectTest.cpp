#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/comp/Comparator.h"
#include "foundation/thread/Pool.h"

namespace {

struct Plain : s::base::IObject {
    S_CLASS_NAME(L"s_test_Plain")
public:
    s::base::IObject* newInstance() const override { return new Plain(); }
};

struct OtherPlain : Plain {
    S_CLASS_NAME(L"s_test_OtherPlain")
};

TEST(ObjectTest, WithoutComparatorObjectsOrderByAddress) {
    Plain objs[2];
    Plain* lo = &objs[0];
    Plain* hi = &objs[1];
    EXPECT_EQ(lo->compareTo(hi), -1);
    EXPECT_EQ(hi->compareTo(lo), 1);
    EXPECT_EQ(lo->compareTo(lo), 0);
    EXPECT_EQ(lo->compareToIgnoreCase(hi), -1);
    EXPECT_FALSE(lo->equals(hi));
    EXPECT_TRUE(lo->equals(lo));
    EXPECT_TRUE(hi->equalsIgnoreCase(hi));
}

TEST(ObjectTest, HashCodeIsOneConstantPerClass) {
    Plain a, b;
    OtherPlain c;
    EXPECT_FALSE(a.equals(&b));
    EXPECT_EQ(a.hashCode(), b.hashCode());
    EXPECT_EQ(a.hashCodeIgnoreCase(), a.hashCode());
    EXPECT_NE(a.hashCode(), c.hashCode());
}

// Compares the first field of two Holders.
struct Holder : Plain {
    int key = 0;
};
struct ByKey : s::base::IComparator {
    int compare(const void* a, const void* b) const override {
        int x = static_cast<const Holder*>(static_cast<const s::base::IComparable*>(a))->key;
        int y = static_cast<const Holder*>(static_cast<const s::base::IComparable*>(b))->key;
        return x < y ? -1 : x > y ? 1 : 0;
    }
    int compareIgnoreCase(const void*, const void*) const override { return 0; }
};

TEST(ObjectTest, ComparatorDecidesWhenGiven) {
    Holder a, b;
    a.key = 5;
    b.key = 3;
    ByKey byKey;
    EXPECT_EQ(a.compareTo(&b, &byKey), 1);
    EXPECT_FALSE(a.equals(&b, &byKey));
    b.key = 5;
    EXPECT_TRUE(a.equals(&b, &byKey));
    b.key = 9;
    EXPECT_TRUE(a.equalsIgnoreCase(&b, &byKey));  // its ignore-case compare says equal
    EXPECT_EQ(a.compareToIgnoreCase(&b, &byKey), 0);
}

TEST(ObjectTest, CleanerDeletesObjectAndClearsHolderAndLeavesEmptyHolderAlone) {
    static int alive = 0;
    struct Counted : Plain {
        Counted() { ++alive; }
        ~Counted() override { --alive; }
    };
    void* holder = static_cast<s::base::IObject*>(new Counted());
    EXPECT_EQ(alive, 1);
    s::cleaner::CleanerIObject::instance()->destroy(&holder);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(holder, nullptr);
    s::cleaner::CleanerIObject::instance()->destroy(&holder);
    s::cleaner::CleanerIObject::instance()->destroy(nullptr);
    EXPECT_EQ(s::cleaner::CleanerIObject::instance(), s::cleaner::CleanerIObject::instance());
}

TEST(ObjectTest, ClassNamesJoinNamespacePartsWithUnderscores) {
    using namespace s::col::_array;
    s::thread::ObjLocker locker;
    s::thread::EasyPooler pool(1, nullptr, nullptr, nullptr);
    ArrayP* p = ArrayP::create();
    ArrayU08* u8 = ArrayU08::create();
    ArrayS08* s8 = ArrayS08::create();
    ArrayS32* s32 = ArrayS32::create();
    ArrayU32* u32 = ArrayU32::create();
    struct Case {
        const s::base::IObject* object;
        const wchar_t* name;
    } cases[] = {
        {&locker, L"s_thread_ObjLocker"},
        {&pool, L"s_thread_EasyPooler"},
        {s::cleaner::CleanerIObject::instance(), L"s_cleaner_CleanerIObject"},
        {p, L"s_col__array_ArrayP"},
        {u8, L"s_col__array_ArrayU08"},
        {s8, L"s_col__array_ArrayS08"},
        {s32, L"s_col__array_ArrayS32"},
        {u32, L"s_col__array_ArrayU32"},
        {s::comp::CompP::instance(), L"s_comp_CompP"},
        {s::comp::CompU08::instance(), L"s_comp_CompU08"},
        {s::comp::CompS08::instance(), L"s_comp_CompS08"},
        {s::comp::CompS32::instance(), L"s_comp_CompS32"},
        {s::comp::CompU32::instance(), L"s_comp_CompU32"},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.object->getClassName(), c.name);
    EXPECT_STREQ(p->getName(), L"s_col__array_ArrayP");
    p->release();
    u8->release();
    s8->release();
    s32->release();
    u32->release();
}

TEST(ObjectTest, NewInstanceMakesAFreshObjectOfTheSameClass) {
    s::thread::ObjLocker locker(static_cast<s::base::IObject*>(new Plain()));
    s::base::IObject* fresh = locker.newInstance();
    ASSERT_NE(fresh, nullptr);
    EXPECT_STREQ(fresh->getClassName(), L"s_thread_ObjLocker");
    EXPECT_EQ(static_cast<s::thread::ObjLocker*>(fresh)->owned(), nullptr);
    delete fresh;

    s::base::IObject* cmp = s::comp::CompS32::instance()->newInstance();
    EXPECT_NE(cmp, s::comp::CompS32::instance());
    EXPECT_STREQ(cmp->getClassName(), L"s_comp_CompS32");
    delete cmp;
}

}  // namespace
