// Parsing a path text into its parts, the tests on the text alone and derived paths.
#include <gtest/gtest.h>

#include "foundation/str/StrBuffer.h"
#include "platform/file/PathWin.h"
#include "tests/platform/file/PathTestSupport.h"

using namespace pathtest;
using s::str::strbuffer::StrBuffer;

namespace {

struct PartsCase {
    const wchar_t* text;
    const wchar_t* full;
    const wchar_t* fileName;
    const wchar_t* title;
    const wchar_t* ext;
    const wchar_t* extNoDot;
    const wchar_t* directory;
    const wchar_t* directoryNoSlash;
    bool absolute;
};

const PartsCase kParts[] = {
    {L"C:/photos/a.jpg", L"C:\\photos\\a.jpg", L"a.jpg", L"a", L".jpg", L"jpg", L"C:\\photos\\", L"C:\\photos", true},
    {L"C:\\photos\\", L"C:\\photos", L"photos", L"photos", L"", L"", L"C:\\", L"C:", true},
    {L"C:\\photos", L"C:\\photos", L"photos", L"photos", L"", L"", L"C:\\", L"C:", true},
    {L"C:\\photos\\\\\\", L"C:\\photos", L"photos", L"photos", L"", L"", L"C:\\", L"C:", true},
    {L"C:\\", L"C:", L"", L"", L"", L"", L"C:\\", L"C:", true},
    {L"a.jpg", L"a.jpg", L"a.jpg", L"a", L".jpg", L"jpg", L"\\", L"", false},
    {L"sub\\a.JPEG", L"sub\\a.JPEG", L"a.JPEG", L"a", L".JPEG", L"JPEG", L"sub\\", L"sub", false},
    {L"C:\\my.folder\\file", L"C:\\my.folder\\file", L"file", L"file", L"", L"", L"C:\\my.folder\\", L"C:\\my.folder",
     true},
    {L"C:\\v1.2\\x.tar.gz", L"C:\\v1.2\\x.tar.gz", L"x.tar.gz", L"x.tar", L".gz", L"gz", L"C:\\v1.2\\", L"C:\\v1.2",
     true},
    {L"C:\\d\\name.", L"C:\\d\\name.", L"name.", L"name", L".", L"", L"C:\\d\\", L"C:\\d", true},
    {L"C:\\d\\.profile", L"C:\\d\\.profile", L".profile", L"", L".profile", L"profile", L"C:\\d\\", L"C:\\d", true},
    {L"\\\\server\\share\\dir\\f.txt", L"\\\\server\\share\\dir\\f.txt", L"f.txt", L"f", L".txt", L"txt",
     L"\\\\server\\share\\dir\\", L"\\\\server\\share\\dir", true},
    {L"//server/share/f.txt", L"\\\\server\\share\\f.txt", L"f.txt", L"f", L".txt", L"txt", L"\\\\server\\share\\",
     L"\\\\server\\share", true},
};

TEST(PathParse, PartsTable) {
    for (const PartsCase& c : kParts) {
        SCOPED_TRACE(testing::Message() << "text " << std::string(c.text, c.text + wcslen(c.text)).c_str());
        PathWin* p = PathWin::fromString(c.text);
        EXPECT_TRUE(p->isValid());
        EXPECT_EQ(str(p->getFullPath()), c.full);
        EXPECT_EQ(str(p->getFileNameText()), c.fileName);
        EXPECT_EQ(str(p->getTitleText()), c.title);
        EXPECT_EQ(str(p->getExtensionText()), c.ext);
        EXPECT_EQ(str(p->getExtensionPart()), c.ext);
        EXPECT_EQ(str(p->getExtensionNoDotText()), c.extNoDot);
        EXPECT_EQ(str(p->getDirectoryText()), c.directory);
        EXPECT_EQ(str(p->getDirectoryNoSlashText()), c.directoryNoSlash);
        EXPECT_EQ(p->isAbsolute(), c.absolute);
        EXPECT_EQ(str(p->getLongPath()), c.full);
        EXPECT_EQ(p->getLength(), wcslen(c.full));
        p->release();
    }
}

TEST(PathParse, EmptyTextIsInvalid) {
    for (const wchar_t* t : {L"", static_cast<const wchar_t*>(nullptr)}) {
        PathWin* p = PathWin::fromString(t);
        EXPECT_FALSE(p->isValid());
        EXPECT_FALSE(p->isAbsolute());
        EXPECT_FALSE(p->exists());
        EXPECT_FALSE(p->isEmptyDirectory());
        p->release();
    }
    PathWin* p = PathWin::create();
    EXPECT_FALSE(p->isValid());
    EXPECT_EQ(str(p->getFullPath()), L"");
    p->release();
}

TEST(PathParse, DriveAndUncTests) {
    Path root = path(L"C:\\");
    EXPECT_TRUE(root->isDriveOnly());
    EXPECT_TRUE(root->hasDrive());
    EXPECT_FALSE(root->isUnc());
    EXPECT_EQ(root->getDriveLetter(), L'C');
    EXPECT_EQ(str(root->getRoot()), L"C:\\");

    Path unc = path(L"\\\\server\\share\\dir\\f.txt");
    EXPECT_TRUE(unc->isUnc());
    EXPECT_FALSE(unc->hasDrive());
    EXPECT_EQ(str(unc->getUncServer()), L"server");
    EXPECT_EQ(str(unc->getRoot()), L"\\\\server\\share\\");

    EXPECT_TRUE(path(L"\\\\?\\C:\\x")->isUnc());
    EXPECT_FALSE(path(L"\\\\\\x")->isUnc());
    EXPECT_FALSE(path(L"\\x")->isUnc());
    EXPECT_FALSE(path(L"C:\\photos")->isDriveOnly());
    EXPECT_TRUE(path(L"C:\\photos")->hasDrive());
    EXPECT_EQ(str(path(L"D:\\photos\\a.jpg")->getRoot()), L"D:\\");
    EXPECT_EQ(str(path(L"\\\\srv\\share")->getUncServer()), L"srv");
    EXPECT_EQ(str(path(L"a.jpg")->getRoot()), L"");
}

TEST(PathParse, SameDrive) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
    } cases[] = {
        {L"C:\\x", L"D:\\y", false},          {L"C:\\x", L"C:\\y\\z", true},           {L"c:\\x", L"C:\\y", true},
        {L"\\\\srv\\a", L"\\\\SRV\\b", true}, {L"\\\\srv\\a", L"\\\\other\\a", false}, {L"C:\\x", L"\\\\srv\\a", false},
        {L"a.jpg", L"b.jpg", false},
    };
    for (const Case& c : cases) EXPECT_EQ(path(c.a)->isSameDrive(c.b), c.same) << str(c.a) << L" " << str(c.b);
}

