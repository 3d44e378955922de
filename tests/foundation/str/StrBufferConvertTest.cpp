// String numbers, hexadecimal, encodings and word splitting.
#include <gtest/gtest.h>
#include <windows.h>

#include <cfloat>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "StrHolder.h"

using s::col::_array::ArrayU08;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;
using testing_support::Bytes;
using testing_support::Str;

namespace {

std::vector<std::wstring> items(StrArray* list) {
    std::vector<std::wstring> r;
    for (uint32_t i = 0; i < list->count(); ++i) r.emplace_back(list->at(i)->text());
    list->release();
    return r;
}

}  // namespace

TEST(StrBufferNumbers, DecimalAppenders) {
    struct {
        std::wstring got, expected;
    } cases[] = {
        {Str(L"x")->appendInt(-5)->text(), L"x-5"},
        {Str()->appendU8(200)->text(), L"200"},
        {Str()->appendS8(-56)->text(), L"-56"},
        {Str()->appendS16(-32768)->text(), L"-32768"},
        {Str()->appendU16(65535)->text(), L"65535"},
        {Str()->appendU32(4294967295u)->text(), L"4294967295"},
        {Str()->appendInt(INT32_MIN)->text(), L"-2147483648"},
        {Str()->appendS64(INT64_MIN)->text(), L"-9223372036854775808"},
        {Str()->appendS64(0)->text(), L"0"},
        // 64-bit unsigned values print unsigned, also from 2^63 up.
        {Str()->appendU64(UINT64_MAX)->text(), L"18446744073709551615"},
        {Str()->appendU64(uint64_t(1) << 63)->text(), L"9223372036854775808"},
        {Str()->appendFloat(0.5f)->text(), L"0.500000"},
        {Str()->appendDouble(-2.25)->text(), L"-2.250000"},
        {Str(L"old")->setInt(12)->text(), L"12"},
        {Str(L"old")->setU64(UINT64_MAX)->text(), L"18446744073709551615"},
        {Str(L"old")->setDouble(1.5)->text(), L"1.500000"},
    };
    for (auto& c : cases) EXPECT_EQ(c.expected, c.got);
}

TEST(StrBufferNumbers, HugeFloatTextStaysIntact) {
    // "%f" of DBL_MAX is 309 digits and 7 more units: longer than any fixed 256-unit room.
    Str s(L"<");
    s->appendDouble(DBL_MAX)->appendText(L">");
    std::wstring t = s.str();
    ASSERT_EQ(1u + 309u + 7u + 1u, t.size());
    EXPECT_EQ(L"<17976931348623", t.substr(0, 15));
    EXPECT_EQ(L".000000>", t.substr(t.size() - 8));
    Str r;
    r->setDouble(-DBL_MAX);
    EXPECT_EQ(317u, r->length());
}

