// Special folders, running programs through the shell, item-ID lists.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "tests/platform/file/PathTestSupport.h"
#include "platform/shell/ShellTestSupport.h"
#include "platform/shell/Shell.h"
#include "platform/shell/SpecialFolder.h"

namespace {

using namespace pathtest;
using shelltest::take;

TEST(SpecialFolder, WindowsAndDesktopResolve) {
    wchar_t windows[MAX_PATH];
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::wstring(s::system::getWindowsPath()->data(), s::system::getWindowsPath()->length()),
              std::wstring(windows, n));
    Path folder(s::system::getWindowsFolder());
    EXPECT_TRUE(folder->isDirectory());
    EXPECT_EQ(str(s::system::getSystemRoot()), std::wstring(windows, 3));

    std::wstring desktop(s::system::getDesktopPath()->data(), s::system::getDesktopPath()->length());
    EXPECT_FALSE(desktop.empty());
    EXPECT_NE(GetFileAttributesW(desktop.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(take(s::system::getSpecialFolderPath(CSIDL_DESKTOPDIRECTORY)), desktop);
    // The cache answers the same object every time.
    EXPECT_EQ(s::system::getDesktopPath(), s::system::getDesktopPath());
    EXPECT_EQ(take(s::system::getSpecialFolderPath(0x7FFF)), L"");
}

std::wstring systemFolder() {
    wchar_t buffer[MAX_PATH];
    UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
    return std::wstring(buffer, n);
}

TEST(RunThroughShell, WaitingAnswersTheChildsExitCode) {
    std::wstring cmd = systemFolder() + L"\\cmd.exe";
    EXPECT_EQ(s::shell::execute(cmd.c_str(), L"/c exit 7", true, false), 7);
    EXPECT_EQ(s::shell::execute(cmd.c_str(), L"/c exit 0", true, false), 0);
    // Elevation has no prompt here: the program still runs and its code comes back.
    EXPECT_EQ(s::shell::execute(cmd.c_str(), L"/c exit 3", true, true), 3);
}

TEST(RunThroughShell, BatchFileRunsAndReportsItsCode) {
    TempDir dir("shell_bat");
    HANDLE h = CreateFileW((dir / L"job.bat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const char body[] = "@echo off\r\necho ran> \"%~dp0marker.txt\"\r\nexit 5\r\n";
    DWORD written = 0;
    WriteFile(h, body, sizeof(body) - 1, &written, nullptr);
    CloseHandle(h);
    EXPECT_EQ(s::shell::execute((dir / L"job.bat").c_str(), nullptr, true, false), 5);
    EXPECT_TRUE(present(dir / L"marker.txt"));
}

TEST(ShellPidl, PathsGiveItemLists) {
    TempDir dir("shell_pidl");
    ASSERT_TRUE(writeFile(dir / L"a.jpg", 1));
    LPITEMIDLIST pidl = nullptr;
    ASSERT_TRUE(s::shell::pidlFromPath((dir / L"a.jpg").c_str(), &pidl));
    wchar_t back[MAX_PATH] = {0};
    EXPECT_TRUE(SHGetPathFromIDListW(pidl, back));
    EXPECT_EQ(std::wstring(back), dir / L"a.jpg");
    CoTaskMemFree(pidl);
    EXPECT_FALSE(s::shell::pidlFromPath(L"", &pidl));
    EXPECT_FALSE(s::shell::pidlFromPath(nullptr, &pidl));
    EXPECT_FALSE(s::shell::pidlFromPath((dir / L"a.jpg").c_str(), nullptr));
}

TEST(ShellPidl, NoFilesNoPropertiesSheet) { EXPECT_FALSE(s::shell::showMultiFileProperties(0, nullptr)); }

}  // namespace
