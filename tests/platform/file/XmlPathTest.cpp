#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/xml/Node.h"
#include "platform/file/PathWin.h"
#include "support/HostTool.h"

using s::file::win::PathWin;
using s::xml::Node;

namespace {

struct PathHolder {
    PathWin* p;
    explicit PathHolder(const std::wstring& text) : p(PathWin::create()) { p->setPathText(text.c_str()); }
    ~PathHolder() { p->release(); }
};

struct NodeHolder {
    Node* n = Node::create();
    ~NodeHolder() { n->release(); }
};

std::string readHostFile(const std::string& unixPath) {
    std::wstring w = testsupport::winPath(unixPath);
    HANDLE h = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string data(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(h, data.data(), DWORD(data.size()), &got, nullptr);
    CloseHandle(h);
    data.resize(got);
    return data;
}

}  // namespace

TEST(XmlPath, SavesIntoNewFoldersAndLoadsBack) {
    std::string dir = testsupport::makeTempDir("xmlpath");
    PathHolder path(testsupport::winPath(dir + "/deeper/still/doc.xml"));

    NodeHolder doc;
    doc.n->setName(L"savedata");
    Node* child = doc.n->addChild(L"View");
    child->setInt32(L"Width", 640);
    child->setString(L"Title", L"Caf\u00e9 Lumi\u00e8re \u65e5\u672c");
    ASSERT_TRUE(doc.n->savePath(path.p));

    NodeHolder back;
    ASSERT_TRUE(back.n->loadPath(path.p));
    Node* view = back.n->getChild(L"View");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getInt32(L"Width", 0), 640);
    EXPECT_STREQ(view->getString(L"Title", L""), L"Caf\u00e9 Lumi\u00e8re \u65e5\u672c");
}

TEST(XmlPath, MissingOrMalformedFileLeavesTheNodeAsItWas) {
    std::string dir = testsupport::makeTempDir("xmlpath-bad");
    ASSERT_TRUE(testsupport::runHost("printf '<a><b' > '" + dir + "/cut.xml'"));

    NodeHolder doc;
    doc.n->setName(L"keep");
    for (const char* name : {"/missing.xml", "/cut.xml"}) {
        PathHolder path(testsupport::winPath(dir + name));
        EXPECT_FALSE(doc.n->loadPath(path.p)) << name;
        EXPECT_STREQ(doc.n->getName(), L"keep") << name;
    }
}

TEST(XmlPath, FailedSaveKeepsThePreviousFile) {
    std::string dir = testsupport::makeTempDir("xmlpath-keep");
    ASSERT_TRUE(testsupport::runHost("printf '<old/>' > '" + dir + "/doc.xml'"));
    PathHolder path(testsupport::winPath(dir + "/doc.xml"));

    // Another program holds the file open without sharing: the save fails and
    // the old contents stay.
    std::wstring w = testsupport::winPath(dir + "/doc.xml");
    HANDLE lock = CreateFileW(w.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    NodeHolder doc;
    doc.n->setName(L"new");
    EXPECT_FALSE(doc.n->savePath(path.p));
    CloseHandle(lock);
    EXPECT_EQ(readHostFile(dir + "/doc.xml"), "<old/>");
}
