// File operations of the path on a temporary tree: create, rename, remove, copy, move,
// scrambled names, free numbered names and absolute forms.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>

#include "foundation/str/StrBuffer.h"
#include "platform/file/PathWin.h"
#include "tests/platform/file/PathTestSupport.h"

using namespace pathtest;
using s::str::strbuffer::StrBuffer;

namespace {

TEST(PathOps, MakeDirectoryCreatesMissingParents) {
    TempDir t("pathops-mkdir");
    EXPECT_TRUE(path(t / L"a\\b\\c")->makeDirectory(false));
    EXPECT_TRUE(present(t / L"a\\b\\c"));
    EXPECT_FALSE(path(t / L"a\\b\\c")->makeDirectory(false));
    EXPECT_FALSE(path(L"C:\\")->makeDirectory(false));
}

TEST(PathOps, CreateFile) {
    TempDir t("pathops-create");
    EXPECT_TRUE(path(t / L"new\\dir\\f.txt")->createFile(false));
    EXPECT_TRUE(present(t / L"new\\dir\\f.txt"));
    EXPECT_FALSE(path(t / L"new\\dir\\f.txt")->createFile(false));
    EXPECT_EQ(path(t / L"new\\dir\\f.txt")->getSize(), 0);
}

TEST(PathOps, RenameNeverReplaces) {
    TempDir t("pathops-rename");
    ASSERT_TRUE(writeFile(t / L"a.txt", 1));
    ASSERT_TRUE(writeFile(t / L"b.txt", 2));
    EXPECT_FALSE(path(t / L"a.txt")->renameTo((t / L"b.txt").c_str()));
    EXPECT_EQ(path(t / L"b.txt")->getSize(), 2);
    EXPECT_TRUE(path(t / L"a.txt")->exists());
    EXPECT_TRUE(path(t / L"a.txt")->renameTo((t / L"c.txt").c_str()));
    EXPECT_FALSE(present(t / L"a.txt"));
    EXPECT_EQ(path(t / L"c.txt")->getSize(), 1);
    EXPECT_FALSE(path(t / L"c.txt")->renameTo(L"C:\\"));
}

TEST(PathOps, RemoveFiles) {
    TempDir t("pathops-rmfile");
    ASSERT_TRUE(writeFile(t / L"ro.txt", 1));
    ASSERT_TRUE(SetFileAttributesW((t / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(path(t / L"ro.txt")->remove(false, false));
    EXPECT_FALSE(present(t / L"ro.txt"));
    EXPECT_TRUE(path(t / L"missing.txt")->remove(false, false));
    EXPECT_FALSE(path(L"C:\\")->remove(false, false));

    // A file held open without delete sharing cannot go: the answer says so.
    ASSERT_TRUE(writeFile(t / L"held.txt", 1));
    HANDLE h = CreateFileW((t / L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(path(t / L"held.txt")->remove(false, false));
    CloseHandle(h);
    EXPECT_TRUE(present(t / L"held.txt"));
}

TEST(PathOps, RemoveFolderTreeWithHiddenAndReadOnlyEntries) {
    TempDir t("pathops-rmtree");
    ASSERT_TRUE(makeTree(t, {{L"d\\"},
                             {L"d\\sub\\"},
                             {L"d\\sub\\x.txt", 1},
                             {L"d\\h.txt", 1, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
                             {L"d\\s.txt", 1, FILE_ATTRIBUTE_SYSTEM}}));
    EXPECT_TRUE(path(t / L"d")->remove(false, false));
    EXPECT_FALSE(present(t / L"d"));
}

TEST(PathOps, RemoveLongPaths) {
    TempDir t("pathops-rmlong");
    ASSERT_TRUE(makeDir(t / L"top"));
    const std::wstring dir = makeDeepDir(t / L"top", 320, 70, L'n');
    ASSERT_FALSE(dir.empty());
    const std::wstring file = dir + L"\\f.txt";
    ASSERT_TRUE(writeFile(file, 3));
    EXPECT_TRUE(path(file)->remove(false, false));
    EXPECT_FALSE(present(file));
    ASSERT_TRUE(writeFile(file, 3));
    EXPECT_TRUE(path(t / L"top")->remove(false, false));
    EXPECT_FALSE(present(t / L"top"));
}

TEST(PathOps, RemoveFolderDeletesALinkWithoutFollowingIt) {
    TempDir t("pathops-rmlink");
    ASSERT_TRUE(makeTree(t, {{L"keep\\"}, {L"keep\\precious.txt", 5}, {L"d\\"}, {L"d\\own.txt", 1}}));
    ASSERT_TRUE(makeLink(t, "keep", "d/link"));
    ASSERT_TRUE(makeLink(t, "keep", "probe"));
    ASSERT_TRUE(present(t / L"d\\link\\precious.txt"));
    // Some systems (Wine on Unix links) cannot delete a folder link at all.
    const bool linksGo = RemoveDirectoryW((t / L"probe").c_str()) != 0;
    EXPECT_EQ(path(t / L"d")->remove(false, false), linksGo);
    EXPECT_EQ(present(t / L"d"), !linksGo);
    EXPECT_FALSE(present(t / L"d\\own.txt"));
    // Whatever happened to the link, what it pointed to is untouched.
    EXPECT_TRUE(present(t / L"keep\\precious.txt"));
    EXPECT_EQ(path(t / L"keep\\precious.txt")->getSize(), 5);
}

TEST(PathOps, CopyFiles) {
    TempDir t("pathops-copy");
    ASSERT_TRUE(writeFile(t / L"a.bin", 10));
    ASSERT_TRUE(writeFile(t / L"b.bin", 3));
    EXPECT_FALSE(path(t / L"a.bin")->copyTo((t / L"b.bin").c_str(), false));
    EXPECT_EQ(path(t / L"b.bin")->getSize(), 3);
    EXPECT_TRUE(path(t / L"a.bin")->copyTo((t / L"b.bin").c_str(), true));
    EXPECT_EQ(path(t / L"b.bin")->getSize(), 10);
    EXPECT_TRUE(path(t / L"a.bin")->copyTo((t / L"new\\deep\\c.bin").c_str(), false));
    EXPECT_EQ(path(t / L"new\\deep\\c.bin")->getSize(), 10);
    EXPECT_FALSE(path(t / L"none.bin")->copyTo((t / L"x.bin").c_str(), true));
    EXPECT_FALSE(path(t / L"a.bin")->copyTo(L"C:\\", true));
}

TEST(PathOps, CopyFolderTree) {
    TempDir t("pathops-copytree");
    ASSERT_TRUE(makeTree(t, {{L"src\\"},
                             {L"src\\sub\\"},
                             {L"src\\a.txt", 1},
                             {L"src\\sub\\b.txt", 2},
                             {L"src\\h.txt", 3, FILE_ATTRIBUTE_HIDDEN}}));
    EXPECT_TRUE(path(t / L"src")->copyTo((t / L"dst").c_str(), false));
    EXPECT_EQ(path(t / L"dst\\a.txt")->getSize(), 1);
    EXPECT_EQ(path(t / L"dst\\sub\\b.txt")->getSize(), 2);
    EXPECT_EQ(path(t / L"dst\\h.txt")->getSize(), 3);
    // Onto an existing folder only with overwrite.
    EXPECT_FALSE(path(t / L"src")->copyTo((t / L"dst").c_str(), false));
    EXPECT_TRUE(path(t / L"src")->copyTo((t / L"dst").c_str(), true));
}

TEST(PathOps, FolderIsNeverCopiedIntoItself) {
    TempDir t("pathops-copyself");
    ASSERT_TRUE(makeDir(t / L"Album"));
    ASSERT_TRUE(writeFile(t / L"Album\\p.jpg", 1));
    std::wstring lower = t.win;
    for (auto& c : lower) c = wchar_t(std::towlower(c));
    const std::wstring targets[] = {
        t / L"Album\\sub", t / L"ALBUM\\sub", lower + L"\\album\\sub", t / L"other\\..\\Album\\sub", t / L"Album",
    };
    for (const std::wstring& target : targets) {
        EXPECT_FALSE(path(t / L"Album")->copyTo(target.c_str(), true)) << target;
        EXPECT_FALSE(present(t / L"Album\\sub")) << target;
    }
    // A sibling whose name merely starts alike is fine.
    EXPECT_TRUE(path(t / L"Album")->copyTo((t / L"Album2").c_str(), false));
    EXPECT_TRUE(present(t / L"Album2\\p.jpg"));
}

TEST(PathOps, MoveFilesAndFolders) {
    TempDir t("pathops-move");
    ASSERT_TRUE(writeFile(t / L"a.txt", 1));
    ASSERT_TRUE(writeFile(t / L"b.txt", 2));
    EXPECT_FALSE(path(t / L"a.txt")->moveTo((t / L"b.txt").c_str(), false, false));
    EXPECT_TRUE(path(t / L"a.txt")->moveTo((t / L"b.txt").c_str(), true, false));
    EXPECT_FALSE(present(t / L"a.txt"));
    EXPECT_EQ(path(t / L"b.txt")->getSize(), 1);
    ASSERT_TRUE(makeDir(t / L"d"));
    ASSERT_TRUE(writeFile(t / L"d\\x.txt", 4));
    EXPECT_TRUE(path(t / L"d")->moveTo((t / L"e").c_str(), false, true));
    EXPECT_EQ(path(t / L"e\\x.txt")->getSize(), 4);
    EXPECT_FALSE(path(t / L"missing")->moveTo((t / L"f").c_str(), false, false));
    EXPECT_FALSE(path(t / L"e")->moveTo(L"C:\\", true, false));
}

TEST(PathOps, ScrambleNameKeepsTheDot) {
    TempDir t("pathops-scramble");
    ASSERT_TRUE(makeDir(t / L"d"));
    ASSERT_TRUE(writeFile(t / L"d\\photo.jpg", 4));
    StrBuffer* out = StrBuffer::create();
    EXPECT_TRUE(path(t / L"d\\photo.jpg")->scrambleName(3, out, true));
    const std::wstring name = out->text();
    out->release();
    const std::wstring prefix = t / L"d\\";
    ASSERT_EQ(name.substr(0, prefix.size()), prefix);
    const std::wstring file = name.substr(prefix.size());
    ASSERT_EQ(file.size(), 9u) << file;
    EXPECT_EQ(file[5], L'.');
    for (size_t i = 0; i < file.size(); ++i)
        if (i != 5) { EXPECT_TRUE(std::iswalnum(file[i]) && file[i] != L'0') << file; }
    EXPECT_FALSE(present(t / L"d\\photo.jpg"));
    EXPECT_EQ(path(name)->getSize(), 4);
    EXPECT_FALSE(path(t / L"d\\x.txt:s")->scrambleName(1, nullptr, false));
}

TEST(PathOps, ScrambleNameOfAShortName) {
    TempDir t("pathops-scrshort");
    ASSERT_TRUE(writeFile(t / L"ab", 1));
    StrBuffer* out = StrBuffer::create();
    EXPECT_TRUE(path(t / L"ab")->scrambleName(1, out, false));
    const std::wstring name = out->text();
    out->release();
    const std::wstring file = name.substr(t.win.size() + 1);
    ASSERT_EQ(file.size(), 4u) << file;
    EXPECT_EQ(file[3], L'_');
    EXPECT_TRUE(present(name));
}

TEST(PathOps, NextFreeNumberedNames) {
    TempDir t("pathops-numbered");
    ASSERT_TRUE(writeFile(t / L"a.jpg", 1));
    ASSERT_TRUE(writeFile(t / L"a (1).jpg", 1));
    ASSERT_TRUE(writeFile(t / L"a1.jpg", 1));
    EXPECT_EQ(str(Path(path(t / L"a.jpg")->nextFreeNumbered())->getFullPath()), t / L"a (2).jpg");
    EXPECT_EQ(str(Path(path(t / L"a.jpg")->nextFreeNumberedPlain())->getFullPath()), t / L"a2.jpg");
    EXPECT_EQ(str(Path(path(t / L"new.jpg")->nextFreeNumbered())->getFullPath()), t / L"new.jpg");
    ASSERT_TRUE(makeDir(t / L"v1.0"));
    EXPECT_EQ(str(Path(path(t / L"v1.0")->nextFreeNumbered())->getFullPath()), t / L"v1.0 (1)");
}

TEST(PathOps, NextFreeNumberedOnLongPaths) {
    TempDir t("pathops-numlong");
    const std::wstring dir = makeDeepDir(t.win, 300, 80, L'q');
    ASSERT_FALSE(dir.empty());
    ASSERT_TRUE(writeFile(dir + L"\\a.jpg", 1));
    ASSERT_TRUE(writeFile(dir + L"\\a (1).jpg", 1));
    Path free(path(dir + L"\\a.jpg")->nextFreeNumbered());
    EXPECT_EQ(str(free->getFullPath()), dir + L"\\a (2).jpg");
    EXPECT_FALSE(present(free->getFullPath()));
}

TEST(PathOps, AbsoluteFormOfARelativeText) {
    TempDir t("pathops-absolute");
    wchar_t saved[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, saved), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(t.win.c_str()));
    PathWin* p = PathWin::fromUserText(L"a.jpg");
    PathWin* q = PathWin::create()->setAbsolutePathText(L"sub\\..\\b.jpg");
    SetCurrentDirectoryW(saved);
    EXPECT_EQ(str(p->getFullPath()), t / L"a.jpg");
    EXPECT_TRUE(p->isAbsolute());
    Path parent(p->getParent());
    EXPECT_EQ(str(parent->getFullPath()), t.win);
    EXPECT_EQ(str(q->getFullPath()), t / L"b.jpg");
    p->release();
    q->release();
    PathWin* empty = PathWin::fromUserText(L"");
    EXPECT_FALSE(empty->isValid());
    empty->release();
}

TEST(PathOps, WipeNeedsExclusiveAccess) {
    TempDir t("pathops-wipe");
    ASSERT_TRUE(writeFile(t / L"a.bin", 100));
    ASSERT_TRUE(SetFileAttributesW((t / L"a.bin").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(path(t / L"a.bin")->wipe(1, true));
    EXPECT_TRUE(GetFileAttributesW((t / L"a.bin").c_str()) & FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileW((t / L"a.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(path(t / L"a.bin")->wipe(1, true));
    CloseHandle(h);
    ASSERT_TRUE(writeFile(t / L"empty.bin", 0));
    EXPECT_TRUE(path(t / L"empty.bin")->wipe(1, false));
    EXPECT_FALSE(path(t / L"missing.bin")->wipe(1, false));
}

TEST(PathOps, RecycleMovesToTheTrash) {
    // Under Wine the recycle bin is the XDG trash of the process's XDG_DATA_HOME.
    TempDir t("pathops-recycle");
    ASSERT_TRUE(makeTree(t, {{L"a.txt", 3}, {L"d\\"}, {L"d\\x.txt", 1}, {L"xdg\\"}}));
    const std::string xdg = t.unix + "/xdg";
    ASSERT_TRUE(SetEnvironmentVariableA("XDG_DATA_HOME", xdg.c_str()));
    path(t / L"a.txt")->recycle(false, false);
    path(t / L"d")->recycle(false, true);
    EXPECT_FALSE(present(t / L"a.txt"));
    EXPECT_FALSE(present(t / L"d"));
    if (present(t / L"xdg\\Trash\\files")) {
        EXPECT_TRUE(present(t / L"xdg\\Trash\\files\\a.txt"));
        EXPECT_TRUE(present(t / L"xdg\\Trash\\files\\d\\x.txt"));
    }
}

TEST(PathOps, CreateTempMakesAnEmptyFile) {
    PathWin* p = PathWin::createTemp();
    EXPECT_TRUE(p->exists());
    EXPECT_TRUE(p->isFile());
    EXPECT_EQ(p->getSize(), 0);
    EXPECT_TRUE(p->remove(false, false));
    EXPECT_FALSE(present(p->getFullPath()));
    p->release();
}

}  // namespace
