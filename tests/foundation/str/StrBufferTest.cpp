// String storage, editing, search, comparison, stream views and cursors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/col/ArrayGrowth.h"
#include "foundation/col/Collection.h"
#include "foundation/str/StrBuffer.h"
#include "StrHolder.h"

using s::str::strbuffer::kFromEnd;
using s::str::strbuffer::StrBuffer;

using testing_support::Str;

TEST(StrBufferGrowth, StepTable) {
    struct {
        uint32_t from, to;
    } cases[] = {
        {0, 100},
        {99, 100},
        {100, 300},
        {300, 900},
        {9999999, 29999997},
        {10000000, 20000000},
        {49999999, 99999998},
        {50000000, 75000000},
        {99999999, 149999998},
        {100000000, 120000000},
        {1000000000, 1200000000},
    };
    for (auto& c : cases) EXPECT_EQ(c.to, s::col::growthStep(c.from)) << c.from;
}

TEST(StrBufferGrowth, SingleAppendsAndBulkSizes) {
    Str s;
    s->freeStorage();
    EXPECT_EQ(0u, s->capacity());
    std::vector<uint32_t> seen;
    for (int i = 0; i < 1000; ++i) {
        s->appendChar(L'x');
        if (seen.empty() || seen.back() != s->capacity()) seen.push_back(s->capacity());
    }
    EXPECT_EQ((std::vector<uint32_t>{100, 300, 900, 2700}), seen);
    EXPECT_EQ(1000u, s->length());

    Str t;
    t->ensureCapacity(250);
    EXPECT_EQ(300u, t->capacity());  // growth steps, not the exact size
    Str u;
    u->reserve(250);
    EXPECT_EQ(250u, u->capacity());
    u->reserve(10);  // never shrinks
    EXPECT_EQ(250u, u->capacity());
    u->clear();
    EXPECT_EQ(250u, u->capacity());  // a cleared string keeps its storage
    u->setText(L"abc");
    EXPECT_EQ(250u, u->capacity());

    // A bulk append sizes once by the growth rule.
    Str v;
    std::wstring big(250, L'q');
    v->append(big.c_str(), int32_t(big.size()));
    EXPECT_EQ(300u, v->capacity());
}

TEST(StrBufferStorage, EmptyTextAndTermination) {
    Str s;
    EXPECT_EQ(nullptr, s->data());
    EXPECT_STREQ(L"", s->text());
    EXPECT_EQ(0u, s->capacity());  // text() of an empty string allocates nothing
    s->terminate();
    EXPECT_EQ(0u, s->capacity());
    s->append(L"abcdef", 3);
    EXPECT_STREQ(L"abc", s->text());
    s->prepend(L"xy");
    EXPECT_EQ(L"xyabc", s.str());
    s->appendNarrow("\x41\xE9", 2);
    EXPECT_EQ(std::wstring(L"xyabcA") + wchar_t(0xFFE9), s.str());  // sign-extended bytes
}

TEST(StrBufferStorage, AppendingOrPrependingItselfWhileGrowing) {
    // The source lies in the block that the append replaces.
    Str s;
    std::wstring expected;
    for (int i = 0; i < 100; ++i) s->appendChar(wchar_t(L'a' + i % 26));
    expected = s.str();
    ASSERT_EQ(s->length(), s->capacity());
    s->appendStr(s.p);
    EXPECT_EQ(expected + expected, s.str());
    s->append(s->data() + 10, 5);
    EXPECT_EQ(expected + expected + expected.substr(10, 5), s.str());
    Str t(L"abcdef");
    t->prepend(t->data() + 3, 3);
    EXPECT_EQ(L"defabcdef", t.str());
}

TEST(StrBufferPool, ReleasedStringComesBackEmptyWithoutStorage) {
    StrBuffer* a = StrBuffer::create();
    a->setText(L"hello");
    a->release();
    StrBuffer* b = StrBuffer::create();
    EXPECT_EQ(a, b);
    EXPECT_EQ(0u, b->length());
    EXPECT_EQ(0u, b->capacity());
    EXPECT_STREQ(L"s_str_strbuffer_StrBuffer", b->getClassName());
    b->release();
}