TEST(StrBufferNumbers, DecimalParsing) {
    struct {
        const wchar_t* text;
        int32_t i;
        int64_t s64;
        uint64_t u64;
    } cases[] = {
        {L"42", 42, 42, 42},
        {L"  \t\n 7", 7, 7, 7},
        {L"-17abc", -17, -17, uint64_t(-17)},
        {L"+5", 5, 5, 5},
        {L"abc", 0, 0, 0},
        {L"", 0, 0, 0},
        {L"-", 0, 0, 0},
        {L"0x1A", 0, 0, 0},  // no radix prefixes: decimal up to the first non-digit
        {L"2147483648", INT32_MAX, 2147483648LL, 2147483648ULL},
        {L"-2147483649", INT32_MIN, -2147483649LL, uint64_t(-2147483649LL)},
        {L"9223372036854775808", INT32_MAX, INT64_MAX, 9223372036854775808ULL},
        {L"-9223372036854775809", INT32_MIN, INT64_MIN, 0 - 9223372036854775809ULL},
        {L"18446744073709551615", INT32_MAX, INT64_MAX, UINT64_MAX},
        {L"99999999999999999999", INT32_MAX, INT64_MAX, UINT64_MAX},
        {L"1 2", 1, 1, 1},
    };
    for (auto& c : cases) {
        Str s(c.text);
        EXPECT_EQ(c.i, s->toInt()) << c.text;
        EXPECT_EQ(c.s64, s->toS64()) << c.text;
        EXPECT_EQ(c.u64, s->toU64()) << c.text;
    }
    EXPECT_EQ(44, Str(L"300")->toU8());  // truncated to the type
    EXPECT_EQ(-1, Str(L"65535")->toS16());
    EXPECT_EQ(4294967295u, Str(L"-1")->toU32());
    EXPECT_EQ(0.1, Str(L"0.1")->toDouble());  // full double precision
    EXPECT_EQ(0.1f, Str(L"0.1")->toFloat());
    EXPECT_EQ(-1.5e300, Str(L" -1.5e300")->toDouble());
    EXPECT_EQ(0.0, Str(L"x1")->toDouble());
    // Round trip of the unsigned 64-bit extreme.
    Str r;
    r->setU64(UINT64_MAX);
    EXPECT_EQ(UINT64_MAX, r->toU64());
}

TEST(StrBufferNumbers, IntegerAndHexTests) {
    struct {
        const wchar_t* text;
        bool integer, hex;
        uint32_t parsed;
    } cases[] = {
        {L"-", false, false, 0},       {L"-1", true, false, 1},
        {L"1-", false, false, 0x10},   {L"", false, false, 0},
        {L"0123", true, true, 0x123},  {L"1A", false, true, 26},
        {L"ff", false, true, 255},     {L"123456789", true, true, 0x23456789},
        {L"0x1A", false, false, 0x1A}, {L"g", false, false, 0},
    };
    for (auto& c : cases) {
        Str s(c.text);
        EXPECT_EQ(c.integer, s->isInteger()) << c.text;
        EXPECT_EQ(c.hex, s->isHex()) << c.text;
        EXPECT_EQ(c.parsed, s->parseHex()) << c.text;
    }
    EXPECT_EQ(11u, Str(L"zB")->hexDigitAt(1));
    EXPECT_EQ(0u, Str(L"zB")->hexDigitAt(0));
}

TEST(StrBufferHex, Appenders) {
    const uint8_t u8[] = {0x0A, 0xFF};
    const uint16_t u16[] = {0x1234};
    const uint32_t u32[] = {0xDEADBEEF, 1};
    const uint64_t u64[] = {0x0123456789ABCDEFULL};
    const int8_t s8[] = {-1};
    const int16_t s16[] = {-2};
    const int32_t s32[] = {-2};
    const int64_t s64[] = {-1};
    const float f[] = {1.0f};
    const double d[] = {1.0};
    struct {
        std::wstring got, expected;
    } cases[] = {
        {Str()->appendHexU8(u8, 2)->text(), L"0aff"},
        {Str()->appendHexU16(u16, 1)->text(), L"1234"},
        {Str()->appendHexU32(u32, 2)->text(), L"deadbeef00000001"},
        {Str()->appendHexU64(u64, 1)->text(), L"0123456789abcdef"},
        {Str()->appendHexS8(s8, 1)->text(), L"ff"},
        {Str()->appendHexS16(s16, 1)->text(), L"fffe"},
        {Str()->appendHexS32(s32, 1)->text(), L"fffffffe"},
        {Str()->appendHexS64(s64, 1)->text(), L"ffffffffffffffff"},
        {Str()->appendHexFloat(f, 1)->text(), L"3f800000"},
        {Str()->appendHexDouble(d, 1)->text(), L"000000003ff00000"},
        {Str(L"x:")->appendHexU8(u8, 0)->text(), L"x:"},
        {Str(L"x:")->formatHex(u8, 2, true)->text(), L"x:0aff"},
        {Str(L"x:")->formatHex(u8, 2, false)->text(), L"0aff"},
    };
    for (auto& c : cases) EXPECT_EQ(c.expected, c.got);
}

