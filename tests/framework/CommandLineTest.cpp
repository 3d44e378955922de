// The framework's command-line splitting and its hand-over of arguments to a record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/WinApp.h"

namespace {

struct SplitCase {
    const wchar_t* line;
    std::vector<std::wstring> args;  // program name first
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, FollowsTheRuntimeRules) {
    EXPECT_EQ(CWinApp::SplitCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitTest,
    testing::Values(
        SplitCase{L"prog.exe", {L"prog.exe"}},
        SplitCase{L"prog.exe   ", {L"prog.exe"}},
        SplitCase{L"\"C:\\Program Files\\G\\g.exe\" a", {L"C:\\Program Files\\G\\g.exe", L"a"}},
        SplitCase{L"C:\\dir\\g.exe\\ a", {L"C:\\dir\\g.exe\\", L"a"}},
        SplitCase{L"g \"C:\\My Pictures\\a b.jpg\"", {L"g", L"C:\\My Pictures\\a b.jpg"}},
        SplitCase{L"g a\tb  c", {L"g", L"a", L"b", L"c"}},
        SplitCase{L"g \"\"", {L"g", L""}},
        SplitCase{L"g a\\\\b", {L"g", L"a\\\\b"}},                  // backslashes not before a quote stay
        SplitCase{L"g \"C:\\dir\\\\\" x", {L"g", L"C:\\dir\\", L"x"}},  // 2n backslashes + quote: n, quote ends
        SplitCase{L"g a\\\"b", {L"g", L"a\"b"}},                     // 2n+1: n and a literal quote
        SplitCase{L"g a\\\\\\\"b", {L"g", L"a\\\"b"}},
        SplitCase{L"g \"a\"\"b\"", {L"g", L"a\"b"}},                 // "" inside quotes: one quote
        SplitCase{L"g ab\"c d\"e", {L"g", L"abc de"}},
        SplitCase{L"g /associate .jpg .png", {L"g", L"/associate", L".jpg", L".png"}}));

struct Recorder : CCommandLineInfo {
    struct Call {
        std::wstring param;
        bool flag;
        bool last;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    void ParseParam(const wchar_t* param, bool flag, bool last) override { calls.push_back({param, flag, last}); }
};

TEST(FrameworkCommandLine, SwitchesLoseTheirMarkAndTheLastIsFlagged) {
    Recorder r;
    CWinApp::ParseCommandLineText(r, L"\"C:\\a b\\g.exe\" /associate -deassociate \"x y.jpg\" -");
    ASSERT_EQ(r.calls.size(), 4u);
    EXPECT_EQ(r.calls[0], (Recorder::Call{L"associate", true, false}));
    EXPECT_EQ(r.calls[1], (Recorder::Call{L"deassociate", true, false}));
    EXPECT_EQ(r.calls[2], (Recorder::Call{L"x y.jpg", false, false}));
    EXPECT_EQ(r.calls[3], (Recorder::Call{L"", true, true}));
}

TEST(FrameworkCommandLine, DefaultRecordKeepsTheFirstFile) {
    CCommandLineInfo info;
    CWinApp::ParseCommandLineText(info, L"g -x a.jpg b.jpg");
    EXPECT_EQ(info.m_strFileName, L"a.jpg");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
}

TEST(FrameworkCommandLine, NoArgumentsCallsNothing) {
    Recorder r;
    CWinApp::ParseCommandLineText(r, L"\"g.exe\"");
    EXPECT_TRUE(r.calls.empty());
    CWinApp::ParseCommandLineText(r, nullptr);
    EXPECT_TRUE(r.calls.empty());
}

}  // namespace
