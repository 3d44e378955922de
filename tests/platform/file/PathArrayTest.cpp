#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "platform/file/Extension.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"
#include "support/HostTool.h"

using s::col::_array::ArrayP;
using s::file::Extension;
using s::file::IPath;
using s::file::win::PathArray;
using s::file::win::PathWin;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

namespace {

// Releases what a test made, also when an assertion ends it early.
struct Owned {
    std::vector<std::function<void()>> items;
    template <class T>
    T* operator()(T* p) {
        items.push_back([p] { p->release(); });
        return p;
    }
    ~Owned() {
        for (auto it = items.rbegin(); it != items.rend(); ++it) (*it)();
    }
};

PathArray* listOf(Owned& own, std::initializer_list<const wchar_t*> texts) {
    PathArray* list = own(PathArray::create());
    for (const wchar_t* t : texts) list->add(t);
    return list;
}

std::vector<std::wstring> fullPaths(PathArray* list) {
    std::vector<std::wstring> out;
    for (int32_t i = 0; i < list->getCount(); ++i) out.push_back(list->get(i)->getFullPath());
    return out;
}

// Group keys and the file names of their members, as "key:name,name".
std::vector<std::wstring> describe(ArrayP* groups) {
    std::vector<std::wstring> out;
    for (uint32_t g = 0; g < groups->count(); ++g) {
        auto* group = static_cast<Extension*>(groups->get(g));
        std::wstring line = std::wstring(group->getKey()) + L":";
        for (int32_t m = 0; m < group->getCount(); ++m) {
            if (m) line += L",";
            line += group->get(m)->getFileNameText();
        }
        out.push_back(line);
    }
    return out;
}

class PathListFiles : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> n{0};
        dir_ = testsupport::winPath(testsupport::makeTempDir("pathlist" + std::to_string(n++)));
    }
    std::wstring at(const std::wstring& name) const { return dir_ + L"\\" + name; }
    void makeFile(const std::wstring& name, int64_t size) const {
        HANDLE f = CreateFileW(at(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        LARGE_INTEGER li;
        li.QuadPart = size;
        ASSERT_TRUE(SetFilePointerEx(f, li, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(f));
        CloseHandle(f);
    }
    void makeFolder(const std::wstring& name) const { ASSERT_TRUE(CreateDirectoryW(at(name).c_str(), nullptr)); }

    std::wstring dir_;
};

TEST(PathArray, AddInsertRemoveAndFind) {
    Owned own;
    PathArray* list = listOf(own, {L"c:\\photos\\a.jpg", L"C:\\b.png"});
    list->insertText(0, L"C:\\first.gif");
    list->insertText(3, L"C:\\last.bmp");  // index = count appends
    EXPECT_EQ(fullPaths(list),
              (std::vector<std::wstring>{L"C:\\first.gif", L"c:\\photos\\a.jpg", L"C:\\b.png", L"C:\\last.bmp"}));
    EXPECT_EQ(list->countAll(), 4);

    int32_t index = -1;
    PathWin* probe = own(PathWin::fromString(L"C:\\Photos\\A.JPG"));
    EXPECT_TRUE(list->indexOfPath(probe, &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list->indexOfPathExact(probe, &index));
    EXPECT_TRUE(list->containsText(L"C:/B.PNG", &index));  // slashes become backslashes
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list->containsText(L"C:\\b.pn", nullptr));

    IPath* taken = list->removeAt(1);
    ASSERT_NE(taken, nullptr);
    EXPECT_STREQ(taken->getFullPath(), L"c:\\photos\\a.jpg");
    taken->release();
    list->removeLast();
    list->removeAndRelease(0);
    EXPECT_EQ(fullPaths(list), (std::vector<std::wstring>{L"C:\\b.png"}));
    EXPECT_EQ(list->removeAt(5), nullptr);

    const wchar_t* texts[] = {L"D:\\x", L"D:\\y\\z.txt"};
    list->setAll(2, texts);
    EXPECT_EQ(fullPaths(list), (std::vector<std::wstring>{L"D:\\x", L"D:\\y\\z.txt"}));
    StrArray* names = own(list->fileNames());
    ASSERT_EQ(names->count(), 2u);
    EXPECT_STREQ(names->at(0)->text(), L"x");
    EXPECT_STREQ(names->at(1)->text(), L"z.txt");

    // detachAll lets go of the paths without releasing them.
    PathWin* held = list->get(0);
    PathWin* held2 = list->get(1);
    list->detachAll();
    EXPECT_EQ(list->getCount(), 0);
    EXPECT_STREQ(held->getFullPath(), L"D:\\x");
    held->release();
    held2->release();
}

TEST(PathArray, JoinsIntoADoubleNulList) {
    Owned own;
    PathArray* list = listOf(own, {L"C:\\a", L"C:\\b"});
    const wchar_t* joined = list->joinText();
    const wchar_t expected[] = L"C:\\a\0C:\\b\0";  // plus the terminator: two NULs at the end
    EXPECT_EQ(0, memcmp(joined, expected, sizeof(expected)));
    StrBuffer* out = own(StrBuffer::fromString(L"X"));
    list->joinInto(out, true);
    EXPECT_EQ(out->length(), 1u + 5 + 5 + 1);
    PathArray* empty = own(PathArray::create());
    EXPECT_EQ(empty->joinText()[0], L'\0');
}

TEST(PathArray, SortsByPathAndByExtension) {
    Owned own;
    PathArray* list = listOf(own, {L"C:\\b.png", L"C:\\A.jpg", L"C:\\a", L"C:\\c.JPG", L"C:\\a.jpeg"});
    // Compared over the shorter length first: "a.jpe" < "A.jpg".
    list->sortByPath();
    EXPECT_EQ(fullPaths(list),
              (std::vector<std::wstring>{L"C:\\a", L"C:\\a.jpeg", L"C:\\A.jpg", L"C:\\b.png", L"C:\\c.JPG"}));
    // Equal extensions keep their order (stable); no extension sorts first.
    list->sortByExtension();
    EXPECT_EQ(fullPaths(list),
              (std::vector<std::wstring>{L"C:\\a", L"C:\\a.jpeg", L"C:\\A.jpg", L"C:\\c.JPG", L"C:\\b.png"}));
}

TEST(PathArray, GroupsByExtension) {
    Owned own;
    PathArray* list = listOf(own, {L"C:\\c.png", L"C:\\a.jpg", L"C:\\b.JPG", L"C:\\readme"});
    ArrayP* groups = own(list->groupByExtension());
    EXPECT_EQ(describe(groups), (std::vector<std::wstring>{L":readme", L".jpg:a.jpg,b.JPG", L".png:c.png"}));
}

TEST(PathArray, GroupsByTitleWords) {
    struct Case {
        bool withExtension;
        std::vector<const wchar_t*> files;
        std::vector<std::wstring> groups;
    } cases[] = {
        {false,
         {L"C:\\holiday beach 1.jpg", L"C:\\holiday 2.jpg", L"C:\\office.jpg"},
         {L"holiday:holiday beach 1.jpg,holiday 2.jpg"}},
        {true,
         {L"C:\\holiday beach 1.jpg", L"C:\\holiday 2.jpg", L"C:\\office.jpg"},
         {L".jpg:holiday beach 1.jpg,holiday 2.jpg,office.jpg", L"holiday:holiday beach 1.jpg,holiday 2.jpg"}},
        // Words match ignoring case; the key is taken from the first title; equal
        // counts keep the order in which the groups were made.
        {false,
         {L"C:\\Sea View.png", L"C:\\sea cat.gif", L"C:\\cat VIEW.bmp"},
         {L"Sea:Sea View.png,sea cat.gif", L"View:Sea View.png,cat VIEW.bmp", L"cat:sea cat.gif,cat VIEW.bmp"}},
        // A bare dot is no extension word; nothing shared leaves no group.
        {true, {L"C:\\one.", L"C:\\two."}, {}},
    };
    for (const Case& c : cases) {
        Owned own;
        PathArray* list = own(PathArray::create());
        for (const wchar_t* f : c.files) list->add(f);
        ArrayP* groups = own(c.withExtension ? list->groupByWordsAndExtension(false) : list->groupByWords(false));
        EXPECT_EQ(describe(groups), c.groups) << c.files[0];
    }
}

TEST_F(PathListFiles, GroupsBySizeClasses) {
    makeFile(L"small.bin", 500);
    makeFile(L"medium.bin", 5000);
    makeFile(L"huge.bin", 2ll << 30);  // sparse
    makeFile(L"exact.bin", 1024);
    Owned own;
    PathArray* list = own(PathArray::create());
    for (const wchar_t* n : {L"small.bin", L"medium.bin", L"huge.bin"}) list->add(at(n).c_str());

    ArrayP* below = own(list->groupBySize());
    EXPECT_EQ(describe(below), (std::vector<std::wstring>{L"10240:medium.bin,small.bin", L"1024:small.bin"}));
    ArrayP* atLeast = own(list->groupBySizeAtLeast());
    EXPECT_EQ(describe(atLeast), (std::vector<std::wstring>{L"1073741824:huge.bin", L"1024:medium.bin,huge.bin"}));

    // A bound itself belongs to the class above it, or with "at least" to its own.
    PathArray* edge = own(PathArray::create());
    edge->add(at(L"exact.bin").c_str());
    EXPECT_EQ(describe(own(edge->groupBySize())), (std::vector<std::wstring>{L"10240:exact.bin"}));
    EXPECT_EQ(describe(own(edge->groupBySizeAtLeast())), (std::vector<std::wstring>{L"1024:exact.bin"}));
    DeleteFileW(at(L"huge.bin").c_str());
}

TEST_F(PathListFiles, FolderMarksAndTakingFolders) {
    makeFolder(L"A");
    makeFolder(L"B");
    makeFile(L"file.txt", 3);
    Owned own;
    PathArray* list = own(PathArray::create());
    for (const wchar_t* n : {L"A", L"file.txt", L"missing", L"B"}) list->add(at(n).c_str());

    EXPECT_FALSE(list->isMarkedFolder(0));  // no snapshot yet
    list->markFolders();
    struct Mark {
        int index;
        bool folder;
    } marks[] = {{0, true}, {1, false}, {2, false}, {3, true}, {4, false}, {-1, false}};
    for (const Mark& m : marks) EXPECT_EQ(list->isMarkedFolder(m.index), m.folder) << m.index;

    // Flags follow their paths when one is removed.
    list->removeAndRelease(1);
    EXPECT_TRUE(list->isMarkedFolder(0));
    EXPECT_FALSE(list->isMarkedFolder(1));
    EXPECT_TRUE(list->isMarkedFolder(2));
    list->dropFolderFlags();
    EXPECT_FALSE(list->isMarkedFolder(0));

    list->insertText(1, at(L"file.txt").c_str());
    PathArray* folders = own(list->takeFolders(nullptr));
    EXPECT_EQ(fullPaths(list), (std::vector<std::wstring>{at(L"file.txt"), at(L"missing")}));
    EXPECT_EQ(fullPaths(folders), (std::vector<std::wstring>{at(L"B"), at(L"A")}));
}

TEST_F(PathListFiles, DerivedListsForAnotherFolder) {
    makeFolder(L"A");
    makeFile(L"a.jpg", 1);
    makeFile(L"a (1).jpg", 1);
    Owned own;
    PathArray* list = own(PathArray::create());
    for (const wchar_t* n : {L"A", L"a.jpg", L"new.png"}) list->add(at(n).c_str());
    list->markFolders();

    PathArray* moved = own(list->rebase(L"D:\\target\\"));
    EXPECT_EQ(fullPaths(moved),
              (std::vector<std::wstring>{L"D:\\target\\A", L"D:\\target\\a.jpg", L"D:\\target\\new.png"}));
    EXPECT_TRUE(moved->isMarkedFolder(0));
    EXPECT_FALSE(moved->isMarkedFolder(1));

    list->add(L"E:");
    PathArray* links = own(list->shortcutsIn(L"D:\\links"));
    EXPECT_EQ(fullPaths(links), (std::vector<std::wstring>{L"D:\\links\\A.lnk", L"D:\\links\\a.jpg.lnk",
                                                           L"D:\\links\\new.png.lnk", L"D:\\links\\E.lnk"}));
    ASSERT_NE(links->folderFlags(), nullptr);
    EXPECT_EQ(links->folderFlags()->count(), 4u);
    EXPECT_FALSE(links->isMarkedFolder(0));

    list->removeLast();
    list->toFreeNames();
    EXPECT_EQ(fullPaths(list), (std::vector<std::wstring>{at(L"A (1)"), at(L"a (2).jpg"), at(L"new.png")}));
}

TEST_F(PathListFiles, ExpandsFolders) {
    makeFolder(L"top");
    makeFolder(L"top\\sub");
    makeFile(L"top\\one.txt", 1);
    makeFile(L"top\\sub\\two.txt", 1);
    makeFile(L"loose.txt", 1);
    Owned own;
    PathArray* flat = own(PathArray::create());
    flat->add(at(L"top").c_str())->add(at(L"loose.txt").c_str())->add(at(L"gone").c_str());
    flat->expandFolders(false);
    std::vector<std::wstring> got = fullPaths(flat);
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0], at(L"top"));  // the folder stays
    std::vector<std::wstring> added(got.begin() + 3, got.end());
    std::sort(added.begin(), added.end());
    EXPECT_EQ(added, (std::vector<std::wstring>{at(L"top\\one.txt"), at(L"top\\sub")}));

    PathArray* deep = own(PathArray::create());
    deep->add(at(L"top").c_str());
    deep->expandFolders(true);
    got = fullPaths(deep);
    ASSERT_EQ(got.size(), 4u);
    // The sub-folder's entry follows the entries of its folder.
    EXPECT_EQ(got[3], at(L"top\\sub\\two.txt"));
}

TEST(PathArray, PooledListsComeBackEmpty) {
    PathArray* list = PathArray::create();
    list->add(L"C:\\x")->add(L"C:\\y");
    list->markFolders();
    list->joinText();
    list->release();
    PathArray* again = PathArray::create();
    EXPECT_EQ(again->getCount(), 0);
    EXPECT_EQ(again->folderFlags(), nullptr);
    EXPECT_STREQ(again->getClassName(), L"s_file_win_PathArray");
    again->release();

    Extension* group = Extension::withKey(L".JPG");
    Extension* other = Extension::withKey(L".jpg");
    EXPECT_TRUE(group->equalsIgnoreCase(other));
    EXPECT_FALSE(group->equals(other));
    EXPECT_EQ(group->hashCodeIgnoreCase(), other->hashCodeIgnoreCase());
    group->release();
    other->release();
}

}  // namespace
