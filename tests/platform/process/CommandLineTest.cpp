// The program's argument list: switches, extensions after the association switches,
// picture paths made absolute.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/process/CommandLine.h"

namespace {

using s::process::commandline::win::CommandLine;

std::wstring currentFolder() {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
    std::wstring folder(buffer, n);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::vector<std::wstring> argumentsOf(const wchar_t* line) {
    CommandLine* cl = CommandLine::create();
    cl->parseText(line);
    std::vector<std::wstring> out;
    for (int32_t i = 0; i < cl->getCount(); ++i) out.push_back(cl->getArgument(i));
    cl->release();
    return out;
}

struct Case {
    const wchar_t* line;
    std::vector<std::wstring> args;  // "@" at the start stands for the current folder
};

class CommandLineTable : public testing::TestWithParam<Case> {};

TEST_P(CommandLineTable, StoresArguments) {
    std::vector<std::wstring> want;
    for (std::wstring a : GetParam().args) {
        if (!a.empty() && a[0] == L'@') a = currentFolder() + a.substr(1);
        want.push_back(a);
    }
    EXPECT_EQ(argumentsOf(GetParam().line), want);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTable,
    testing::Values(Case{L"g.exe", {}}, Case{L"g.exe /associate .jpg", {L"-associate", L".jpg"}},
                    Case{L"g.exe -associate .jpg .png .gif", {L"-associate", L".jpg", L".png", L".gif"}},
                    Case{L"\"C:\\Program Files\\g.exe\" /Deassociate .JPG", {L"-Deassociate", L".JPG"}},
                    Case{L"g.exe \"C:\\My Pictures\\a b.jpg\"", {L"C:\\My Pictures\\a b.jpg"}},
                    Case{L"g.exe \"Z:\\tmp\\quote\\\"d.jpg\"", {L"Z:\\tmp\\quote\"d.jpg"}},
                    Case{L"g.exe pic.jpg", {L"@pic.jpg"}}, Case{L"g.exe \"sub dir\\a b.png\"", {L"@sub dir\\a b.png"}},
                    Case{L"g.exe C:\\x\\..\\y\\z.gif", {L"C:\\y\\z.gif"}}, Case{L"g.exe \"\"", {L""}}));

TEST(CommandLine, PoolResetEmptiesTheList) {
    CommandLine* cl = CommandLine::create();
    cl->parseText(L"g -associate .jpg");
    EXPECT_EQ(cl->getCount(), 2);
    EXPECT_TRUE(cl->hasSwitch(L"-ASSOCIATE"));
    cl->reset();
    EXPECT_EQ(cl->getCount(), 0);
    EXPECT_STREQ(cl->getClassName(), L"s_process_commandline_win_CommandLine");
    cl->release();
}

TEST(CommandLine, ProcessCommandLineMatchesTheSystemSplit) {
    int n = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &n);
    ASSERT_NE(argv, nullptr);
    CommandLine* cl = CommandLine::create();
    cl->parseProcessCommandLine();
    ASSERT_EQ(cl->getCount(), n - 1);
    for (int i = 1; i < n; ++i) {
        if (argv[i][0] == L'-' || argv[i][0] == L'/') {
            EXPECT_EQ(std::wstring(cl->getArgument(i - 1)), L"-" + std::wstring(argv[i] + 1));
        }
    }
    cl->release();
    LocalFree(argv);
}

}  // namespace

// An index outside the list, negative ones included, reads no memory past it.
TEST(CommandLine, ArgumentsOutsideTheListAreEmpty) {
    CommandLine* cl = CommandLine::create();
    cl->parseText(L"g.exe -associate .jpg");
    ASSERT_EQ(cl->getCount(), 2);
    for (int32_t index : {2, 3, 1000, -1, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_STREQ(cl->getArgument(index), L"");
    }
    EXPECT_STREQ(cl->getArgument(1), L".jpg");
    cl->dump();
    cl->reset();
    EXPECT_STREQ(cl->getArgument(0), L"");
    cl->release();
}