TEST(StrBufferSearch, CharacterSearches) {
    Str s(L"a.b.C.d");
    struct {
        wchar_t ch;
        uint32_t from;
        bool found;
        uint32_t pos;
    } fwd[] = {
        {L'.', 0, true, 1}, {L'.', 2, true, 3}, {L'.', 6, false, 0}, {L'd', 7, false, 0}, {L'z', 0, false, 0},
    };
    for (auto& c : fwd) {
        uint32_t pos = 99;
        EXPECT_EQ(c.found, s->indexOf(c.ch, &pos, c.from)) << c.from;
        EXPECT_EQ(c.found ? c.pos : 99u, pos);
    }
    struct {
        wchar_t ch;
        uint32_t before;
        bool found;
        uint32_t pos;
    } back[] = {
        {L'.', kFromEnd, true, 5}, {L'.', 12, true, 5}, {L'.', 5, true, 3},
        {L'.', 1, false, 0},       {L'a', 0, false, 0}, {L'a', 1, true, 0},
    };
    for (auto& c : back) {
        uint32_t pos = 99;
        EXPECT_EQ(c.found, s->lastIndexOf(c.ch, &pos, c.before)) << c.before;
        EXPECT_EQ(c.found ? c.pos : 99u, pos);
    }
    uint32_t pos = 0;
    EXPECT_TRUE(s->indexOfIgnoreCase(L'c', &pos));
    EXPECT_EQ(4u, pos);
    EXPECT_FALSE(s->indexOf(L'c', &pos));
    EXPECT_TRUE(s->indexOfAny(L"dC", -1, &pos));
    EXPECT_EQ(4u, pos);
    EXPECT_FALSE(s->indexOfAny(L"dC", 0, &pos));  // an empty set never matches
    EXPECT_TRUE(s->lastIndexOfAnyIgnoreCase(L"AC", 2, &pos));
    EXPECT_EQ(4u, pos);
    EXPECT_TRUE(s->lastIndexOfAny(L"ab", 2, &pos, 4));
    EXPECT_EQ(2u, pos);
    Str empty;
    EXPECT_FALSE(empty->indexOf(L'a', &pos));
    EXPECT_FALSE(empty->lastIndexOf(L'a', &pos));
}

TEST(StrBufferSearch, EveryPositionOfLongText) {
    // Matches in every lane of the block-wise scan and in the tail after the blocks.
    for (uint32_t at = 0; at < 37; ++at) {
        Str s;
        for (uint32_t i = 0; i < 37; ++i) s->appendChar(i == at ? L'b' : L'a');
        for (uint32_t from : {0u, at, at + 1}) {
            uint32_t pos = 99;
            bool found = s->indexOf(L'b', &pos, from);
            EXPECT_EQ(from <= at, found) << at << " from " << from;
            EXPECT_EQ(from <= at ? at : 99u, pos);
        }
        uint32_t pos = 99;
        EXPECT_EQ(at >= 1, s->find(L"ab", &pos)) << at;
        EXPECT_EQ(at >= 1 ? at - 1 : 99u, pos);
    }
}

TEST(StrBufferSearch, TextSearches) {
    Str s(L"abcABCabc");
    struct {
        const wchar_t* text;
        uint32_t from;
        bool ignoreCase;
        bool found;
        uint32_t pos;
    } cases[] = {
        {L"abc", 0, false, true, 0},  {L"abc", 1, false, true, 6}, {L"ABC", 0, false, true, 3},
        {L"ABC", 4, false, false, 0}, {L"ABC", 4, true, true, 6},  {L"cab", 0, true, true, 2},
        {L"", 4, false, true, 4},     {L"", 0, true, false, 0},    {L"abcABCabcd", 0, false, false, 0},
        {L"bc", 8, false, false, 0},
    };
    for (auto& c : cases) {
        uint32_t pos = 99;
        bool found = c.ignoreCase ? s->findIgnoreCase(c.text, &pos, c.from) : s->find(c.text, &pos, c.from);
        EXPECT_EQ(c.found, found) << c.text << " from " << c.from;
        EXPECT_EQ(c.found ? c.pos : 99u, pos) << c.text;
    }
    struct {
        const wchar_t* text;
        uint32_t before;
        bool ignoreCase;
        bool found;
        uint32_t pos;
    } last[] = {
        {L"abc", kFromEnd, false, true, 6}, {L"abc", 8, false, true, 0},
        {L"abc", 8, true, true, 3},         {L"abc", 2, true, false, 0},
        {L"CA", kFromEnd, true, true, 5},   {L"abcABCabcX", kFromEnd, false, false, 0},
    };
    for (auto& c : last) {
        uint32_t pos = 99;
        bool found = c.ignoreCase ? s->findLastIgnoreCase(c.text, &pos, c.before) : s->findLast(c.text, &pos, c.before);
        EXPECT_EQ(c.found, found) << c.text << " before " << c.before;
        EXPECT_EQ(c.found ? c.pos : 99u, pos) << c.text;
    }
}