TEST(PathParse, StreamPaths) {
    EXPECT_TRUE(path(L"C:\\dir\\file.txt:meta")->isStream());
    EXPECT_TRUE(path(L"C:\\dir\\file:meta")->isStream());
    EXPECT_FALSE(path(L"C:\\dir\\file.txt")->isStream());
    EXPECT_FALSE(path(L"C:\\dir")->isStream());
}

TEST(PathParse, LongFormFrom250Characters) {
    const std::wstring head = L"C:\\";
    std::wstring at249 = head + std::wstring(249 - head.size(), L'a');
    std::wstring at250 = head + std::wstring(250 - head.size(), L'a');
    ASSERT_EQ(at249.size(), 249u);
    EXPECT_EQ(str(path(at249)->getLongPath()), at249);
    EXPECT_EQ(str(path(at250)->getLongPath()), L"\\\\?\\" + at250);
    // Trailing separators do not count: the full path decides.
    EXPECT_EQ(str(path(at249 + L"\\")->getLongPath()), at249);

    std::wstring unc = L"\\\\srv\\share\\" + std::wstring(250 - 12, L'b');
    ASSERT_EQ(unc.size(), 250u);
    EXPECT_EQ(str(path(unc)->getLongPath()), L"\\\\?\\UNC\\" + unc.substr(2));

    // Already in the long form: kept as it is.
    std::wstring given = L"\\\\?\\" + at250;
    EXPECT_EQ(str(path(given)->getLongPath()), given);

    // Parts of a long path are split as usual.
    std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\photo.jpg";
    Path p = path(deep);
    EXPECT_TRUE(p->isValid());
    EXPECT_EQ(str(p->getFileNameText()), L"photo.jpg");
    EXPECT_EQ(str(p->getDirectoryText()), L"C:\\" + std::wstring(300, L'd') + L"\\");
}

