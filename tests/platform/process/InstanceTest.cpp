// Other running copies: a copy of this test program started twice plays the first copy
// (a server with a window of the library's class) and the second copy (which finds and
// signals the first).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/file/PathWin.h"
#include "platform/lang/Localizer.h"
#include "platform/process/Process.h"
#include "support/HostTool.h"

namespace {

using namespace s::process;

constexpr const wchar_t* kTitleVariable = L"GLIMMER_INSTANCE_TITLE";
constexpr const wchar_t* kServerVariable = L"GLIMMER_INSTANCE_SERVER";
constexpr UINT kExitWrongWindow = 99;
constexpr UINT kExitTimedOut = 90;

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[512];
    DWORD n = GetEnvironmentVariableW(name, buffer, 512);
    return n && n < 512 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring selfPath() {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return std::wstring(buffer, n);
}

// ---- the first copy ---------------------------------------------------------------------

HWND g_main = nullptr;
UINT g_activations = 0;

LRESULT CALLBACK serverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kActivateRequest || message == kInstanceMessage) {
        if (window != g_main)
            PostQuitMessage(kExitWrongWindow);
        else if (message == kActivateRequest)
            ++g_activations;
        else
            PostQuitMessage(int(g_activations));
        return 0;
    }
    if (message == WM_TIMER) PostQuitMessage(kExitTimedOut);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(InstanceRole, DISABLED_Server) {
    std::wstring title = environment(kTitleVariable);
    ASSERT_FALSE(title.empty());
    WNDCLASSW cls{};
    cls.lpfnWndProc = serverProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = kInstanceWindowClass;
    ASSERT_NE(RegisterClassW(&cls), 0);
    g_main = CreateWindowExW(0, kInstanceWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, cls.hInstance, nullptr);
    ASSERT_NE(g_main, nullptr);
    // Windows that must never be signalled, made later so that they come first: the
    // hidden owner tool window of the same class, a window of another class, and one of
    // our class without a title.
    CreateWindowExW(WS_EX_TOOLWINDOW, kInstanceWindowClass, title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                    cls.hInstance, nullptr);
    CreateWindowExW(0, L"Static", title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance,
                    nullptr);
    CreateWindowExW(0, kInstanceWindowClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, cls.hInstance,
                    nullptr);
    SetTimer(g_main, 1, 60000, nullptr);
    MSG msg;
    UINT code = kExitTimedOut;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (msg.message == WM_QUIT) code = UINT(msg.wParam);
    fflush(stdout);
    ExitProcess(code);
}

// ---- the second copy -------------------------------------------------------------------

TEST(InstanceRole, DISABLED_Client) {
    uint32_t server = uint32_t(_wtoi(environment(kServerVariable).c_str()));
    uint32_t found = 0;
    if (!findOtherInstance(&found) || found != server) ExitProcess(10);
    s::str::strbuffer::StrBuffer* image = getProcessImagePath(server);
    bool sameFile = lstrcmpiW(image->text(), selfPath().c_str()) == 0;
    image->release();
    if (!sameFile) ExitProcess(11);
    if (!hasOtherInstanceWindow()) ExitProcess(12);
    if (signalInstance(server, nullptr, 0, true) == 0) ExitProcess(13);
    ExitProcess(0);
}

// ---- the test ------------------------------------------------------------------------------

struct Child {
    PROCESS_INFORMATION info{};
    bool started = false;
    ~Child() {
        if (!started) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    bool start(const std::wstring& exe, const wchar_t* test) {
        std::wstring line = L"\"" + exe + L"\" --gtest_also_run_disabled_tests --gtest_filter=InstanceRole." + test;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info);
        return started;
    }
    // The exit code, or -1 when it did not end in time.
    long waitExit(DWORD ms) {
        if (WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        return long(code);
    }
};

struct TitleSearch {
    DWORD pid;
    const std::wstring* title;
    bool found;
};

BOOL CALLBACK findTitle(HWND window, LPARAM lParam) {
    auto* s = reinterpret_cast<TitleSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t text[256];
    int n = GetWindowTextW(window, text, 256);
    if (pid == s->pid && n > 0 && *s->title == std::wstring(text, n)) s->found = true;
    return !s->found;
}

TEST(Instance, SecondCopyFindsAndSignalsTheFirst) {
    std::string dir = testsupport::makeTempDir("instance");
    std::wstring copy = testsupport::winPath(dir) + L"\\Glimmer Copy.exe";
    ASSERT_TRUE(CopyFileW(selfPath().c_str(), copy.c_str(), FALSE));

    std::wstring title = L"Glimmer Instance " + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(kTitleVariable, title.c_str());
    Child server;
    ASSERT_TRUE(server.start(copy, L"DISABLED_Server"));
    TitleSearch search{server.info.dwProcessId, &title, false};
    for (DWORD start = GetTickCount(); !search.found && GetTickCount() - start < 30000; Sleep(20))
        EnumWindows(findTitle, LPARAM(&search));
    ASSERT_TRUE(search.found) << "the first copy never showed its window";
    const uint32_t pid = server.info.dwProcessId;

    // A caption the window's title does not begin, and a process without windows: nothing sent.
    EXPECT_EQ(sendToProcessWindow(pid, kActivateRequest, L"Another Program"), 0);
    EXPECT_EQ(sendToProcessWindow(GetCurrentProcessId(), kActivateRequest, nullptr), 0);

    // With a localizer: one try per language; only the German caption begins with the title.
    std::wstring pack =
        L"<pack><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
        L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/></languages>"
        L"<entries><entry id=\"700\"><eng>Not This One</eng><deu>" +
        title + L" - Bildbetrachter</deu></entry></entries></pack>";
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(pack.c_str());
    ASSERT_EQ(localizer->getPackCount(), 2u);
    EXPECT_EQ(signalInstance(pid, localizer, 700, false), 2);
    localizer->release();

    // This program is another file: the first copy is not one of its instances.
    uint32_t found = 0;
    if (findOtherInstance(&found)) { EXPECT_NE(found, pid); }

    // The second copy, started through the same file named in other letter case.
    std::wstring upper = copy;
    CharUpperW(upper.data());
    SetEnvironmentVariableW(kServerVariable, std::to_wstring(pid).c_str());
    Child client;
    ASSERT_TRUE(client.start(upper, L"DISABLED_Client"));
    EXPECT_EQ(client.waitExit(60000), 0) << "10 not found, 11 other file, 12 no window, 13 not signalled";
    // Two activate requests reached the main window (German caption, second copy), then
    // the instance message ended the first copy.
    EXPECT_EQ(server.waitExit(30000), 2);
}

}  // namespace