TEST(StrBufferHex, HexToBytes) {
    struct {
        const wchar_t* text;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {L"0aFf", {0x0A, 0xFF}},
        {L"abc", {0xAB}},  // an odd last unit is ignored
        {L"", {}},
        {L"g1", {0x01}},          // no high digit in the first pair: 0
        {L"1g", {0x10}},          // a bad low digit gives 0
        {L"a1g2", {0xA1, 0x12}},  // a bad high digit keeps the previous low nibble
    };
    for (auto& c : cases) {
        Bytes b(Str(c.text)->hexToBytes(nullptr, false));
        EXPECT_EQ(c.bytes, b.vec()) << c.text;
    }
    Bytes b;
    b->push(7);
    Str(L"0102")->hexToBytes(b.p, true);
    EXPECT_EQ((std::vector<uint8_t>{7, 1, 2}), b.vec());
    Str(L"ff")->hexToBytes(b.p, false);
    EXPECT_EQ((std::vector<uint8_t>{0xFF}), b.vec());
}

TEST(StrBufferEncoding, Utf8Forms) {
    Str e(L"\u00e9");
    Bytes t(e->toUtf8Terminated(nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0xC3, 0xA9, 0x00}), t.vec());
    Bytes u(e->toUtf8(nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0xC3, 0xA9}), u.vec());
    EXPECT_EQ(0, u->items()[2]);  // stored after the data, not counted
    Bytes empty(Str()->toUtf8(nullptr, false));
    EXPECT_EQ(0u, empty->count());
    Bytes emptyT(Str()->toUtf8Terminated(nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0}), emptyT.vec());
    // Append after existing bytes, or replace them.
    Str(L"ab")->toUtf8(u.p, true);
    EXPECT_EQ((std::vector<uint8_t>{0xC3, 0xA9, 'a', 'b'}), u.vec());
    Str(L"z")->toUtf8(u.p, false);
    EXPECT_EQ((std::vector<uint8_t>{'z'}), u.vec());
}

TEST(StrBufferEncoding, Utf8RoundTrips) {
    struct {
        std::wstring text;
        std::vector<uint8_t> utf8;
    } cases[] = {
        {L"plain", {'p', 'l', 'a', 'i', 'n'}},
        {L"\u00e9\u20ac", {0xC3, 0xA9, 0xE2, 0x82, 0xAC}},
        {L"\u6771\u4eac", {0xE6, 0x9D, 0xB1, 0xE4, 0xBA, 0xAC}},
        // U+1F600 as the surrogate pair D83D DE00.
        {std::wstring(L"a") + wchar_t(0xD83D) + wchar_t(0xDE00) + L"b", {'a', 0xF0, 0x9F, 0x98, 0x80, 'b'}},
        {std::wstring(L"x\0y", 3), {'x', 0, 'y'}},
    };
    for (auto& c : cases) {
        Str s;
        s->append(c.text.data(), int32_t(c.text.size()));
        Bytes b(s->toUtf8(nullptr, false));
        EXPECT_EQ(c.utf8, b.vec());
        Str back;
        EXPECT_EQ(c.text.size(), back->fromUtf8(b.p, false));
        EXPECT_EQ(c.text, back.str());
    }
}

