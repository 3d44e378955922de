// What a path learns from the file system: existence, attributes, times and sizes.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/file/PathWin.h"
#include "tests/platform/file/PathTestSupport.h"

using namespace pathtest;

namespace {

TEST(PathInfo, MissingPath) {
    TempDir t("pathinfo-missing");
    Path p = path(t / L"nothing.jpg");
    EXPECT_FALSE(p->exists());
    EXPECT_EQ(p->getSize(), 0);
    EXPECT_EQ(p->getSizeOnDisk(), 0);
    // Every cached bit is set for a missing path: callers test exists() first.
    EXPECT_TRUE(p->isDirectory());
    EXPECT_FALSE(p->isFile());
    // ... but a missing path is never an empty folder.
    EXPECT_FALSE(p->isEmptyDirectory());
    EXPECT_FALSE(p->setTimes(-1, 1000000000, -1, true, true, true, true, false));
}

// Setting attributes on a path that is not there fails (the cached failure value has
// every bit set, so it "has" any bit asked for).
TEST(PathInfo, AttributesOfAMissingPathCannotBeSet) {
    TempDir t("pathinfo-missing-attr");
    for (const wchar_t* name : {L"nothing.jpg", L"no folder\\nothing.jpg"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        Path p = path(t / name);
        EXPECT_FALSE(p->setHidden());
        EXPECT_FALSE(p->ensureAttributes(FILE_ATTRIBUTE_HIDDEN));
        EXPECT_FALSE(p->ensureAttributes(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
        EXPECT_FALSE(p->setAttributes(INVALID_FILE_ATTRIBUTES));
        EXPECT_FALSE(p->exists());
        EXPECT_EQ(GetFileAttributesW((t / name).c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // An existing file that already has the bits still answers true.
    ASSERT_TRUE(writeFile(t / L"there.txt", 2));
    Path there = path(t / L"there.txt");
    EXPECT_TRUE(there->setHidden());
    EXPECT_TRUE(there->setHidden());
    EXPECT_TRUE(there->ensureAttributes(FILE_ATTRIBUTE_HIDDEN));
}

TEST(PathInfo, EmptyFolderAndHiddenContent) {
    TempDir t("pathinfo-empty");
    ASSERT_TRUE(makeDir(t / L"empty"));
    ASSERT_TRUE(makeDir(t / L"hidden"));
    ASSERT_TRUE(writeFile(t / L"hidden\\h.txt", 3));
    ASSERT_TRUE(SetFileAttributesW((t / L"hidden\\h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(path(t / L"empty")->isEmptyDirectory());
    EXPECT_FALSE(path(t / L"hidden")->isEmptyDirectory());
    EXPECT_FALSE(path(t / L"hidden\\h.txt")->isEmptyDirectory());
    Path h = path(t / L"hidden\\h.txt");
    EXPECT_TRUE(h->isHidden());
    EXPECT_TRUE(h->isFile());
}

TEST(PathInfo, AttributeCacheAndSetters) {
    TempDir t("pathinfo-attr");
    ASSERT_TRUE(writeFile(t / L"a.txt", 4));
    Path p = path(t / L"a.txt");
    EXPECT_FALSE(p->isHidden());
    EXPECT_TRUE(p->setHidden());
    EXPECT_TRUE(p->isHidden());
    EXPECT_TRUE(GetFileAttributesW((t / L"a.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(p->ensureAttributes(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(p->getAttributes() & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(Path(path(t / L"a.txt"))->canWrite());
    EXPECT_TRUE(p->setAttributes(FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(GetFileAttributesW((t / L"a.txt").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(path(t / L"gone.txt")->setAttributes(FILE_ATTRIBUTE_HIDDEN));

    Path q = path(t / L"a.txt");
    EXPECT_TRUE(q->setWritable(false));
    EXPECT_FALSE(q->canWrite());
    EXPECT_TRUE(q->canRead());
    EXPECT_TRUE(q->makeReadWrite());
    EXPECT_TRUE(q->canReadWrite());
}

TEST(PathInfo, ExeShortcutAndUrlTestsNeedAFile) {
    TempDir t("pathinfo-kinds");
    ASSERT_TRUE(makeDir(t / L"x.exe"));
    ASSERT_TRUE(writeFile(t / L"run.EXE", 1));
    ASSERT_TRUE(writeFile(t / L"a.lnk", 1));
    ASSERT_TRUE(writeFile(t / L"b.url", 1));
    EXPECT_FALSE(path(t / L"x.exe")->isExe());
    EXPECT_TRUE(path(t / L"run.EXE")->isExe());
    EXPECT_TRUE(path(t / L"a.lnk")->isShortcut());
    EXPECT_FALSE(path(t / L"a.lnk")->isUrlShortcut());
    EXPECT_TRUE(path(t / L"b.url")->isUrlShortcut());
}

TEST(PathInfo, FolderSizesWithAndWithoutDescending) {
    TempDir t("pathinfo-size");
    ASSERT_TRUE(writeFile(t / L"ten.bin", 10));
    ASSERT_TRUE(makeDir(t / L"sub"));
    ASSERT_TRUE(writeFile(t / L"sub\\five.bin", 5));
    Path root = path(t.win);
    int32_t files = 0, folders = 0;
    EXPECT_EQ(root->getSize(true, true, &files, &folders, true), 15);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(root->getSize(true, false, nullptr, nullptr, true), 10);
    EXPECT_EQ(root->getSize(true, true, nullptr, nullptr, false), 5);
    EXPECT_EQ(path(t / L"ten.bin")->getSize(), 10);
    EXPECT_EQ(path(t / L"ten.bin")->getSize(true, true, nullptr, nullptr, true), 10);
}

TEST(PathInfo, SizeOnDiskRoundsToClusters) {
    TempDir t("pathinfo-disk");
    ASSERT_TRUE(writeFile(t / L"one.bin", 1));
    ASSERT_TRUE(writeFile(t / L"zero.bin", 0));
    Path one = path(t / L"one.bin");
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceW(one->getRoot(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    int64_t cluster = int64_t(sectorsPerCluster) * bytesPerSector;
    if (cluster < 512) cluster = 512;
    EXPECT_EQ(one->getSizeOnDisk(), cluster);
    EXPECT_EQ(path(t / L"zero.bin")->getSizeOnDisk(), 0);
}

TEST(PathInfo, SizesAbove4GiB) {
    TempDir t("pathinfo-huge");
    const std::wstring name = t / L"huge.bin";
    HANDLE h = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD got = 0;
    DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &got, nullptr);
    const int64_t size = 5LL * 1024 * 1024 * 1024 + 123;
    LARGE_INTEGER at;
    at.QuadPart = size;
    const bool grown = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    if (!grown) GTEST_SKIP() << "the file system cannot hold a 5 GiB sparse file";
    EXPECT_EQ(path(name)->getSize(), size);
    EXPECT_EQ(path(t.win)->getSize(true, true, nullptr, nullptr, true), size);
    EXPECT_GE(path(name)->getSizeOnDisk(), size);
    DeleteFileW(name.c_str());
}

TEST(PathInfo, SetTimesChangesOnlyTheGivenTimeAndKeepsReadOnly) {
    TempDir t("pathinfo-times");
    const std::wstring name = t / L"a.txt";
    ASSERT_TRUE(writeFile(name, 3));
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    Path before = path(name);
    const int64_t created = before->getCreationTime();
    const int64_t written = 1000000000;  // 2001-09-09
    Path p = path(name);
    EXPECT_TRUE(p->setTimes(-1, written, -1, true, true, true, true, false));
    Path after = path(name);
    EXPECT_EQ(after->getWriteTime(), written);
    // Only where the file system keeps creation times apart from write times.
    ASSERT_TRUE(writeFile(t / L"probe.txt", 1));
    HANDLE probe = CreateFileW((t / L"probe.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME probeCreated, probeWritten = {0x12345678, 0x01c00000}, probeAfter;
    GetFileTime(probe, &probeCreated, nullptr, nullptr);
    SetFileTime(probe, nullptr, nullptr, &probeWritten);
    GetFileTime(probe, &probeAfter, nullptr, nullptr);
    CloseHandle(probe);
    if (CompareFileTime(&probeCreated, &probeAfter) == 0) { EXPECT_EQ(after->getCreationTime(), created); }
    EXPECT_TRUE(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_READONLY);
    // The refresh flag reads the record again.
    EXPECT_EQ(p->getWriteTime(true), written);

    // An entry left out by the flags keeps its times.
    EXPECT_TRUE(path(name)->setTimes(-1, 1200000000, -1, true, false, true, true, false));
    EXPECT_EQ(path(name)->getWriteTime(), written);
}

TEST(PathInfo, SetTimesReportsAFileItCannotOpen) {
    TempDir t("pathinfo-locked");
    const std::wstring name = t / L"locked.txt";
    ASSERT_TRUE(writeFile(name, 3));
    HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(path(name)->setTimes(-1, 1000000000, -1, true, true, true, true, false));
    CloseHandle(h);
    EXPECT_TRUE(path(name)->setTimes(-1, 1000000000, -1, true, true, true, true, false));
}

TEST(PathInfo, SetTimesRecursesIntoFolders) {
    TempDir t("pathinfo-treetimes");
    ASSERT_TRUE(makeTree(t, {{L"d\\"}, {L"d\\e\\"}, {L"d\\e\\f.txt", 1}, {L"d\\g.txt", 1}}));
    EXPECT_TRUE(path(t / L"d")->setTimes(-1, 1000000000, -1, true, true, true, true, true));
    EXPECT_EQ(path(t / L"d\\e\\f.txt")->getWriteTime(), 1000000000);
    EXPECT_EQ(path(t / L"d\\g.txt")->getWriteTime(), 1000000000);
    EXPECT_EQ(path(t / L"d")->getWriteTime(), 1000000000);
}

TEST(PathInfo, LongPathsAreReached) {
    TempDir t("pathinfo-long");
    const std::wstring dir = makeDeepDir(t.win, 300, 60, L'L');
    ASSERT_FALSE(dir.empty());
    const std::wstring file = dir + L"\\deep.txt";
    ASSERT_TRUE(writeFile(file, 7));
    Path p = path(file);
    EXPECT_TRUE(p->exists());
    EXPECT_TRUE(p->isFile());
    EXPECT_EQ(p->getSize(), 7);
    EXPECT_GT(p->getWriteTime(), 0);
    EXPECT_FALSE(path(dir + L"\\absent.txt")->exists());
}

TEST(PathInfo, FileSystemType) {
    TempDir t("pathinfo-fs");
    Path p = path(t.win);
    wchar_t name[32] = {0};
    if (!GetVolumeInformationW(p->getRoot(), nullptr, 0, nullptr, nullptr, nullptr, name, 32)) {
        EXPECT_FALSE(p->isNtfs());
        EXPECT_FALSE(p->isFat());
        return;
    }
    EXPECT_EQ(p->isNtfs(), _wcsicmp(name, L"NTFS") == 0);
    EXPECT_EQ(p->isFat(), _wcsicmp(name, L"FAT") == 0 || _wcsicmp(name, L"FAT32") == 0);
    EXPECT_FALSE(path(L"Q:\\no\\such\\drive")->isNtfs());
}

TEST(PathInfo, ShellTypeNames) {
    TempDir t("pathinfo-typename");
    ASSERT_TRUE(writeFile(t / L"a.txt", 1));
    EXPECT_NE(str(path(t / L"a.txt")->getShellTypeNameText()), L"");
    EXPECT_NE(str(path(t / L"missing.txt")->getShellTypeNameText()), L"");
}

TEST(PathInfo, SizeTextIsEmptyForFolders) {
    TempDir t("pathinfo-sizetext");
    ASSERT_TRUE(writeFile(t / L"a.bin", 2048));
    EXPECT_EQ(str(path(t.win)->getSizeTextValue()), L"");
    std::wstring text = path(t / L"a.bin")->getSizeTextValue();
    EXPECT_NE(text.find(L"2"), std::wstring::npos) << text;
}

}  // namespace