TEST(StrBufferSearch, RegionPrefixSuffix) {
    Str hello(L"hello"), helo(L"helo");
    EXPECT_FALSE(hello->regionMatches(2, L"lo", 0, -1));  // -1: must reach the end exactly
    EXPECT_TRUE(helo->regionMatches(2, L"lo", 0, -1));
    EXPECT_TRUE(hello->regionMatches(2, L"xll", 1, 2));
    EXPECT_FALSE(hello->regionMatches(4, L"oo", 0, 2));  // past the end
    EXPECT_TRUE(hello->regionMatchesIgnoreCase(1, L"ELL", 0, 3));

    Str color(L"#Color-Red");
    struct {
        const wchar_t* text;
        int32_t n;
        bool starts, ends;
    } cases[] = {
        {L"#Color-", -1, true, false},   {L"#color-", -1, false, false},     {L"-Red", -1, false, true},
        {L"#Color-Red", -1, true, true}, {L"#Color-Red!", -1, false, false}, {L"", -1, true, true},
        {L"#Cx", 2, true, false},        {L"Redx", 3, false, true},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.starts, color->startsWith(c.text, c.n)) << c.text;
        EXPECT_EQ(c.ends, color->endsWith(c.text, c.n)) << c.text;
    }
    EXPECT_TRUE(color->startsWithIgnoreCase(L"#COLOR-"));
    EXPECT_TRUE(color->endsWithIgnoreCase(L"-rED"));
    EXPECT_TRUE(color->equalsText(L"#color-red"));
    EXPECT_FALSE(color->equalsText(L"#color-re"));
}

TEST(StrBufferCompare, CompareAt) {
    Str s(L"abcd");
    EXPECT_EQ(-1, s->compareAt(5, L""));
    EXPECT_EQ(0, s->compareAt(4, L""));  // the empty remainder
    EXPECT_EQ(-1, s->compareAt(4, L"x"));
    EXPECT_EQ(0, s->compareAt(1, L"bcd"));
    EXPECT_EQ(1, s->compareAt(1, L"bc"));
    EXPECT_EQ(-1, s->compareAt(1, L"bce"));
    EXPECT_EQ(0, s->compareAt(1, L"xbcX", 1, 2));
    EXPECT_EQ(0, s->compareAtIgnoreCase(0, L"ABCD"));
    EXPECT_EQ(-1, s->compareAtIgnoreCase(0, L"ABCE"));
}

TEST(StrBufferCompare, OrderEqualityAndCaseFolding) {
    Str a(L"Ab"), b(L"aB"), c(L"ab"), d(L"abc");
    EXPECT_TRUE(a->equalsIgnoreCase(b.p));
    EXPECT_FALSE(a->equals(b.p));
    EXPECT_EQ(0, a->compareToIgnoreCase(b.p));
    EXPECT_EQ(a->hashCodeIgnoreCase(), b->hashCodeIgnoreCase());
    EXPECT_TRUE(b->equals(Str(L"aB").p));
    EXPECT_LT(c->compareTo(d.p), 0);  // shorter first on a common prefix
    EXPECT_GT(d->compareTo(c.p), 0);
    EXPECT_LT(c->compareToIgnoreCase(d.p), 0);

    // Little-endian byte order: U+0100 sorts before U+0001.
    Str hi(std::wstring(1, wchar_t(0x0100)).c_str()), lo(std::wstring(1, wchar_t(0x0001)).c_str());
    EXPECT_LT(hi->compareTo(lo.p), 0);

    // Only A-Z fold: U+00C4 and U+00E4 stay different.
    Str upperUmlaut(L"\u00C4x"), lowerUmlaut(L"\u00E4X");
    EXPECT_FALSE(upperUmlaut->equalsIgnoreCase(lowerUmlaut.p));
    EXPECT_FALSE(upperUmlaut->equalsText(L"\u00E4x"));
    uint32_t pos;
    EXPECT_FALSE(upperUmlaut->findIgnoreCase(L"\u00E4", &pos));
    EXPECT_NE(0, upperUmlaut->compareAtIgnoreCase(0, L"\u00E4x"));
}