TEST(StrBufferEncoding, Utf8InvalidInputAndLengths) {
    const std::wstring fffd(1, wchar_t(0xFFFD));
    struct {
        std::string bytes;
        std::wstring text;
    } exact[] = {
        {"\xC3\x28", fffd + L"("},  // truncated two-byte sequence
        {"a\xFF"
         "b",
         L"a" + fffd + L"b"},        // a byte that never starts a sequence
        {"x\xE2\x82", L"x" + fffd},  // text cut inside a sequence
    };
    for (auto& c : exact) {
        Str s;
        s->fromUtf8(c.bytes.data(), false, int32_t(c.bytes.size()));
        EXPECT_EQ(c.text, s.str()) << c.bytes;
    }
    // An encoded surrogate is not text: only replacement characters come out (how many
    // differs between systems).
    Str sur;
    sur->fromUtf8("\xED\xA0\x80", false, 3);
    ASSERT_GE(sur->length(), 1u);
    for (uint32_t i = 0; i < sur->length(); ++i) EXPECT_EQ(0xFFFD, sur->charAt(i));
    // -1 stops at the first NUL byte; append keeps the text.
    Str s(L"<");
    EXPECT_EQ(2u, s->fromUtf8("hi\0more", true));
    EXPECT_EQ(L"<hi", s.str());
    EXPECT_EQ(1u, s->fromUtf8("xyz", false, 1));
    EXPECT_EQ(L"x", s.str());
    EXPECT_EQ(0u, s->fromUtf8("", false));
    EXPECT_EQ(0u, s->length());
    // A lone surrogate becomes U+FFFD rather than failing the whole text.
    Str lone;
    lone->appendText(L"a")->appendChar(wchar_t(0xD800))->appendText(L"b");
    Bytes b(lone->toUtf8(nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{'a', 0xEF, 0xBF, 0xBD, 'b'}), b.vec());
}

TEST(StrBufferEncoding, Utf16CodePages) {
    Str s(L"A\u20ac");
    Bytes le(s->encode(StrBuffer::kUtf16, nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0x41, 0x00, 0xAC, 0x20}), le.vec());
    Bytes be(s->encodeTerminated(StrBuffer::kUtf16BE, nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x41, 0x20, 0xAC, 0x00}), be.vec());

    Str back;
    EXPECT_EQ(2u, back->decode(StrBuffer::kUtf16, le->items(), false, int32_t(le->count())));
    EXPECT_EQ(L"A\u20ac", back.str());
    EXPECT_EQ(2u, back->decode(StrBuffer::kUtf16BE, be->items(), false, 4));
    EXPECT_EQ(L"A\u20ac", back.str());
    // -1: up to the NUL unit; an odd byte count drops the half unit.
    const uint8_t units[] = {0x61, 0x00, 0x62, 0x00, 0x00, 0x00, 0x63, 0x00};
    EXPECT_EQ(2u, back->decode(StrBuffer::kUtf16, units, false));
    EXPECT_EQ(L"ab", back.str());
    EXPECT_EQ(2u, back->decode(StrBuffer::kUtf16, units, true, 5));
    EXPECT_EQ(L"abab", back.str());
    // The UTF-8 code page goes through the system conversion like any other.
    Bytes u(s->encode(CP_UTF8, nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0x41, 0xE2, 0x82, 0xAC}), u.vec());
}

TEST(StrBufferEncoding, AnsiAndOemPages) {
    // Text every Western page holds round-trips through the system's ANSI and OEM pages.
    Str s(L"Caf\u00e9 42");
    for (int page : {int(GetACP()), int(GetOEMCP())}) {
        Bytes b(s->encode(page, nullptr, false));
        EXPECT_EQ(7u, b->count()) << page;
        Str back;
        back->decode(page, b->items(), false, int32_t(b->count()));
        EXPECT_EQ(s.str(), back.str()) << page;
    }
    Bytes oem(s->toOemTerminated(nullptr, false));
    ASSERT_EQ(8u, oem->count());
    if (GetOEMCP() == 437 || GetOEMCP() == 850) { EXPECT_EQ(0x82, oem->items()[3]); }
    if (GetACP() == 1252) { EXPECT_EQ(0xE9, Bytes(s->encode(1252, nullptr, false))->items()[3]); }
    Str back;
    back->fromOem(oem->items(), false);
    EXPECT_EQ(s.str(), back.str());
    // A code page the system does not know adds nothing, but the terminated form still
    // ends in its NUL.
    Bytes none(s->encodeTerminated(12345, nullptr, false));
    EXPECT_EQ((std::vector<uint8_t>{0}), none.vec());
    EXPECT_EQ(0u, back->decode(12345, "abc", false));
}

