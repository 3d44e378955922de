// Folder listings, the Explorer filter, wildcard listings, the neighbouring picture of
// a folder and alternate streams.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"
#include "tests/platform/file/PathTestSupport.h"

using namespace pathtest;
using s::col::_array::ArrayP;
using s::str::strarray::StrArray;

namespace {

std::vector<std::wstring> texts(StrArray* list) {
    std::vector<std::wstring> v;
    for (uint32_t i = 0; i < list->count(); ++i) v.push_back(list->at(i)->text());
    list->release();
    return v;
}

std::vector<std::wstring> fullPaths(ArrayP* list) {
    std::vector<std::wstring> v;
    for (uint32_t i = 0; i < list->count(); ++i) v.push_back(PathWin::at(list, i)->getFullPath());
    list->release();
    return v;
}

std::set<std::wstring> sorted(const std::vector<std::wstring>& v) { return std::set<std::wstring>(v.begin(), v.end()); }

// A small tree: a.jpg, b.png, h.jpg (hidden), sub\c.jpg, sub\deep\d.jpg, empty\.
void makeSampleTree(const TempDir& t) {
    ASSERT_TRUE(makeTree(t, {{L"a.jpg", 1},
                             {L"b.png", 1},
                             {L"h.jpg", 1, FILE_ATTRIBUTE_HIDDEN},
                             {L"sub\\"},
                             {L"sub\\c.jpg", 1},
                             {L"sub\\deep\\"},
                             {L"sub\\deep\\d.jpg", 1},
                             {L"empty\\"}}));
}

TEST(PathList, NamesOfEachKind) {
    TempDir t("pathlist-names");
    makeSampleTree(t);
    Path root = path(t.win);
    using S = std::set<std::wstring>;
    EXPECT_EQ(sorted(texts(root->listNames(false, true))), (S{L"a.jpg", L"b.png", L"h.jpg", L"sub", L"empty"}));
    EXPECT_EQ(sorted(texts(root->listFolderNames(false, true))), (S{L"sub", L"empty"}));
    EXPECT_EQ(sorted(texts(root->listFileNames(false, true))), (S{L"a.jpg", L"b.png", L"h.jpg"}));
    EXPECT_EQ(sorted(texts(root->listFolderNames(true, true))), (S{t / L"sub", t / L"empty"}));
    EXPECT_TRUE(texts(path(t / L"empty")->listNames(false, true)).empty());
    EXPECT_TRUE(root->hasChildren(true));
    EXPECT_FALSE(path(t / L"empty")->hasChildren(true));
}

TEST(PathList, RecursiveListingsAreDepthFirst) {
    TempDir t("pathlist-recurse");
    makeSampleTree(t);
    Path root = path(t.win);
    using S = std::set<std::wstring>;
    EXPECT_EQ(sorted(fullPaths(root->listFiles(true, true, nullptr))),
              (S{t / L"a.jpg", t / L"b.png", t / L"h.jpg", t / L"sub\\c.jpg", t / L"sub\\deep\\d.jpg"}));
    EXPECT_EQ(sorted(fullPaths(root->listFolders(true, true, nullptr))),
              (S{t / L"sub", t / L"sub\\deep", t / L"empty"}));
    EXPECT_EQ(sorted(fullPaths(root->listFiles(true, false, nullptr))), (S{t / L"a.jpg", t / L"b.png", t / L"h.jpg"}));

    std::vector<std::wstring> all = fullPaths(root->listPaths(true, true, nullptr));
    EXPECT_EQ(all.size(), 8u);
    auto pos = [&](const std::wstring& s) { return std::find(all.begin(), all.end(), s) - all.begin(); };
    // Each folder comes right before its contents.
    EXPECT_EQ(pos(t / L"sub\\c.jpg") > pos(t / L"sub"), true);
    EXPECT_EQ(pos(t / L"sub\\deep\\d.jpg"), pos(t / L"sub\\deep") + 1);

    // An array given by the caller is appended to.
    ArrayP* list = PathWin::newPathList();
    root->listFolders(true, false, list);
    root->listFolders(true, false, list);
    EXPECT_EQ(fullPaths(list).size(), 4u);
}

TEST(PathList, CollectIntoPathLists) {
    TempDir t("pathlist-collect");
    makeSampleTree(t);
    Path root = path(t.win);
    s::file::win::PathArray* list = root->collectFiles(true, true, nullptr);
    EXPECT_EQ(list->getCount(), 5);
    root->collectFolders(true, false, list);
    EXPECT_EQ(list->getCount(), 7);
    std::set<std::wstring> names;
    for (int32_t i = 0; i < list->getCount(); ++i) names.insert(list->get(i)->getFullPath());
    EXPECT_TRUE(names.count(t / L"sub\\deep\\d.jpg"));
    EXPECT_TRUE(names.count(t / L"empty"));
    list->release();
    s::file::win::PathArray* paths = root->collectPaths(true, true, nullptr);
    EXPECT_EQ(paths->getCount(), 8);
    paths->release();
}

// Gives this process an Explorer "Hidden" value of its own for one scope: the settings
// are read from a private key, so test programs running at the same time in the same
// prefix never see Explorer's own setting change.
class ExplorerHidden {
public:
    explicit ExplorerHidden(DWORD value)
        : key_(L"Software\\Glimmer tests\\explorer-" + std::to_wstring(GetCurrentProcessId())) {
        ready_ = RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"Hidden", REG_DWORD, &value, sizeof value) ==
                 ERROR_SUCCESS;
        s::file::setExplorerSettingsKey(key_.c_str());
    }
    ~ExplorerHidden() {
        s::file::setExplorerSettingsKey(nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    }
    bool ready() const { return ready_; }

private:
    std::wstring key_;
    bool ready_ = false;
};

// The value the whole prefix shares, read around the test's own.
DWORD sharedHiddenValue() {
    DWORD v = 0, size = sizeof v;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                        L"Hidden", RRF_RT_REG_DWORD, nullptr, &v, &size) == ERROR_SUCCESS
               ? v
               : 0xFFFFFFFFu;
}