TEST(PathParse, ParentAndDirectoryPath) {
    EXPECT_EQ(str(Path(path(L"C:\\photos\\")->getParent())->getFullPath()), L"C:");
    Path parent(path(L"C:\\photos\\2009\\a.jpg")->getParent());
    EXPECT_EQ(str(parent->getFullPath()), L"C:\\photos\\2009");
    Path rootParent(path(L"C:\\")->getParent());
    EXPECT_EQ(str(rootParent->getFullPath()), L"C:");
    EXPECT_EQ(path(L"X:")->getDirectoryPath(), nullptr);
    Path dirPath(path(L"C:\\a\\b.txt")->getDirectoryPath());
    ASSERT_NE(dirPath, nullptr);
    EXPECT_EQ(str(dirPath->getFullPath()), L"C:\\a");
}

TEST(PathParse, DerivedPaths) {
    Path p = path(L"C:\\p\\a.jpg");
    EXPECT_EQ(str(Path(p->getChild(L"x.png"))->getFullPath()), L"C:\\p\\a.jpg\\x.png");
    EXPECT_EQ(str(Path(p->getSibling(L"_small.png"))->getFullPath()), L"C:\\p\\a_small.png");
    EXPECT_EQ(str(Path(p->withSuffix(L"-1"))->getFullPath()), L"C:\\p\\a-1.jpg");
    EXPECT_EQ(str(Path(path(L"C:\\")->getChild(L"x"))->getFullPath()), L"C:\\x");

    PathWin* c = PathWin::fromConcat(L"C:\\p\\a", L".png");
    EXPECT_EQ(str(c->getExtensionText()), L".png");
    c->release();
    PathWin* link = PathWin::fromShortcutName(L"C:\\links", L"a.jpg");
    EXPECT_EQ(str(link->getFullPath()), L"C:\\links\\a.jpg.lnk");
    link->release();
}

TEST(PathParse, GettersIntoStrings) {
    Path p = path(L"C:\\photos\\a.jpg");
    StrBuffer* s = p->getFullPathInto(nullptr, false);
    EXPECT_EQ(str(s->text()), L"C:\\photos\\a.jpg");
    p->getFolderPathInto(s, false);
    EXPECT_EQ(str(s->text()), L"C:\\photos\\a.jpg\\");
    s->setText(L"<");
    p->getTitle(s, true);
    p->getExtensionNoDot(s, true);
    EXPECT_EQ(str(s->text()), L"<ajpg");
    p->getDirectory(s, false);
    EXPECT_EQ(str(s->text()), L"C:\\photos\\");
    s->setText(L"x:");
    p->getDirectoryNoSlash(s, true);
    EXPECT_EQ(str(s->text()), L"x:C:\\photos");
    s->setText(L"k");
    Path(path(L"C:\\a."))->getExtensionNoDot(s, true);
    EXPECT_EQ(str(s->text()), L"k");
    s->release();
}