TEST(StrBufferCompare, Hash) {
    EXPECT_EQ(0u, Str(L"")->hashCode());
    EXPECT_EQ(0u, Str(L"")->hashCodeIgnoreCase());
    EXPECT_EQ(0xA0u, Str(L"ab")->hashCode());  // ((0x61 << 1) ^ 0x62)
    EXPECT_EQ(Str(L"ab")->hashCode(), Str(L"AB")->hashCodeIgnoreCase());
    // Bit 30 wraps into bit 0 and bit 31 is lost.
    Str a;
    a->appendChar(1);
    for (int i = 0; i < 30; ++i) a->appendChar(0);
    EXPECT_EQ(0x40000000u, a->hashCode());
    a->appendChar(0);
    EXPECT_EQ(0x80000001u, a->hashCode());
    a->appendChar(0);
    EXPECT_EQ(0x00000002u, a->hashCode());
}

TEST(StrBufferEdit, ReplaceAll) {
    struct {
        const wchar_t* text;
        const wchar_t* find;
        const wchar_t* repl;
        bool ignoreCase;
        const wchar_t* expected;
        uint32_t n;
    } cases[] = {
        {L"aaaa", L"aa", L"b", false, L"bb", 2},
        {L"bab", L"a", L"xyz", false, L"bxyzb", 1},
        {L"aXbxc", L"x", L"-", true, L"a-b-c", 2},
        {L"aXbxc", L"x", L"-", false, L"aXb-c", 1},
        {L"one two one", L"one", L"1", false, L"1 two 1", 2},
        {L"one two one", L"one", L"three", false, L"three two three", 2},
        {L"one two ONE", L"one", L"three", true, L"three two three", 2},
        {L"abc", L"abcd", L"x", false, L"abc", 0},
        {L"abc", L"", L"x", false, L"abc", 0},
        {L"abc", L"b", L"", false, L"ac", 1},
        {L"aaa", L"aa", L"XY", false, L"XYa", 1},
        {L"xyz", L"q", L"long", false, L"xyz", 0},
    };
    for (auto& c : cases) {
        Str s(c.text);
        uint32_t n = c.ignoreCase ? s->replaceAllIgnoreCase(c.find, c.repl) : s->replaceAll(c.find, c.repl);
        EXPECT_EQ(c.expected, s.str()) << c.text << " / " << c.find;
        EXPECT_EQ(c.n, n) << c.text;
    }
    // Growing replacements build the result in a second buffer and take its storage.
    Str s(L"bab");
    s->replaceAll(L"a", L"xyz");
    EXPECT_EQ(100u, s->capacity());
}

TEST(StrBufferEdit, Trim) {
    struct {
        const wchar_t* text;
        int op;
        uint32_t keep;
        const wchar_t* expected;
    } cases[] = {
        {L"  a b \t\r\n", 0, 0, L"  a b"},
        {L" \u3000\ta b ", 1, 0, L"a b "},
        {L"ab   ", 2, 3, L"ab "},
        {L"ab   ", 2, 9, L"ab   "},
        {L"   ", 0, 0, L""},
        {L"   ", 1, 0, L""},
        {L"", 0, 0, L""},
        {L" x ", 3, 0, L"x"},
    };
    for (auto& c : cases) {
        Str s(c.text);
        switch (c.op) {
            case 0: s->trimEnd(); break;
            case 1: s->trimStart(); break;
            case 2: s->trimEndKeeping(c.keep); break;
            default: s->trim(); break;
        }
        EXPECT_EQ(c.expected, s.str()) << c.text;
    }
    Str s(L"--x--");
    s->trimEndChars(L"-")->trimStartChars(L"-", 1);
    EXPECT_EQ(L"x", s.str());
}

TEST(StrBufferEdit, CaseAndReverse) {
    Str s(L"hELLO wORLD");
    s->capitalize();
    EXPECT_EQ(L"Hello world", s.str());
    s->toUpperCase();
    EXPECT_EQ(L"HELLO WORLD", s.str());
    s->toLowerCase()->reverse();
    EXPECT_EQ(L"dlrow olleh", s.str());
    EXPECT_EQ(L'D', s->charAtUpper(0));
    EXPECT_EQ(L'x', Str(L"X")->charAtLower(0));
}

