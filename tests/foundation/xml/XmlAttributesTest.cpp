#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "XmlTestSupport.h"
#include "foundation/xml/AttrFactory.h"
#include "foundation/xml/XmlText.h"

using namespace xmltest;
using s::xml::AttrFactory;
using s::xml::Attributes;

namespace {

// The node written and parsed back.
Node* reparsed(const Node* n) {
    Node* back = Node::create();
    EXPECT_NE(back->parse(xmlOf(n).c_str()), nullptr);
    return back;
}

template <class T>
bool sameBits(T a, T b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

}  // namespace

TEST(XmlAttributes, IntegersRoundTripThroughText) {
    Pooled<Node> n(Node::create());
    n->setName(L"v");
    n->setUInt64(L"u64", UINT64_MAX);
    n->setUInt64(L"u64b", 1ull << 63);
    n->setUInt32(L"u32", UINT32_MAX);
    n->setUInt16(L"u16", UINT16_MAX);
    n->setUInt8(L"u8", UINT8_MAX);
    n->setInt64(L"s64min", INT64_MIN);
    n->setInt64(L"s64max", INT64_MAX);
    n->setInt32(L"s32", INT32_MIN);
    n->setInt16(L"s16", INT16_MIN);
    n->setInt8(L"s8", INT8_MIN);
    EXPECT_STREQ(n->getString(L"u64", nullptr), L"-1");
    EXPECT_STREQ(n->getString(L"u16", nullptr), L"65535");
    EXPECT_STREQ(n->getString(L"s8", nullptr), L"-128");
    Pooled<Node> back(reparsed(n.get()));
    EXPECT_EQ(back->getUInt64(L"u64", 0), UINT64_MAX);
    EXPECT_EQ(back->getUInt64(L"u64b", 0), 1ull << 63);
    EXPECT_EQ(back->getUInt32(L"u32", 0), UINT32_MAX);
    EXPECT_EQ(back->getUInt16(L"u16", 0), UINT16_MAX);
    EXPECT_EQ(back->getUInt8(L"u8", 0), UINT8_MAX);
    EXPECT_EQ(back->getInt64(L"s64min", 0), INT64_MIN);
    EXPECT_EQ(back->getInt64(L"s64max", 0), INT64_MAX);
    EXPECT_EQ(back->getInt32(L"s32", 0), INT32_MIN);
    EXPECT_EQ(back->getInt16(L"s16", 0), INT16_MIN);
    EXPECT_EQ(back->getInt8(L"s8", 0), INT8_MIN);
}

TEST(XmlAttributes, FloatsAndDoublesRoundTripExactly) {
    const float floats[] = {0.1f,
                            1.0f / 3,
                            -2.5e-7f,
                            1e-10f,
                            16777217.0f,
                            FLT_MAX,
                            -FLT_MAX,
                            FLT_MIN,
                            std::numeric_limits<float>::denorm_min(),
                            -0.0f,
                            0.0f,
                            123456.789f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    const double doubles[] = {0.1,
                              1.0 / 3,
                              3.141592653589793,
                              -1e-300,
                              1e300,
                              DBL_MAX,
                              -DBL_MAX,
                              DBL_MIN,
                              std::numeric_limits<double>::denorm_min(),
                              -0.0,
                              9007199254740993.0,
                              123456789.123456789,
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    Pooled<Node> n(Node::create());
    n->setName(L"v");
    for (size_t i = 0; i < std::size(floats); ++i) {
        ASSERT_TRUE(n->setFloat((L"f" + std::to_wstring(i)).c_str(), floats[i]));
    }
    for (size_t i = 0; i < std::size(doubles); ++i) {
        ASSERT_TRUE(n->setDouble((L"d" + std::to_wstring(i)).c_str(), doubles[i]));
    }
    n->setFloat(L"fnan", NAN);
    n->setDouble(L"dnan", NAN);
    // Far from the six fixed decimals that would lose small values or run to 300 digits.
    EXPECT_LT(std::wcslen(n->getString(L"d4", L"")), 30u);
    EXPECT_STRNE(n->getString(L"f3", L""), L"0.000000");

    Pooled<Node> back(reparsed(n.get()));
    const Attributes* a = back->getAttributes();
    for (size_t i = 0; i < std::size(floats); ++i) {
        float got = a->getFloat((L"f" + std::to_wstring(i)).c_str(), 42.0f);
        EXPECT_TRUE(sameBits(got, floats[i])) << i << ": " << floats[i] << " came back as " << got;
    }
    for (size_t i = 0; i < std::size(doubles); ++i) {
        double got = a->getDouble((L"d" + std::to_wstring(i)).c_str(), 42.0);
        EXPECT_TRUE(sameBits(got, doubles[i])) << i << ": " << doubles[i] << " came back as " << got;
    }
    EXPECT_TRUE(std::isnan(a->getFloat(L"fnan", 0)));
    EXPECT_TRUE(std::isnan(a->getDouble(L"dnan", 0)));
    EXPECT_EQ(a->getDouble(L"absent", 2.5), 2.5);
}

TEST(XmlAttributes, DecimalParsingOfStoredText) {
    struct Case {
        const wchar_t* text;
        int32_t i32;
        int64_t i64;
        uint32_t u32;
    } cases[] = {
        {L"42", 42, 42, 42},
        {L"  \t-7xyz", -7, -7, 0xFFFFFFF9u},
        {L"+5", 5, 5, 5},
        {L"abc", 0, 0, 0},
        {L"", 0, 0, 0},
        {L"99999999999", INT32_MAX, 99999999999LL, UINT32_MAX},
        {L"-99999999999", INT32_MIN, -99999999999LL, UINT32_MAX},
        {L"18446744073709551615", INT32_MAX, -1, UINT32_MAX},
        {L"99999999999999999999999", INT32_MAX, -1, UINT32_MAX},
    };
    for (const Case& c : cases) {
        Pooled<Node> n(Node::create());
        n->getAttributes()->add(L"v", c.text);
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(n->getInt32(L"v", 1), c.i32);
        EXPECT_EQ(n->getInt64(L"v", 1), c.i64);
        EXPECT_EQ(n->getUInt32(L"v", 1), c.u32);
    }
    Pooled<Node> n(Node::create());
    EXPECT_EQ(n->getInt8(L"none", -3), -3);
    EXPECT_EQ(n->getUInt16(L"none", 65000), 65000);
    EXPECT_STREQ(n->getString(L"none", L"dflt"), L"dflt");
}

TEST(XmlAttributes, BoolAcceptsOneAndLowerCaseTruePrefixes) {
    struct Case {
        const wchar_t* text;
        bool value;
    } cases[] = {{L"1", true},    {L"10", true}, {L"true", true}, {L"trueish", true}, {L"True", false},
                 {L"yes", false}, {L"0", false}, {L"", false},    {L" 1", false}};
    for (const Case& c : cases) {
        Pooled<Node> n(Node::create());
        n->getAttributes()->add(L"b", c.text);
        EXPECT_EQ(n->getBool(L"b", !c.value), c.value) << testing::PrintToString(std::wstring(c.text));
    }
    Pooled<Node> n(Node::create());
    EXPECT_TRUE(n->getBool(L"absent", true));
}

TEST(XmlAttributes, HexadecimalArrays) {
    Pooled<Node> n(Node::create());
    const uint64_t q[] = {0x0123456789abcdefull, 1};
    const uint32_t d[] = {1, 0xDEADBEEF};
    const uint16_t w[] = {0xBEEF, 0x12};
    const uint8_t b[] = {0, 0xAB, 0x7F};
    n->setHex64Array(L"q", q, 2);
    n->setHex32Array(L"d", d, 2);
    n->setHex16Array(L"w", w, 2);
    n->setHex8Array(L"b", b, 3);
    n->setHex64AsWords(L"qw", q, 2);
    n->setHex8Array(L"none", b, 0);
    EXPECT_STREQ(n->getString(L"q", nullptr), L"0123456789abcdef0000000000000001");
    EXPECT_STREQ(n->getString(L"d", nullptr), L"00000001deadbeef");
    EXPECT_STREQ(n->getString(L"w", nullptr), L"beef0012");
    EXPECT_STREQ(n->getString(L"b", nullptr), L"00ab7f");
    EXPECT_STREQ(n->getString(L"qw", nullptr), L"89abcdef012345670000000100000000");
    EXPECT_STREQ(n->getString(L"none", nullptr), L"");
}

TEST(XmlAttributes, StringSetterEscapesAndCopyValueDecodes) {
    Pooled<Node> n(Node::create());
    n->setName(L"a");
    n->setString(L"s", L"<&> \"x\"\r\n");
    n->setString(L"", L"  a b\t");
    EXPECT_STREQ(n->getString(L"s", nullptr), L"&lt;&amp;> &quot;x&quot;&#13;&#10;");
    EXPECT_STREQ(n->getString(L"", nullptr), L"&#160;&#160;a&#160;b&#9;");
    EXPECT_EQ(xmlOf(n.get()), L"<a s=\"&lt;&amp;> &quot;x&quot;&#13;&#10;\">&#160;&#160;a&#160;b&#9;</a>");
    Pooled<Node> back(reparsed(n.get()));
    EXPECT_EQ(valueOf(back.get(), L"s"), L"<&> \"x\"\r\n");
    EXPECT_EQ(valueOf(back.get(), L""), L"  a b\t");

    Pooled<StrBuffer> out(StrBuffer::fromString(L"pre:"));
    back->copyValueTo(out.get(), L"S", L"dflt", true);
    EXPECT_EQ(text(out.get()), L"pre:<&> \"x\"\r\n");
    back->copyValueTo(out.get(), L"missing", L"dflt", true);
    EXPECT_EQ(text(out.get()), L"pre:<&> \"x\"\r\ndflt");
    back->copyValueTo(out.get(), L"missing", L"dflt", false);
    EXPECT_EQ(text(out.get()), L"dflt");
}

TEST(XmlAttributes, SameNameTwiceKeepsBothAndGetterAnswersFirst) {
    Pooled<Node> n(Node::create());
    n->setInt32(L"k", 1);
    n->setInt32(L"K", 2);
    EXPECT_EQ(n->getAttributes()->count(), 2u);
    EXPECT_EQ(n->getInt32(L"k", 0), 1);
    n->getAttributes()->removeAt(0);
    EXPECT_EQ(n->getInt32(L"k", 0), 2);
}

TEST(XmlText, EscapeTables) {
    Pooled<StrBuffer> out(StrBuffer::fromString(L"old"));
    s::xml::escapeAttr(out.get(), L"a\nb\rc\"d&e<f>g h\ti");
    EXPECT_EQ(text(out.get()), L"a&#10;b&#13;c&quot;d&amp;e&lt;f>g h\ti");
    s::xml::escapeText(out.get(), L"a\nb\rc\"d&e<f>g h\ti\u3000");
    EXPECT_EQ(text(out.get()), L"a&#10;b&#13;c\"d&amp;e&lt;f&gt;g&#160;h&#9;i&#12288;");
}

TEST(XmlText, UnescapeTables) {
    struct Case {
        const wchar_t* in;
        const wchar_t* attr;
        const wchar_t* text;
    } cases[] = {
        {L"a&amp;b&lt;c&gt;d&quot;e&apos;f", L"a&b<c>d\"e'f", L"a&b<c>d\"e'f"},
        {L"x&#10;y&#13;z", L"x\ny\rz", L"x\ny\rz"},
        {L"a&#160;b", L"a\u00A0b", L"a b"},
        {L"&#x41;&#66;&#x1F600;", L"AB\U0001F600", L"AB\U0001F600"},
        {L"&foo; & &#; &#xZZ; &#xD800; &#0; &#99999999999;", L"&foo; & &#; &#xZZ; &#xD800; &#0; &#99999999999;",
         L"&foo; & &#; &#xZZ; &#xD800; &#0; &#99999999999;"},
        {L" \t\r\n lead and trail \t\r\n\u3000", L" \t\r\n lead and trail \t\r\n\u3000", L"lead and trail"},
        {L"kept&#160; \n", L"kept\u00A0 \n", L"kept "},
        {L"kept&#10;\n ", L"kept\n\n ", L"kept\n"},
        {L"&amp", L"&amp", L"&amp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.in)));
        Pooled<StrBuffer> out(StrBuffer::fromString(L"old"));
        s::xml::unescapeAttr(out.get(), c.in);
        EXPECT_EQ(text(out.get()), c.attr);
        s::xml::unescapeText(out.get(), c.in);
        EXPECT_EQ(text(out.get()), c.text);
    }
    Pooled<StrBuffer> out(StrBuffer::fromString(L"keep "));
    s::xml::unescapeText(out.get(), L"   ", -1, true);
    EXPECT_EQ(text(out.get()), L"keep ");
    s::xml::unescapeAttr(out.get(), L"abcdef", 3, true);
    EXPECT_EQ(text(out.get()), L"keep abc");
}

TEST(XmlAttrFactory, RecordsGoBackToTheSharedFactoryEmpty) {
    AttrFactory* f = AttrFactory::instance();
    EXPECT_EQ(f, AttrFactory::instance());
    EXPECT_STREQ(f->getClassName(), L"s_xml_AttrFactory");
    {
        Pooled<Node> n(Node::create());
        n->setName(L"a");
        for (int i = 0; i < 5; ++i) n->setInt32(L"k", i);
        n->addChild(L"c")->setString(L"t", L"x");
    }
    EXPECT_GE(f->pooledCount(), 6u);
    s::xml::XmlAttr* a = f->obtain();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->name, nullptr);
    EXPECT_EQ(a->value, nullptr);
    EXPECT_EQ(a->nameLength, 0);
    EXPECT_EQ(a->valueLength, 0);
    f->put(a);

    // A private factory destroys what it still holds when it goes.
    auto* own = static_cast<AttrFactory*>(f->newInstance());
    own->put(own->get());
    EXPECT_EQ(own->pooledCount(), 1u);
    delete own;
}

TEST(XmlAttributes, ConcurrentSettersKeepTheirOwnValues) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 500; ++i) {
                Node* n = Node::create();
                double v = t * 1000.0 + i + 0.125;
                n->setDouble(L"d", v);
                n->setInt32(L"i", t * 100000 + i);
                if (n->getAttributes()->getDouble(L"d", 0) != v || n->getInt32(L"i", 0) != t * 100000 + i)
                    ++failures[size_t(t)];
                n->release();
            }
        });
    }
    for (auto& th : threads) th.join();
    for (int f : failures) EXPECT_EQ(f, 0);
}
