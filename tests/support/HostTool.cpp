#include "support/HostTool.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>

namespace testsupport {

namespace {

std::wstring widen(const std::string& s)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), w.data(), n);
    return w;
}

std::string shellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

}  // namespace

std::wstring winPath(const std::string& unixPath)
{
    std::wstring w = L"Z:" + widen(unixPath);
    for (auto& c : w)
        if (c == L'/') c = L'\\';
    return w;
}

std::string sourceDir() { return GLIMMER_SOURCE_DIR; }
std::string depsPrefix() { return GLIMMER_DEPS_PREFIX; }

std::string makeTempDir(const std::string& name)
{
    static std::atomic<int> counter{0};
    std::string dir = std::string(GLIMMER_BINARY_DIR) + "/testtmp/" + name + "-" +
                      std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    runHost("rm -rf " + shellQuote(dir) + " && mkdir -p " + shellQuote(dir));
    return dir;
}

bool runHost(const std::string& shellCommand, unsigned timeoutMs)
{
    static std::atomic<int> counter{0};
    std::string marker = std::string(GLIMMER_BINARY_DIR) + "/testtmp/.status-" +
                         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    std::string script = "mkdir -p " + shellQuote(std::string(GLIMMER_BINARY_DIR) + "/testtmp") + "; (" +
                         shellCommand + "); echo $? > " + shellQuote(marker);
    // Wine hands a non-Windows program to the host, splitting the command line
    // the Windows way: the script goes as one double-quoted argument.
    std::wstring cmdLine = L"/bin/sh -c \"" ;
    for (wchar_t c : widen(script)) {
        if (c == L'"' || c == L'\\') cmdLine += L'\\';
        cmdLine += c;
    }
    cmdLine += L"\"";

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, timeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    // The process handle of a host program may signal before the shell has
    // written its status: wait for the marker with a deadline.
    std::wstring wmarker = winPath(marker);
    DWORD start = GetTickCount();
    for (;;) {
        std::ifstream in(wmarker.c_str());
        int status = -1;
        if (in >> status) {
            in.close();
            DeleteFileW(wmarker.c_str());
            return status == 0;
        }
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
}

}  // namespace testsupport
