// Shell links and internet shortcuts written and read back through the shell's objects,
// folder shortcuts, long path names.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "tests/platform/file/PathTestSupport.h"
#include "platform/shell/ShellTestSupport.h"
#include "platform/shell/Shortcut.h"

namespace {

using namespace pathtest;
using shelltest::take;

// The working folder a .lnk file records, read through the shell link object.
std::wstring workingFolder(const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    std::wstring out;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return out;
    IPersistFile* file = nullptr;
    wchar_t buffer[MAX_PATH] = {0};
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetWorkingDirectory(buffer, MAX_PATH)))
        out = buffer;
    if (file) file->Release();
    shellLink->Release();
    return out;
}

TEST(Shortcut, LinkIsWrittenAndReadBack) {
    TempDir dir("shortcut_lnk");
    ASSERT_TRUE(makeDir(dir / L"p"));
    ASSERT_TRUE(writeFile(dir / L"p\\a picture.jpg", 10));
    Path target = path(dir / L"p\\a picture.jpg");
    ASSERT_TRUE(target->createShortcut((dir / L"photo").c_str(), false, nullptr));
    EXPECT_TRUE(present(dir / L"photo.lnk"));
    EXPECT_EQ(take(s::shell::readShortcut((dir / L"photo.lnk").c_str())), dir / L"p\\a picture.jpg");
    EXPECT_EQ(workingFolder(dir / L"photo.lnk"), dir / L"p\\");
    Path link = path(dir / L"photo.lnk");
    Path back(link->getShortcutTarget());
    EXPECT_EQ(str(back->getFullPath()), dir / L"p\\a picture.jpg");

    // An existing link is kept without overwrite and replaced with it.
    ASSERT_TRUE(writeFile(dir / L"other.txt", 3));
    Path other = path(dir / L"other.txt");
    EXPECT_FALSE(other->createShortcut((dir / L"photo.LNK").c_str(), false, nullptr));
    EXPECT_EQ(take(s::shell::readShortcut((dir / L"photo.lnk").c_str())), dir / L"p\\a picture.jpg");
    EXPECT_TRUE(other->createShortcut((dir / L"photo.lnk").c_str(), true, L"-x"));
    EXPECT_EQ(take(s::shell::readShortcut((dir / L"photo.lnk").c_str())), dir / L"other.txt");
}

TEST(Shortcut, MissingTargetAndLinkOfALinkIsACopy) {
    TempDir dir("shortcut_copy");
    EXPECT_FALSE(s::shell::createShortcut((dir / L"none.jpg").c_str(), (dir / L"x.lnk").c_str(), nullptr));
    EXPECT_FALSE(present(dir / L"x.lnk"));
    EXPECT_EQ(take(s::shell::readShortcut((dir / L"x.lnk").c_str())), L"");

    ASSERT_TRUE(writeFile(dir / L"a.jpg", 5));
    ASSERT_TRUE(s::shell::createShortcut((dir / L"a.jpg").c_str(), (dir / L"first.lnk").c_str(), nullptr));
    ASSERT_TRUE(s::shell::createShortcut((dir / L"first.lnk").c_str(), (dir / L"second.lnk").c_str(), nullptr));
    Path first = path(dir / L"first.lnk"), second = path(dir / L"second.lnk");
    EXPECT_EQ(first->getSize(), second->getSize());
    EXPECT_EQ(take(s::shell::readShortcut((dir / L"second.lnk").c_str())), dir / L"a.jpg");
}

TEST(Shortcut, UrlShortcutIsWrittenAndReadBack) {
    TempDir dir("shortcut_url");
    const wchar_t* url = L"http://example.com/pictures/index.html";
    Path file = path(dir / L"site.url");
    ASSERT_TRUE(file->createUrlShortcut(url, false));
    EXPECT_EQ(str(file->getUrlText()), url);
    EXPECT_EQ(take(s::shell::readUrlShortcut((dir / L"site.url").c_str())), url);
    EXPECT_FALSE(file->createUrlShortcut(L"http://example.org/", false));
    EXPECT_TRUE(file->createUrlShortcut(L"http://example.org/", true));
    EXPECT_EQ(str(file->getUrlText()), L"http://example.org/");
    // Not a .url file: no URL.
    ASSERT_TRUE(writeFile(dir / L"plain.txt", 4));
    EXPECT_EQ(str(path(dir / L"plain.txt")->getUrlText()), L"");
}

TEST(Shortcut, FolderShortcutLeadsToItsTargetFolder) {
    TempDir dir("shortcut_folder");
    ASSERT_TRUE(makeDir(dir / L"real"));
    ASSERT_TRUE(makeDir(dir / L"alias"));
    ASSERT_TRUE(s::shell::createShortcut((dir / L"real").c_str(), (dir / L"alias\\target.lnk").c_str(), nullptr));
    SetFileAttributesW((dir / L"alias").c_str(), FILE_ATTRIBUTE_READONLY);
    Path alias = path(dir / L"alias");
    if (!alias->isFolderShortcut()) GTEST_SKIP() << "read-only folders are not kept by this file system";
    EXPECT_EQ(str(alias->getFolderShortcutTargetText()), dir / L"real");
    Path target(alias->getFolderShortcutTargetPath());
    EXPECT_EQ(str(target->getFullPath()), dir / L"real");
}

TEST(Shortcut, LongPathNameTakesTheFileSystemsSpelling) {
    TempDir dir("shortcut_long");
    ASSERT_TRUE(makeDir(dir / L"Mixed Case Folder"));
    ASSERT_TRUE(writeFile(dir / L"Mixed Case Folder\\Long File Name.jpeg", 1));
    std::wstring lower = dir / L"mixed case folder\\long file name.jpeg";
    EXPECT_EQ(take(s::shell::getLongPathName(lower.c_str())), dir / L"Mixed Case Folder\\Long File Name.jpeg");
    wchar_t shortName[MAX_PATH] = {0};
    if (GetShortPathNameW((dir / L"Mixed Case Folder\\Long File Name.jpeg").c_str(), shortName, MAX_PATH)) {
        EXPECT_EQ(take(s::shell::getLongPathName(shortName)), dir / L"Mixed Case Folder\\Long File Name.jpeg");
    }
    EXPECT_EQ(take(s::shell::getLongPathName((dir / L"missing.jpg").c_str())), L"");
    EXPECT_EQ(take(s::shell::getLongPathName(L"")), L"");
    EXPECT_EQ(take(s::shell::getLongPathName(L"Z:\\")), L"Z:\\");
}

}  // namespace