TEST(StrBufferEdit, Substrings) {
    Str s(L"a.b.c");
    struct {
        uint32_t from, to;
        const wchar_t* expected;
    } sub[] = {
        {0, 0xFFFFFFFFu, L"a.b.c"}, {2, 4, L"b."}, {2, 99, L"b.c"}, {5, 5, L""}, {3, 3, L""},
    };
    for (auto& c : sub) {
        Str r(s->substring(c.from, c.to));
        EXPECT_EQ(c.expected, r.str()) << c.from << ".." << c.to;
    }
    EXPECT_EQ(L"a.b", Str(s->beforeLast(L'.')).str());
    EXPECT_EQ(L"a", Str(s->beforeLast(L'.', 3)).str());
    EXPECT_EQ(L"", Str(Str(L"abc")->beforeLast(L'.')).str());
    EXPECT_EQ(L"a.b", Str(s->beforeLastText(L".c")).str());
    EXPECT_EQ(L"a", Str(Str(L"aXbxc")->beforeLastIgnoreCase(L'x', 3)).str());
    EXPECT_EQ(L"a.b.", Str(s->beforeLastAny(L"xc.", -1)).str());
    EXPECT_EQ(L"a.b", Str(s->beforeLastAny(L"x.", -1)).str());
    Str k(L"0123456789");
    k->keepRange(3, 7);
    EXPECT_EQ(L"3456", k.str());
    k->keepRange(0, 2);
    EXPECT_EQ(L"34", k.str());
    Str c(s->clone());
    EXPECT_TRUE(c->equals(s.p));
    EXPECT_NE(c.p, s.p);
}

