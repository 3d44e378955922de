#include "viewer/effects/FilterSetList.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "foundation/str/StrBuffer.h"
#include "viewer/effects/EffectData.h"
#include "viewer/ViewerTestSupport.h"

using s::image::gui::dialogs::imageview::EffectData;
using s::image::gui::dialogs::imageview::FilterSetList;
using s::image::gui::dialogs::imageview::kBuiltInSetCount;
using s::image::gui::dialogs::imageview::kMaxUserSets;
using viewertest::RegistryStore;

namespace {

const wchar_t* const kNames[kBuiltInSetCount] = {L"Max Sharpness",
                                                 L"Clear Photo",
                                                 L"Cartoon Reader",
                                                 L"Grayscale",
                                                 L"Box (250 x 250) + Sharpen",
                                                 L"Box Fill (250 x 250) + Sharpen"};

EffectData* userSet(const wchar_t* name, int32_t sharpness) {
    EffectData* set = EffectData::create();
    set->name->setText(name);
    set->filterOrder.addText(L"Sharpness");
    set->sharpness = sharpness;
    return set;
}

TEST(FilterSetListTest, StoredLengthIsCappedAndNeverHangs) {
    struct Case {
        const char* what;
        bool asText;
        DWORD length;
        uint32_t expected;
    } cases[] = {{"absent", false, 0, 0},
                 {"minus one", false, 0xFFFFFFFF, 0},
                 {"very negative", false, 0x80000000, 0},
                 {"huge", false, 0x7FFFFFFF, uint32_t(kMaxUserSets)},
                 {"text", true, 0, 0}};
    for (const Case& c : cases) {
        RegistryStore reg;
        if (std::string(c.what) != "absent") {
            if (c.asText)
                reg.putText(L"MainWindow\\Filter", L"Length", L"2000000000");
            else
                reg.putDword(L"MainWindow\\Filter", L"Length", c.length);
        }
        FilterSetList list;
        list.addBuiltIns(kNames, 800, 600);
        const auto start = std::chrono::steady_clock::now();
        list.loadUserSets(reg.store(), L"MainWindow");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << c.what;
        EXPECT_EQ(list.userCount(), c.expected) << c.what;
        EXPECT_EQ(list.builtInCount(), kBuiltInSetCount);
    }
}

TEST(FilterSetListTest, UserSetsRoundTripAndADeletionLeavesNoStaleSection) {
    RegistryStore reg;
    {
        FilterSetList list;
        list.addBuiltIns(kNames, 800, 600);
        ASSERT_TRUE(list.addUserSet(userSet(L"One", 10)));
        ASSERT_TRUE(list.addUserSet(userSet(L"Two", 20)));
        ASSERT_TRUE(list.addUserSet(userSet(L"Three", 30)));
        list.saveUserSets(reg.store(), L"MainWindow");
        EXPECT_EQ(reg.dwordOf(L"MainWindow\\Filter", L"Length"), 3u);
        EXPECT_EQ(reg.textOf(L"MainWindow\\Filter\\_2", L"EffectNameStr"), L"Three");
        EXPECT_EQ(reg.dwordOf(L"MainWindow\\Filter\\_2", L"IsCustomEffect"), 1u);

        ASSERT_TRUE(list.removeAt(kBuiltInSetCount + 1));
        list.saveUserSets(reg.store(), L"MainWindow");
    }
    EXPECT_EQ(reg.dwordOf(L"MainWindow\\Filter", L"Length"), 2u);
    EXPECT_EQ(reg.typeOf(L"MainWindow\\Filter\\_2", L"EffectNameStr"), DWORD(0));

    FilterSetList again;
    again.addBuiltIns(kNames, 800, 600);
    again.loadUserSets(reg.store(), L"MainWindow");
    ASSERT_EQ(again.userCount(), 2u);
    EXPECT_STREQ(again.at(kBuiltInSetCount)->name->text(), L"One");
    EXPECT_STREQ(again.at(kBuiltInSetCount + 1)->name->text(), L"Three");
    EXPECT_EQ(again.at(kBuiltInSetCount + 1)->sharpness, 30);
    EXPECT_TRUE(again.at(kBuiltInSetCount + 1)->isCustom);
}

// Saving under a built-in name would renumber the stored sets and lose one; the list
// refuses such a name, and built-in sets cannot be deleted.
TEST(FilterSetListTest, BuiltInNamesAreReservedAndBuiltInsStay) {
    FilterSetList list;
    list.addBuiltIns(kNames, 800, 600);
    EffectData* clash = userSet(L"grayscale", 5);
    EXPECT_FALSE(list.isNameFree(L"grayscale"));
    EXPECT_FALSE(list.isNameFree(L""));
    EXPECT_FALSE(list.addUserSet(clash));
    clash->release();
    EXPECT_FALSE(list.removeAt(0));
    EXPECT_FALSE(list.removeAt(99));
    EXPECT_EQ(list.count(), kBuiltInSetCount);
}

TEST(FilterSetListTest, ASetOfAUsersNameReplacesItInPlace) {
    FilterSetList list;
    list.addBuiltIns(kNames, 800, 600);
    ASSERT_TRUE(list.addUserSet(userSet(L"Mine", 10)));
    ASSERT_TRUE(list.addUserSet(userSet(L"Other", 10)));
    ASSERT_TRUE(list.addUserSet(userSet(L"MINE", 90)));
    EXPECT_EQ(list.userCount(), 2u);
    EXPECT_EQ(list.at(kBuiltInSetCount)->sharpness, 90);
}

TEST(FilterSetListTest, NoMoreUserSetsThanALoadWouldReadBack) {
    FilterSetList list;
    for (int i = 0; i < kMaxUserSets; ++i)
        ASSERT_TRUE(list.addUserSet(userSet((L"Set" + std::to_wstring(i)).c_str(), 1)));
    EffectData* extra = userSet(L"Extra", 1);
    EXPECT_FALSE(list.addUserSet(extra));
    extra->release();
    EXPECT_EQ(list.userCount(), uint32_t(kMaxUserSets));
}

}  // namespace
