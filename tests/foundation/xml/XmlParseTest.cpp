#include <gtest/gtest.h>

#include <string>

#include "XmlTestSupport.h"
#include "foundation/xml/XmlText.h"

using namespace xmltest;
using s::xml::XmlAttr;

namespace {

Node* parsed(const wchar_t* text) {
    Node* n = Node::create();
    EXPECT_NE(n->parse(text), nullptr) << text;
    return n;
}

}  // namespace

TEST(XmlParse, EmptyElementWithAttributesAndSpacedEquals) {
    Pooled<Node> n(parsed(L"<a x=\"1\" y = \"2\"/>"));
    EXPECT_STREQ(n->getName(), L"a");
    ASSERT_EQ(n->getAttributes()->count(), 2u);
    EXPECT_STREQ(n->getString(L"x", nullptr), L"1");
    EXPECT_STREQ(n->getString(L"Y", nullptr), L"2");
    EXPECT_EQ(n->getChildCount(), 0u);
    EXPECT_EQ(xmlOf(n.get()), L"<a x=\"1\" y=\"2\"></a>");
}

TEST(XmlParse, TextRunsAroundChildAndOnlyFirstIsWritten) {
    Pooled<Node> n(parsed(L"<a> hi <b/> there </a>"));
    const auto* attrs = n->getAttributes();
    ASSERT_EQ(attrs->count(), 2u);
    EXPECT_STREQ(attrs->at(0)->name, L"");
    EXPECT_STREQ(attrs->at(0)->value, L"hi ");
    EXPECT_STREQ(attrs->at(1)->value, L"there ");
    EXPECT_EQ(n->getChildCount(), 1u);
    EXPECT_EQ(xmlOf(n.get()), L"<a>hi <b></b></a>");
    EXPECT_EQ(valueOf(n.get(), L""), L"hi");
}

TEST(XmlParse, ReturnsPositionAfterElement) {
    const wchar_t* text = L"<a><b/></a>tail";
    Pooled<Node> n(Node::create());
    const wchar_t* end = n->parse(text);
    ASSERT_NE(end, nullptr);
    EXPECT_STREQ(end, L"tail");
}

TEST(XmlParse, PrologCommentsAndProcessingInstructionsAreSkipped) {
    Pooled<Node> n(
        parsed(L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- first -->\n"
               L"<!DOCTYPE r [ <!ELEMENT r ANY> ]>\n"
               L"<r a=\"1\"><!-- inside --><?pi data?>t<c/><!-- after --></r>"));
    EXPECT_STREQ(n->getName(), L"r");
    EXPECT_EQ(n->getInt32(L"a", 0), 1);
    EXPECT_EQ(n->getChildCount(), 1u);
    EXPECT_EQ(xmlOf(n.get()), L"<r a=\"1\">t<c></c></r>");
}

TEST(XmlParse, SingleQuotedValueAndCdataAreKeptWritable) {
    Pooled<Node> n(parsed(L"<a x='say \"hi\"'><![CDATA[ 1 < 2 & 3 ]]></a>"));
    EXPECT_EQ(valueOf(n.get(), L"x"), L"say \"hi\"");
    EXPECT_EQ(valueOf(n.get(), L""), L" 1 < 2 & 3 ");
    Pooled<Node> again(parsed(xmlOf(n.get()).c_str()));
    EXPECT_EQ(valueOf(again.get(), L"x"), L"say \"hi\"");
    EXPECT_EQ(valueOf(again.get(), L""), L" 1 < 2 & 3 ");
}

TEST(XmlParse, ParsingIntoNodeWithContentAdds) {
    Pooled<Node> n(parsed(L"<a k=\"1\"><c/></a>"));
    ASSERT_NE(n->parse(L"<b k=\"2\"><d/></b>"), nullptr);
    EXPECT_STREQ(n->getName(), L"b");
    EXPECT_EQ(n->getAttributes()->count(), 2u);
    EXPECT_EQ(n->getInt32(L"k", 0), 1);  // the first one wins
    EXPECT_EQ(n->getChildCount(), 2u);
}