TEST(StrBufferStream, ReadAndWriteViews) {
    Str s;
    s::io::IOutputStream* out = s.p;
    uint32_t n = 0;
    EXPECT_TRUE(out->write("abc", 3, n));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(1u, s->length());  // the half unit is not counted
    EXPECT_EQ(3u, out->getPosition());
    EXPECT_TRUE(out->write("\0d\0", 3, n));
    EXPECT_EQ(3u, s->length());
    EXPECT_EQ(std::wstring(L"\x6261") + L"c" + L"d", s.str());

    Str t(L"hello");
    s::io::IInputStream* in = t.p;
    char buf[16];
    EXPECT_TRUE(in->read(buf, 4, n));
    EXPECT_EQ(4u, n);
    EXPECT_TRUE(in->read(buf, 0, n));
    EXPECT_EQ(0u, n);
    EXPECT_TRUE(in->read(buf, 16, n));
    EXPECT_EQ(6u, n);
    EXPECT_FALSE(in->read(buf, 16, n));
    EXPECT_EQ(0u, n);
    EXPECT_EQ(10u, in->seekFromEnd(0));
    EXPECT_EQ(6u, in->seekFromEnd(4));
    EXPECT_TRUE(in->read(buf, 16, n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ(0, memcmp(buf, L"lo", 4));
    // Clearing a view only rewinds; the text stays.
    in->clear();
    EXPECT_EQ(0u, in->getPosition());
    EXPECT_EQ(5u, t->length());
    t->clear();
    EXPECT_EQ(0u, t->length());
}

TEST(StrBufferIterator, WalksBothEnds) {
    Str s(L"abc");
    auto walk = [](s::col::IteratorBase* it, bool forward) {
        std::wstring r;
        if (forward) {
            while (it->hasNext()) r += *static_cast<wchar_t*>(it->next());
        } else {
            while (it->hasPrevious()) r += *static_cast<wchar_t*>(it->previous());
        }
        it->release();
        return r;
    };
    EXPECT_EQ(L"abc", walk(s->iterator(), true));
    EXPECT_EQ(L"bc", walk(s->iteratorAt(1), true));

    s::col::IteratorBase* end = s->iteratorAtEnd();
    EXPECT_FALSE(end->hasNext());
    EXPECT_EQ(L'c', *static_cast<wchar_t*>(end->previous()));
    EXPECT_EQ(2, end->getIndex());
    end->release();

    // Cursors asked for with -1 or beyond the ends start at an end, never outside.
    for (int32_t i : {-1, 3, 50}) {
        s::col::IteratorBase* it = s->iteratorAt(i);
        EXPECT_FALSE(it->hasNext()) << i;
        ASSERT_TRUE(it->hasPrevious()) << i;
        EXPECT_EQ(L'c', *static_cast<wchar_t*>(it->previous())) << i;
        it->release();
    }
    for (int32_t n : {-1, 3, 50}) {
        s::col::IteratorBase* it = s->iteratorFromEnd(n);
        EXPECT_FALSE(it->hasPrevious()) << n;
        EXPECT_TRUE(it->hasNext()) << n;
        EXPECT_EQ(L'a', *static_cast<wchar_t*>(it->next())) << n;
        it->release();
    }
    s::col::IteratorBase* two = s->iteratorFromEnd(2);
    EXPECT_EQ(L'a', *static_cast<wchar_t*>(two->previous()));
    two->release();

    Str empty;
    s::col::IteratorBase* it = empty->iterator();
    EXPECT_FALSE(it->hasNext());
    EXPECT_STREQ(L"s_str_strbuffer_Iterator", it->getClassName());
    it->release();
    it = empty->iteratorAt(-1);
    EXPECT_FALSE(it->hasNext());
    EXPECT_FALSE(it->hasPrevious());
    it->release();
}

// setLength never reaches past the storage: text() would write its NUL there.
TEST(StrBufferStorage, SetLengthIsBoundedByTheCapacity) {
    Str s(L"abc");
    s->reserve(8);
    const uint32_t capacity = s->capacity();
    EXPECT_FALSE(s->setLength(capacity + 1));
    EXPECT_FALSE(s->setLength(0xFFFFFFFFu));
    EXPECT_EQ(s->length(), 3u);
    EXPECT_STREQ(s->text(), L"abc");
    // Units written through data(), then the length: the text ends there.
    wchar_t* d = s->data();
    for (uint32_t i = 0; i < capacity; ++i) d[i] = L'z';
    EXPECT_TRUE(s->setLength(capacity));
    EXPECT_EQ(std::wstring(s->text()), std::wstring(capacity, L'z'));
    EXPECT_TRUE(s->setLength(1));
    EXPECT_STREQ(s->text(), L"z");
    Str empty;
    empty->freeStorage();
    EXPECT_FALSE(empty->setLength(1));
    EXPECT_TRUE(empty->setLength(0));
    EXPECT_STREQ(empty->text(), L"");
}

// Every change leaves a NUL after the text, so text() on a string that threads only
// read writes nothing (it would race with the other readers).
TEST(StrBufferStorage, EveryChangeKeepsTheTextTerminated) {
    struct Case {
        const char* name;
        void (*change)(StrBuffer*);
        const wchar_t* expected;
    } cases[] = {
        {"shorter text", [](StrBuffer* s) { s->setText(L"abc"); }, L"abc"},
        {"append", [](StrBuffer* s) { s->setText(L"ab")->append(L"c"); }, L"abc"},
        {"long append", [](StrBuffer* s) { s->setText(L"a")->append(L"bcdefghijk"); }, L"abcdefghijk"},
        {"append char", [](StrBuffer* s) { s->setText(L"ab")->appendChar(L'c'); }, L"abc"},
        {"prepend", [](StrBuffer* s) { s->setText(L"c")->prepend(L"ab"); }, L"abc"},
        {"narrow", [](StrBuffer* s) { s->setText(L"a")->appendNarrow("bc"); }, L"abc"},
        {"trim end", [](StrBuffer* s) { s->trimEndChars(L"xyz"); }, L"abcdefghijklmnopqrstuvw"},
        {"trim start", [](StrBuffer* s) { s->setText(L"  abc")->trimStartChars(L" "); }, L"abc"},
        {"keep range", [](StrBuffer* s) { s->keepRange(1, 4); }, L"bcd"},
        {"clear", [](StrBuffer* s) { s->clear(); }, L""},
        {"set number", [](StrBuffer* s) { s->setInt(42); }, L"42"},
        {"utf-8", [](StrBuffer* s) { s->fromUtf8("abc", false, 3); }, L"abc"},
        {"set length", [](StrBuffer* s) { s->setLength(2); }, L"ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Str s(L"abcdefghijklmnopqrstuvwxyz");
        c.change(s.p);
        ASSERT_NE(s->data(), nullptr);
        // Looked at before any call of text().
        EXPECT_EQ(s->data()[s->length()], L'\0');
        EXPECT_EQ(std::wstring(s->data(), s->length()), c.expected);
    }
}