TEST(StrBufferDigest, Md5OfUtf16Bytes) {
    // Digests of the UTF-16LE bytes, made independently by Python's hashlib.
    Str d(Str(L"abc")->digest(nullptr, nullptr, false));
    EXPECT_EQ(L"ce1473cf80c6b3fda8e3dfc006adc315", d.str());
    Str e(L"md5:");
    Str()->digest(nullptr, e.p, true);
    EXPECT_EQ(L"md5:d41d8cd98f00b204e9800998ecf8427e", e.str());
}

TEST(StrBufferWords, Split) {
    struct {
        const wchar_t* text;
        wchar_t sep;
        std::vector<std::wstring> pieces;
    } cases[] = {
        {L",a,,b,", L',', {L"a", L"b"}},      {L"", L',', {}}, {L"abc", L',', {L"abc"}}, {L",,,", L',', {}},
        {L"k=v=w", L'=', {L"k", L"v", L"w"}},
    };
    for (auto& c : cases) EXPECT_EQ(c.pieces, items(Str(c.text)->split(c.sep))) << c.text;
}

TEST(StrBufferWords, SplitWords) {
    struct {
        const wchar_t* text;
        bool drop;
        std::vector<std::wstring> words;
    } cases[] = {
        {L"The cat and the dog", true, {L"The", L"cat", L"and", L"dog"}},
        {L"cat of", true, {L"cat"}},
        {L"cat of", false, {L"cat", L"of"}},
        {L"cat OF", true, {L"cat"}},
        {L"the, cat", true, {L"the", L"cat"}},
        {L"a+b c%d, \u6771\u4eac\u3002x", false, {L"a+b", L"c%d", L"\u6771\u4eac", L"x"}},
        {L"x\u00e9y \u3010z\u3011", false, {L"x", L"y", L"z"}},  // U+0080..U+00FF separate words
        {L"Dog dog DOG", false, {L"Dog"}},
        {L"", true, {}},
        {L" ,; ", true, {}},
    };
    for (auto& c : cases) EXPECT_EQ(c.words, items(Str(c.text)->splitWords(c.drop))) << c.text;

    const StrArray* stop = StrBuffer::stopWords();
    ASSERT_EQ(3u, stop->count());
    EXPECT_STREQ(L"the", stop->at(0)->text());
    EXPECT_STREQ(L"of", stop->at(1)->text());
    EXPECT_STREQ(L"and", stop->at(2)->text());
}

TEST(StrBufferWords, StopWordsFilledOnceUnderConcurrentFirstUse) {
    // Many threads racing on the first use see one list of exactly three words.
    constexpr int kThreads = 8;
    HANDLE threads[kThreads];
    static const StrArray* seen[kThreads];
    for (int i = 0; i < kThreads; ++i) {
        threads[i] = CreateThread(
            nullptr, 0,
            [](LPVOID arg) -> DWORD {
                StrBuffer* s = StrBuffer::fromString(L"cat and");
                StrArray* words = s->splitWords(true);
                seen[reinterpret_cast<intptr_t>(arg)] = StrBuffer::stopWords();
                bool ok = words->count() == 1;
                words->release();
                s->release();
                return ok ? 0 : 1;
            },
            reinterpret_cast<LPVOID>(intptr_t(i)), 0, nullptr);
        ASSERT_NE(nullptr, threads[i]);
    }
    WaitForMultipleObjects(kThreads, threads, TRUE, 30000);
    for (int i = 0; i < kThreads; ++i) {
        DWORD code = 99;
        GetExitCodeThread(threads[i], &code);
        EXPECT_EQ(0u, code);
        CloseHandle(threads[i]);
        EXPECT_EQ(seen[0], seen[i]);
    }
    EXPECT_EQ(3u, StrBuffer::stopWords()->count());
}