TEST(XmlParse, EveryConstructSurvivesParseWriteParse) {
    // UTF-8 with entities, numeric references (decimal and hexadecimal, one outside the
    // BMP), non-ASCII text, nesting, empty elements and duplicated names.
    const std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- settings -->\n"
        "<root version=\"3\" title=\"Caf\xC3\xA9 &amp; &lt;bar&gt; &quot;q&quot;&#10;line2&#13;\">\n"
        "  <item name=\"\xE6\xBC\xA2\xE5\xAD\x97\" smile=\"&#x263A;&#128512;\" a=\"1\" a=\"2\">Hello&#160;world &amp; "
        "more</item>\n"
        "  <empty/>\n"
        "  <deep><deeper><deepest k=\"v\">\xF0\x9F\x98\x80 x</deepest></deeper></deep>\n"
        "</root>\n";
    for (bool bom : {false, true}) {
        SCOPED_TRACE(bom ? "with BOM" : "without BOM");
        Pooled<ArrayU08> bytes(bytesOf(bom ? "\xEF\xBB\xBF" + doc : doc));
        Pooled<Node> first(Node::create());
        ASSERT_TRUE(first->parseUtf8(bytes.get()));

        EXPECT_EQ(valueOf(first.get(), L"title"), L"Caf\u00E9 & <bar> \"q\"\nline2\r");
        Node* item = first->getChild(L"ITEM");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(valueOf(item, L"name"), L"\u6F22\u5B57");
        EXPECT_EQ(valueOf(item, L"smile"), L"\u263A\U0001F600");
        EXPECT_EQ(item->getInt32(L"a", 0), 1);
        EXPECT_EQ(valueOf(item, L""), L"Hello world & more");
        Node* deepest = first->getChild(L"deep")->getChild(L"deeper")->getChild(L"deepest", 7);
        ASSERT_NE(deepest, nullptr);
        EXPECT_EQ(valueOf(deepest, L""), L"\U0001F600 x");
        EXPECT_EQ(first->getChildCount(), 3u);

        Pooled<ArrayU08> written(first->toUtf8(nullptr, false));
        ASSERT_NE(written.get(), nullptr);
        std::string out = stringOf(written.get());
        EXPECT_EQ(out.rfind("<root ", 0), 0u) << out;  // no mark, no declaration
        Pooled<Node> second(Node::create());
        ASSERT_TRUE(second->parseUtf8(written.get())) << out;
        Pooled<ArrayU08> rewritten(second->toUtf8(nullptr, false));
        EXPECT_EQ(stringOf(rewritten.get()), out);
        EXPECT_EQ(valueOf(second->getChild(L"item"), L"smile"), L"\u263A\U0001F600");
        EXPECT_EQ(valueOf(second.get(), L"title"), valueOf(first.get(), L"title"));
    }
}

TEST(XmlParse, CommentAloneHoldsNoElement) {
    Pooled<Node> n(Node::create());
    EXPECT_EQ(n->parse(L"<!-- only a comment -->"), nullptr);
    EXPECT_EQ(n->getName(), nullptr);
}

TEST(XmlParse, MalformedInputFailsAndLeavesNodeUnchanged) {
    const wchar_t* cases[] = {
        L"",
        L"no element at all",
        L"<",
        L"<a",
        L"<a>",
        L"<a>text",
        L"<a>text</a",
        L"<a><b></a>",
        L"<a x></a>",
        L"<a x=1></a>",
        L"<a x=\"1></a>",
        L"<a x='1></a>",
        L"<a =\"1\"></a>",
        L"<a x=\"1\" y></a>",
        L"<a/ >",
        L"< >",
        L"<>",
        L"</a>",
        L"<a\"b></a>",
        L"<a?></a>",
        L"<a><!-- never closed </a>",
        L"<a><![CDATA[ never closed </a>",
        L"<?xml version=\"1.0\"",
        L"<!DOCTYPE a [ <!ELEMENT a ANY>",
        L"<!-- c --> text only",
        L"<a><b x=\"1\"<c/></b></a>",
    };
    for (const wchar_t* input : cases) {
        Pooled<Node> n(Node::create());
        ASSERT_TRUE(n->setName(L"keep"));
        ASSERT_TRUE(n->setInt32(L"v", 7));
        EXPECT_EQ(n->parse(input), nullptr) << "input: " << testing::PrintToString(std::wstring(input));
        EXPECT_EQ(xmlOf(n.get()), L"<keep v=\"7\"></keep>");
    }
}

TEST(XmlParse, MalformedUtf8DocumentsFail) {
    const std::string cases[] = {
        "", "\xEF\xBB\xBF", "<a>\x00</a>", "<a><b>", std::string("<a>\0</a>", 8),
    };
    for (const std::string& input : cases) {
        Pooled<ArrayU08> bytes(bytesOf(input));
        Pooled<Node> n(Node::create());
        EXPECT_FALSE(n->parseUtf8(bytes.get())) << testing::PrintToString(input);
        EXPECT_EQ(n->getName(), nullptr);
    }
    Pooled<Node> n(Node::create());
    EXPECT_FALSE(n->parseUtf8(nullptr));
}

TEST(XmlParse, NestingDepthIsBounded) {
    auto nested = [](int depth) {
        std::wstring s;
        for (int i = 0; i < depth; ++i) s += L"<a>";
        for (int i = 0; i < depth; ++i) s += L"</a>";
        return s;
    };
    Pooled<Node> ok(Node::create());
    EXPECT_NE(ok->parse(nested(Node::kMaxDepth).c_str()), nullptr);
    Pooled<Node> tooDeep(Node::create());
    EXPECT_EQ(tooDeep->parse(nested(Node::kMaxDepth + 1).c_str()), nullptr);
    Pooled<Node> hostile(Node::create());
    EXPECT_EQ(hostile->parse(std::wstring(200000, L'<').c_str()), nullptr);
    std::wstring opens;
    for (int i = 0; i < 100000; ++i) opens += L"<a>";
    EXPECT_EQ(hostile->parse(opens.c_str()), nullptr);
}

