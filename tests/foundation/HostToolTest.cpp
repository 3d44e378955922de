#include <gtest/gtest.h>
#include <windows.h>

#include "support/HostTool.h"

// Fixtures made by host tools (ImageMagick, Python) rely on this bridge.
TEST(HostTool, RunsHostCommandsAndReportsTheirStatus) {
    std::string dir = testsupport::makeTempDir("hosttool");
    ASSERT_TRUE(testsupport::runHost("printf 'a b' > '" + dir + "/out.txt'"));
    EXPECT_FALSE(testsupport::runHost("exit 3"));

    std::wstring path = testsupport::winPath(dir + "/out.txt");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char buf[8] = {};
    DWORD got = 0;
    ReadFile(h, buf, sizeof(buf), &got, nullptr);
    CloseHandle(h);
    EXPECT_EQ(std::string(buf, got), "a b");
}