TEST(PathParse, ExtensionEquals) {
    Path p = path(L"C:\\a\\b.JPG");
    EXPECT_TRUE(p->extensionEquals(L".jpg"));
    EXPECT_TRUE(p->extensionEquals(L".JPG"));
    EXPECT_FALSE(p->extensionEquals(L".jp"));
    EXPECT_FALSE(p->extensionEquals(L".jpgx"));
    EXPECT_FALSE(p->extensionEquals(L"jpg"));
    EXPECT_TRUE(path(L"C:\\a\\b")->extensionEquals(L""));
}

TEST(PathParse, ResolveRelative) {
    struct Case {
        const wchar_t* base;
        const wchar_t* rel;
        bool asFolder;
        const wchar_t* want;
    } cases[] = {
        {L"C:\\a\\b\\c.jpg", L"..\\..\\x.png", false, L"C:\\x.png"},
        {L"C:\\a\\b\\c.jpg", L"..\\..\\..\\x.png", false, L"..\\..\\..\\x.png"},
        {L"C:\\a\\b\\c.jpg", L"../x.png", false, L"C:\\a\\x.png"},
        {L"C:\\a\\b\\c.jpg", L"sub\\x.png", false, L"C:\\a\\b\\sub\\x.png"},
        {L"C:\\a\\b", L"x.png", true, L"C:\\a\\b\\x.png"},
        {L"C:\\a\\b", L"..\\x.png", true, L"C:\\a\\x.png"},
        {L"C:\\a\\b\\c.jpg", L"D:\\y.png", false, L"D:\\y.png"},
        {L"C:\\a\\b\\c.jpg", L"\\\\srv\\s\\y.png", false, L"\\\\srv\\s\\y.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(str(path(c.base)->resolveRelative(c.rel, c.asFolder)), c.want) << str(c.base) << L" + " << str(c.rel);
}

TEST(PathParse, MakeRelative) {
    struct Case {
        const wchar_t* base;
        const wchar_t* target;
        bool asFolder;
        const wchar_t* want;
    } cases[] = {
        {L"C:\\photos\\a.jpg", L"C:\\photos\\2009\\b.jpg", false, L"2009\\b.jpg"},
        {L"C:\\photos\\2009\\a.jpg", L"C:\\photos\\b.jpg", false, L"..\\b.jpg"},
        {L"C:\\Photos\\2009\\a.jpg", L"c:\\photos\\Other\\B.jpg", false, L"..\\Other\\B.jpg"},
        {L"C:\\photos", L"C:\\photos\\x\\y.png", true, L"x\\y.png"},
        {L"C:\\photos\\a.jpg", L"D:\\b.jpg", false, L"D:\\b.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(str(path(c.base)->makeRelative(c.target, c.asFolder)), c.want)
            << str(c.base) << L" -> " << str(c.target);
}

TEST(PathParse, ComparisonsUseTheFullPath) {
    Path a = path(L"C:/Photos/A.jpg");
    Path b = path(L"c:\\photos\\a.JPG\\");
    EXPECT_FALSE(a->equals(b.get()));
    EXPECT_TRUE(a->equalsIgnoreCase(b.get()));
    EXPECT_EQ(a->compareToIgnoreCase(b.get()), 0);
    EXPECT_LT(a->compareTo(b.get()), 0);
    EXPECT_EQ(a->hashCodeIgnoreCase(), b->hashCodeIgnoreCase());
    EXPECT_EQ(str(a->getClassName()), L"s_file_win_PathWin");
    s::base::IObject* fresh = a->newInstance();
    EXPECT_FALSE(static_cast<PathWin*>(fresh)->isValid());
    static_cast<PathWin*>(fresh)->release();
}

TEST(PathParse, PooledPathsComeBackEmpty) {
    PathWin* p = PathWin::fromString(L"C:\\a\\b.jpg");
    p->release();
    PathWin* q = PathWin::create();
    EXPECT_FALSE(q->isValid());
    EXPECT_EQ(str(q->getFullPath()), L"");
    EXPECT_EQ(str(q->getExtensionText()), L"");
    q->release();
}

}  // namespace