TEST(PathList, ExplorerSettingsFilterHiddenAndSystemEntries) {
    TempDir t("pathlist-hidden");
    ASSERT_TRUE(makeDir(t / L"d"));
    ASSERT_TRUE(writeFile(t / L"d\\h.txt", 1));
    ASSERT_TRUE(SetFileAttributesW((t / L"d\\h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(makeDir(t / L"s"));
    ASSERT_TRUE(writeFile(t / L"s\\sys.txt", 1));
    ASSERT_TRUE(SetFileAttributesW((t / L"s\\sys.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    Path d = path(t / L"d");
    const DWORD shared = sharedHiddenValue();
    {
        ExplorerHidden shown(1);
        ASSERT_TRUE(shown.ready());
        EXPECT_TRUE(s::file::showHiddenFiles());
        EXPECT_TRUE(d->hasChildren(false));
    }
    {
        ExplorerHidden hidden(2);
        ASSERT_TRUE(hidden.ready());
        EXPECT_FALSE(s::file::showHiddenFiles());
        EXPECT_FALSE(d->hasChildren(false));
        EXPECT_TRUE(d->hasChildren(true));
        EXPECT_EQ(texts(d->listNames(false, false)).size(), 0u);
        EXPECT_FALSE(d->isEmptyDirectory());
    }
    // The setting every other program sees never changed.
    EXPECT_EQ(sharedHiddenValue(), shared);
    // Protected system files follow "ShowSuperHidden" (off unless set).
    if (!s::file::showSystemFiles()) {
        EXPECT_FALSE(path(t / L"s")->hasChildren(false));
        EXPECT_TRUE(path(t / L"s")->hasChildren(true));
    }
}

TEST(PathList, BootFilesAreHiddenOnlyOnTheWindowsVolumeRoot) {
    if (s::file::showHiddenFiles() && s::file::showSystemFiles()) GTEST_SKIP() << "Explorer shows everything here";
    wchar_t windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 2u);
    const std::wstring root = std::wstring(windows, 3);
    const std::wstring boot = root + L"AUTOEXEC.BAT";
    const bool made = !present(boot);
    if (made) { ASSERT_TRUE(writeFile(boot, 1)); }
    TempDir t("pathlist-boot");
    ASSERT_TRUE(makeTree(t, {{L"autoexec.bat", 1}, {L"config.sys", 1}, {L"other.txt", 1}}));
    std::vector<std::wstring> atRoot = texts(path(root)->listFileNames(false, false));
    std::vector<std::wstring> allAtRoot = texts(path(root)->listFileNames(false, true));
    if (made) DeleteFileW(boot.c_str());
    auto has = [](const std::vector<std::wstring>& v, const wchar_t* n) {
        return std::any_of(v.begin(), v.end(), [&](const std::wstring& s) { return _wcsicmp(s.c_str(), n) == 0; });
    };
    EXPECT_FALSE(has(atRoot, L"AUTOEXEC.BAT"));
    EXPECT_TRUE(has(allAtRoot, L"AUTOEXEC.BAT"));
    EXPECT_EQ(sorted(texts(path(t.win)->listFileNames(false, false))),
              (std::set<std::wstring>{L"autoexec.bat", L"config.sys", L"other.txt"}));
}

TEST(PathList, LinksAreNeitherListedNorEntered) {
    TempDir t("pathlist-links");
    ASSERT_TRUE(makeTree(t, {{L"target\\"}, {L"target\\inside.txt", 1}, {L"d\\"}, {L"d\\own.txt", 1}}));
    ASSERT_TRUE(makeLink(t, "target", "d/link"));
    ASSERT_TRUE(present(t / L"d\\link\\inside.txt"));
    DWORD a = GetFileAttributesW((t / L"d\\link").c_str());
    if (!(a & FILE_ATTRIBUTE_REPARSE_POINT)) GTEST_SKIP() << "this system does not report the link as one";
    Path d = path(t / L"d");
    EXPECT_EQ(texts(d->listNames(false, true)), std::vector<std::wstring>{L"own.txt"});
    EXPECT_EQ(fullPaths(d->listFiles(true, true, nullptr)), std::vector<std::wstring>{t / L"d\\own.txt"});
    EXPECT_EQ(d->getSize(true, true, nullptr, nullptr, true), 1);
}

TEST(PathList, WildcardListings) {
    TempDir t("pathlist-match");
    makeSampleTree(t);
    ASSERT_TRUE(makeDir(t / L"dir.jpg"));
    using S = std::set<std::wstring>;
    Path pattern = path(t / L"*.jpg");
    EXPECT_EQ(sorted(fullPaths(pattern->matchFiles(true, false, nullptr))), (S{t / L"a.jpg", t / L"h.jpg"}));
    EXPECT_EQ(sorted(fullPaths(pattern->matchAll(true, false, nullptr))),
              (S{t / L"a.jpg", t / L"h.jpg", t / L"dir.jpg"}));
    EXPECT_EQ(sorted(fullPaths(pattern->matchFiles(true, true, nullptr))),
              (S{t / L"a.jpg", t / L"h.jpg", t / L"sub\\c.jpg", t / L"sub\\deep\\d.jpg"}));
    EXPECT_EQ(fullPaths(path(t / L"*.gif")->matchFiles(true, true, nullptr)).size(), 0u);
}

struct NextCase {
    const wchar_t* from;
    bool forward;
    const wchar_t* extension;  // null: every file
    bool wrap;
    const wchar_t* want;  // null: no answer
};

TEST(PathList, NextInFolder) {
    TempDir t("pathlist-next");
    for (const wchar_t* n : {L"a.jpg", L"B.png", L"c.jpg", L"d.png"}) ASSERT_TRUE(writeFile(t / n, 1));
    const NextCase cases[] = {
        {L"a.jpg", true, nullptr, false, L"B.png"},
        {L"B.png", true, nullptr, false, L"c.jpg"},
        {L"d.png", true, nullptr, true, L"a.jpg"},
        {L"d.png", true, nullptr, false, nullptr},
        {L"a.jpg", false, nullptr, true, L"d.png"},
        {L"a.jpg", false, nullptr, false, nullptr},
        {L"B.png", true, L".png", false, L"d.png"},
        {L"d.png", false, L".PNG", false, L"B.png"},
        {L"c.jpg", true, L".jpg", true, L"a.jpg"},
        // Names compare ignoring case.
        {L"b.PNG", true, nullptr, false, L"c.jpg"},
    };
    for (const NextCase& c : cases) {
        StrArray* extensions = nullptr;
        if (c.extension) {
            extensions = StrArray::create();
            extensions->addText(c.extension);
        }
        Path next(path(t / c.from)->nextInFolder(c.forward, extensions, true, c.wrap));
        if (extensions) extensions->release();
        if (!c.want)
            EXPECT_EQ(next, nullptr) << c.from;
        else if (!next)
            ADD_FAILURE() << "no answer from " << std::string(c.from, c.from + wcslen(c.from));
        else
            EXPECT_EQ(str(next->getFullPath()), t / c.want);
    }
}

TEST(PathList, NextInFolderNeedsTwoNames) {
    TempDir t("pathlist-next2");
    ASSERT_TRUE(writeFile(t / L"a.jpg", 1));
    ASSERT_TRUE(writeFile(t / L"b.jpg", 1));
    ASSERT_TRUE(writeFile(t / L"c.png", 1));
    StrArray* png = StrArray::create();
    png->addText(L".png");
    EXPECT_EQ(Path(path(t / L"c.png")->nextInFolder(true, png, true, true)), nullptr);
    png->release();
    Path next(path(t / L"b.jpg")->nextInFolder(true, nullptr, true, true));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(str(next->getFullPath()), t / L"c.png");
}

TEST(PathList, AlternateStreamsFailCleanlyWithoutSupport) {
    TempDir t("pathlist-streams");
    ASSERT_TRUE(writeFile(t / L"a.txt", 5));
    const std::wstring stream = t / L"a.txt:meta";
    HANDLE h = CreateFileW(stream.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(h, "12345678", 8, &written, nullptr);
        CloseHandle(h);
    }
    // Without stream support the name may become a file of its own beside a.txt.
    const bool streamsWork = h != INVALID_HANDLE_VALUE && texts(path(t.win)->listNames(false, true)).size() == 1;
    Path file = path(t / L"a.txt");
    std::vector<std::wstring> streams = fullPaths(file->listStreams(nullptr));
    if (streamsWork) {
        ASSERT_EQ(streams, std::vector<std::wstring>{stream});
        EXPECT_TRUE(file->hasStreams(false));
        EXPECT_EQ(path(stream)->getSize(), 8);
        file->removeStreams(false);
        EXPECT_FALSE(Path(path(t / L"a.txt"))->hasStreams(false));
    } else {
        EXPECT_TRUE(streams.empty());
        EXPECT_FALSE(file->hasStreams(true));
        EXPECT_FALSE(path(t.win)->hasStreams(true));
        file->removeStreams(true);
        EXPECT_EQ(path(stream)->getSize(), 0);
        EXPECT_EQ(path(stream)->getWriteTime(), 0);
        EXPECT_TRUE(path(t / L"a.txt")->wipe(1, true));
    }
    EXPECT_EQ(path(t / L"a.txt")->getSize(), 5);
    EXPECT_TRUE(path(stream)->isStream());
}

}  // namespace
