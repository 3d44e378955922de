// String lists and the multi-string form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"

using s::col::_array::ArrayU08;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

namespace {

std::vector<std::wstring> texts(const StrArray* list) {
    std::vector<std::wstring> r;
    for (uint32_t i = 0; i < list->count(); ++i) r.emplace_back(list->at(i)->text());
    return r;
}

}  // namespace

TEST(StrArray, MultiStringWrite) {
    struct {
        std::vector<const wchar_t*> items;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{L"a", L"bc"}, {0x61, 0, 0, 0, 0x62, 0, 0x63, 0, 0, 0, 0, 0}},
        {{}, {0, 0, 0, 0}},
        {{L""}, {0, 0, 0, 0}},
    };
    for (auto& c : cases) {
        StrArray* list = StrArray::create();
        for (auto* t : c.items) list->addText(t);
        ArrayU08* b = list->toMultiSz(nullptr);
        EXPECT_EQ(c.bytes, std::vector<uint8_t>(b->items(), b->items() + b->count()));
        b->release();
        list->release();
    }
}

TEST(StrArray, MultiStringLoad) {
    struct {
        std::vector<uint8_t> bytes;
        std::vector<std::wstring> items;
    } cases[] = {
        {{0, 0, 0, 0}, {L""}},
        {{0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}, {L"a", L"b"}},
        {{0x61, 0, 0x62, 0}, {}},
        {{0x61, 0, 0, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}, {L"a"}},
    };
    for (auto& c : cases) {
        ArrayU08* b = ArrayU08::create();
        b->append(c.bytes.data(), uint32_t(c.bytes.size()));
        StrArray* list = StrArray::create();
        list->addText(L"stale");
        list->loadMultiSz(b);
        EXPECT_EQ(c.items, texts(list));
        list->release();
        b->release();
    }
}

TEST(StrArray, OwnsItsStringsAndFindsIgnoringCase) {
    StrArray* list = StrArray::create();
    list->addText(L"x")->addText(L"abc")->addText(L"y");
    StrBuffer* key = StrBuffer::fromString(L"ABC");
    uint32_t index = 99;
    EXPECT_TRUE(list->indexOfIgnoreCase(key, &index));
    EXPECT_EQ(1u, index);
    key->setText(L"zz");
    EXPECT_FALSE(list->indexOfIgnoreCase(key, &index));
    key->release();
    list->removeAt(2);
    EXPECT_EQ((std::vector<std::wstring>{L"x", L"abc"}), texts(list));
    list->removeAt(0);
    EXPECT_EQ((std::vector<std::wstring>{L"abc"}), texts(list));
    // Strings a list lets go of return to the string pool.
    StrBuffer* kept = list->at(0);
    list->clear();
    EXPECT_EQ(0u, list->count());
    StrBuffer* again = StrBuffer::create();
    EXPECT_EQ(kept, again);
    EXPECT_EQ(0u, again->length());
    again->release();
    EXPECT_STREQ(L"s_str_strarray_StrArray", list->getClassName());
    list->release();
}