TEST(XmlParse, UnbalancedEndTagNamesAreAccepted) {
    Pooled<Node> n(parsed(L"<a><b></c></a>"));
    EXPECT_EQ(xmlOf(n.get()), L"<a><b></b></a>");
}

TEST(XmlNames, InvalidNamesAreRefused) {
    const wchar_t* bad[] = {L"",    L"a b", L"a<b", L"a>b", L"a/b",  L"a=b", L"a\"b",
                            L"a'b", L"a&b", L"!--", L"?pi", L"a\tb", L"a\nb"};
    Pooled<Node> n(Node::create());
    ASSERT_TRUE(n->setName(L"root"));
    for (const wchar_t* name : bad) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(s::xml::isValidName(name));
        EXPECT_EQ(n->addChild(name), nullptr);
        EXPECT_FALSE(n->setName(name));
        if (*name) {
            EXPECT_FALSE(n->setInt32(name, 1));
            EXPECT_FALSE(n->setString(name, L"x"));
        }
    }
    EXPECT_STREQ(n->getName(), L"root");
    EXPECT_EQ(n->getChildCount(), 0u);
    EXPECT_EQ(n->getAttributes()->count(), 0u);
    for (const wchar_t* good : {L"a", L"ns:key", L"x-1.y_2", L"\u00E9t\u00E9"}) {
        EXPECT_NE(n->addChild(good), nullptr) << testing::PrintToString(std::wstring(good));
    }
    Pooled<Node> back(parsed(xmlOf(n.get()).c_str()));
    EXPECT_EQ(back->getChildCount(), 4u);
    EXPECT_STREQ(back->getChildAt(3)->getName(), L"\u00E9t\u00E9");
}

TEST(XmlNames, RawValuesThatWouldBreakTheDocumentAreRefused) {
    Pooled<Node> n(Node::create());
    n->setName(L"a");
    auto* attrs = n->getAttributes();
    EXPECT_FALSE(attrs->add(L"x", L"say \"hi\""));
    EXPECT_FALSE(attrs->add(L"", L"1 < 2"));
    EXPECT_TRUE(attrs->add(L"x", L"1 < 2"));
    EXPECT_TRUE(attrs->add(L"", L"say \"hi\""));
    Pooled<Node> back(parsed(xmlOf(n.get()).c_str()));
    EXPECT_STREQ(back->getString(L"x", nullptr), L"1 < 2");
}

TEST(XmlNames, UnnamedElementIsNotWritten) {
    Pooled<Node> n(Node::create());
    n->setName(L"a");
    n->appendChild(Node::create());
    EXPECT_EQ(n->toXml(nullptr, false), nullptr);
    EXPECT_EQ(n->toUtf8(nullptr, false), nullptr);
    Pooled<StrBuffer> out(StrBuffer::fromString(L"keep"));
    EXPECT_EQ(n->toXml(out.get(), true), nullptr);
    EXPECT_EQ(text(out.get()), L"keep");
}

TEST(XmlTree, NameEqualsAndChildLookup) {
    Pooled<Node> n(parsed(L"<r><Alpha/><alphabet/><beta/></r>"));
    Node* alpha = n->getChildAt(0);
    EXPECT_TRUE(alpha->nameEquals(L"ALPHA"));
    EXPECT_FALSE(alpha->nameEquals(L"ALPHA", 5));
    EXPECT_TRUE(alpha->nameEquals(L"Alphabet", 5));
    EXPECT_FALSE(n->getChildAt(1)->nameEquals(L"alphabet", 5));
    uint32_t index = 99;
    EXPECT_TRUE(n->findChild(L"alphabet", 8, &index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(n->findChild(L"gamma", -1, &index));
    EXPECT_EQ(n->getChild(L"BETA"), n->getChildAt(2));
    Pooled<Node> unnamed(Node::create());
    EXPECT_FALSE(unnamed->nameEquals(L"", 0));
    n->removeChildAt(0);
    EXPECT_EQ(xmlOf(n.get()), L"<r><alphabet></alphabet><beta></beta></r>");
    EXPECT_TRUE(n->getChildAt(0)->nameEquals(L"alphabet"));
    Pooled<Node> comment(Node::create());
    EXPECT_FALSE(comment->isComment());
}

TEST(XmlTree, ToXmlAppendAndReplace) {
    Pooled<Node> n(parsed(L"<a/>"));
    Pooled<StrBuffer> out(StrBuffer::fromString(L"x"));
    n->toXml(out.get(), true);
    EXPECT_EQ(text(out.get()), L"x<a></a>");
    n->toXml(out.get(), false);
    EXPECT_EQ(text(out.get()), L"<a></a>");
}
