#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "XmlTestSupport.h"
#include "support/HostTool.h"

using namespace xmltest;
using testsupport::makeTempDir;
using testsupport::runHost;
using testsupport::winPath;

namespace {

std::string readUnix(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "(missing)";
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void writeUnix(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

// Names of the folder's entries, sorted, separated by spaces.
std::string listing(const std::string& dir) {
    std::string out;
    runHost("ls -A '" + dir + "' > '" + dir + ".ls'");
    std::istringstream in(readUnix(dir + ".ls"));
    for (std::string line; std::getline(in, line);) out += line + " ";
    return out;
}

Node* sampleDocument() {
    Node* n = Node::create();
    n->setName(L"savedata");
    n->setString(L"title", L"R\u00E9sum\u00E9 & \"co\"");
    n->addChild(L"window")->setInt32(L"x", -12);
    return n;
}

}  // namespace

TEST(XmlFile, SaveAndLoadRoundTrip) {
    std::string dir = makeTempDir("xml_roundtrip");
    std::wstring path = winPath(dir + "/nested/deeper/SaveData.xml");
    Pooled<Node> doc(sampleDocument());
    ASSERT_TRUE(doc->saveFile(path.c_str()));
    std::string bytes = readUnix(dir + "/nested/deeper/SaveData.xml");
    EXPECT_EQ(bytes,
              "<savedata title=\"R\xC3\xA9sum\xC3\xA9 &amp; &quot;co&quot;\"><window x=\"-12\"></window></savedata>");
    EXPECT_EQ(listing(dir + "/nested/deeper"), "SaveData.xml ");

    Pooled<Node> back(Node::create());
    ASSERT_TRUE(back->loadFile(path.c_str()));
    EXPECT_EQ(xmlOf(back.get()), xmlOf(doc.get()));

    // Saving again replaces the file completely.
    Pooled<Node> small(Node::create());
    small->setName(L"s");
    ASSERT_TRUE(small->saveFile(path.c_str()));
    EXPECT_EQ(readUnix(dir + "/nested/deeper/SaveData.xml"), "<s></s>");
}

TEST(XmlFile, LoadsFileWrittenByPythonWithMarkDeclarationAndCrLf) {
    std::string dir = makeTempDir("xml_python");
    std::string file = dir + "/py.xml";
    ASSERT_TRUE(
        runHost("python3 -c \"import sys; open(sys.argv[1], 'w', encoding='utf-8-sig', newline='\\r\\n')"
                ".write('<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\"?>\\n<!-- made by python -->\\n"
                "<lang id=\\\"7\\\">\\n  <t k=\\\"\\u00e9\\u6f22\\\">caf\\u00e9 &amp; more</t>\\n</lang>\\n')\" '" +
                file + "'"));
    ASSERT_EQ(readUnix(file).substr(0, 3), "\xEF\xBB\xBF");
    Pooled<Node> n(Node::create());
    ASSERT_TRUE(n->loadFile(winPath(file).c_str()));
    EXPECT_STREQ(n->getName(), L"lang");
    EXPECT_EQ(n->getInt32(L"id", 0), 7);
    Node* t = n->getChild(L"t");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(valueOf(t, L"k"), L"\u00E9\u6F22");
    EXPECT_EQ(valueOf(t, L""), L"caf\u00E9 & more");
}

TEST(XmlFile, LoadFailuresLeaveTheNodeAsItWas) {
    std::string dir = makeTempDir("xml_loadfail");
    writeUnix(dir + "/broken.xml", "<a><b x=\"1\"></a");
    writeUnix(dir + "/empty.xml", "");
    const std::string names[] = {"missing.xml", "broken.xml", "empty.xml", ""};
    for (const std::string& name : names) {
        Pooled<Node> n(Node::create());
        n->setName(L"keep");
        EXPECT_FALSE(n->loadFile(winPath(dir + "/" + name).c_str())) << name;
        EXPECT_EQ(xmlOf(n.get()), L"<keep></keep>");
    }
    Pooled<Node> n(Node::create());
    EXPECT_FALSE(n->loadFile(nullptr));
    EXPECT_FALSE(n->loadFile(L""));
}

TEST(XmlFile, FailedSaveKeepsThePreviousFile) {
    std::string dir = makeTempDir("xml_safesave");
    const std::string old = "<old keep=\"1\"></old>";
    writeUnix(dir + "/data.xml", old);
    writeUnix(dir + "/plainfile", "x");
    std::wstring target = winPath(dir + "/data.xml");
    Pooled<Node> doc(sampleDocument());

    // A document that cannot be written.
    Pooled<Node> unnamed(Node::create());
    unnamed->setInt32(L"x", 1);
    EXPECT_FALSE(unnamed->saveFile(target.c_str()));

    // The target is held open by someone who shares nothing: the replacement fails.
    HANDLE h = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(doc->saveFile(target.c_str()));
    CloseHandle(h);

    EXPECT_EQ(readUnix(dir + "/data.xml"), old);
    // No temporary file is left behind.
    EXPECT_EQ(listing(dir), "data.xml plainfile ");

    // Folders that cannot exist, and a target that is a folder.
    EXPECT_FALSE(doc->saveFile(winPath(dir + "/plainfile/sub/x.xml").c_str()));
    EXPECT_FALSE(doc->saveFile(winPath(dir).c_str()));
    EXPECT_FALSE(doc->saveFile((winPath(dir) + L"\\").c_str()));
    EXPECT_FALSE(doc->saveFile(L"Q:\\no\\such\\drive\\x.xml"));
    EXPECT_EQ(listing(dir), "data.xml plainfile ");
    EXPECT_EQ(readUnix(dir + "/plainfile"), "x");

    // And a save that may go ahead replaces the file.
    EXPECT_TRUE(doc->saveFile(target.c_str()));
    EXPECT_EQ(readUnix(dir + "/data.xml").substr(0, 10), "<savedata ");
}

TEST(XmlFile, StreamsCarryTheDocument) {
    Pooled<Node> doc(sampleDocument());
    Pooled<ArrayU08> sink(ArrayU08::create());
    ASSERT_TRUE(doc->saveStream(sink.get()));
    sink->rewind();
    Pooled<Node> back(Node::create());
    ASSERT_TRUE(back->loadStream(sink.get()));
    EXPECT_EQ(xmlOf(back.get()), xmlOf(doc.get()));
}
