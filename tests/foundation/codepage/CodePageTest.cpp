#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "foundation/codepage/CodePage.h"
#include "foundation/codepage/TimeZone.h"
#include "foundation/str/StrBuffer.h"

using namespace s::system::codepage;
using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

namespace {

int countOf(const CodePageList& list, int32_t number) {
    int n = 0;
    for (uint32_t i = 0; i < list.count(); ++i) n += list.at(i)->number() == number;
    return n;
}

std::vector<uint8_t> bytesOf(const ArrayU08* a) { return std::vector<uint8_t>(a->items(), a->items() + a->count()); }

}  // namespace

// Wine and Windows support different sets of code pages: only pages every system has
// are assumed here.
TEST(CodePageList, HoldsTheNamedSupportedPagesOnce) {
    CodePageList& list = CodePageList::instance();
    list.build();
    ASSERT_TRUE(list.isBuilt());
    for (int32_t page : {1200, 1201, 65001}) EXPECT_EQ(countOf(list, page), 1) << page;
    for (UINT page : {GetACP(), GetOEMCP()}) {
        // The ANSI and OEM pages are in the list exactly when this system names them.
        EXPECT_EQ(countOf(list, int32_t(page)), codePageDisplayName(int32_t(page)) ? 1 : 0) << page;
    }
    std::set<int32_t> seen;
    for (uint32_t i = 0; i < list.count(); ++i) {
        const CodePage* cp = list.at(i);
        const wchar_t* name = codePageDisplayName(cp->number());
        ASSERT_NE(name, nullptr) << "unnamed page " << cp->number();
        EXPECT_STREQ(cp->nameText(), name);
        EXPECT_TRUE(seen.insert(cp->number()).second) << "page twice: " << cp->number();
        // Apart from the two UTF-16 entries every page comes from the system's enumeration.
        if (cp->number() != 1200 && cp->number() != 1201) { EXPECT_TRUE(IsValidCodePage(UINT(cp->number()))); }
    }
    EXPECT_EQ(countOf(list, 10000), 0);  // Macintosh Roman: supported or not, it has no name here
    EXPECT_EQ(codePageDisplayName(10000), nullptr);
    EXPECT_STREQ(codePageDisplayName(1258), L"Vetnamese (Windows-1258)");
}

TEST(CodePageList, SortedByDisplayNameIgnoringCase) {
    CodePageList& list = CodePageList::instance();
    list.build();
    for (uint32_t i = 1; i < list.count(); ++i) {
        EXPECT_LT(_wcsicmp(list.at(i - 1)->nameText(), list.at(i)->nameText()), 0)
            << "at " << i << ": " << list.at(i)->number();
    }
    auto position = [&](int32_t number) {
        for (uint32_t i = 0; i < list.count(); ++i)
            if (list.at(i)->number() == number) return int(i);
        return -1;
    };
    EXPECT_LT(position(1200), position(1201));   // "UTF-16" < "UTF-16BE"
    EXPECT_LT(position(1201), position(65001));  // "UTF-16BE" < "UTF-8"
}

TEST(CodePageList, Utf16EntriesAndConcurrentFirstBuild) {
    CodePageList& list = CodePageList::instance();
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) threads.emplace_back([] { buildCodePageList(); });
    for (auto& t : threads) t.join();
    ASSERT_TRUE(list.isBuilt());
    EXPECT_EQ(countOf(list, 1200), 1);
    EXPECT_EQ(countOf(list, 1201), 1);
    ASSERT_NE(list.utf16(), nullptr);
    ASSERT_NE(list.utf16BE(), nullptr);
    EXPECT_EQ(list.utf16()->number(), 1200);
    EXPECT_STREQ(list.utf16BE()->nameText(), L"UTF-16BE");
    EXPECT_EQ(list.find(1201), list.utf16BE());
    EXPECT_EQ(list.find(12345), nullptr);
}

TEST(CodePage, Utf16PagesConvertWhetherOrNotTheyAreListEntries) {
    CodePageList::instance().build();
    CodePage* own = CodePage::fromPage(1200, L"UTF-16");
    CodePage* ownBE = CodePage::fromPage(1201, L"UTF-16BE");
    ASSERT_NE(own, CodePageList::instance().utf16());
    EXPECT_TRUE(own->isUtf16());
    EXPECT_TRUE(ownBE->isUtf16BE());
    StrBuffer* s = StrBuffer::fromString(L"A\u00e9\u20ac");
    const std::vector<uint8_t> le = {0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20};
    const std::vector<uint8_t> be = {0x00, 0x41, 0x00, 0xE9, 0x20, 0xAC};
    for (const CodePage* cp : {own, CodePageList::instance().utf16()}) {
        ArrayU08* bytes = s->encode(cp->number(), nullptr, false);
        EXPECT_EQ(bytesOf(bytes), le);
        bytes->release();
    }
    for (const CodePage* cp : {ownBE, CodePageList::instance().utf16BE()}) {
        ArrayU08* bytes = s->encode(cp->number(), nullptr, false);
        EXPECT_EQ(bytesOf(bytes), be);
        StrBuffer* back = StrBuffer::create();
        back->decode(cp->number(), bytes->items(), false, int32_t(bytes->count()));
        EXPECT_TRUE(back->equalsExact(L"A\u00e9\u20ac"));
        back->release();
        bytes->release();
    }
    s->release();
    own->release();
    ownBE->release();
}

TEST(CodePage, PooledPageComesBackEmpty) {
    CodePage* cp = CodePage::fromPage(1252, L"Western (Windows-1252)");
    EXPECT_EQ(cp->number(), 1252);
    EXPECT_STREQ(cp->getClassName(), L"s_system_codepage_CodePage");
    cp->release();
    CodePage* again = CodePage::create();
    EXPECT_EQ(again->number(), 0);
    EXPECT_EQ(again->name()->length(), 0u);
    again->release();
}

TEST(TimeZone, PooledRecordComesBackZeroed) {
    s::time::TimeZone* tz = s::time::TimeZone::create();
    EXPECT_STREQ(tz->getClassName(), L"s_time_TimeZone");
    tz->index = 5;
    tz->bias = -60;
    tz->displayName->appendText(L"Central Europe");
    GetTimeZoneInformation(&tz->info);
    tz->info.Bias = 42;
    tz->release();
    s::time::TimeZone* again = s::time::TimeZone::create();
    EXPECT_EQ(again->index, 0);
    EXPECT_EQ(again->bias, 0);
    EXPECT_EQ(again->displayName->length(), 0u);
    TIME_ZONE_INFORMATION zero;
    std::memset(&zero, 0, sizeof zero);
    EXPECT_EQ(std::memcmp(&again->info, &zero, sizeof zero), 0);
    again->release();
}
