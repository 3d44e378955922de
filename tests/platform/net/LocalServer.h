// The local HTTP server of the web task tests (TestServer.py beside this file),
// started for one test and stopped at its end.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

#include "support/HostTool.h"

namespace nettest {

// A whole file's bytes; empty when it cannot be read.
inline std::string readFile(const std::wstring& path) {
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

// Polls until done() answers true; false after about ms.
template <class F>
bool waitUntil(F done, int ms) {
    const uint64_t end = GetTickCount64() + uint64_t(ms);
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(10);
    }
    return true;
}

class LocalServer {
public:
    LocalServer() {
        dir_ = testsupport::makeTempDir("httpserver");
        const std::string script = testsupport::sourceDir() + "/tests/platform/net/TestServer.py";
        started_ = testsupport::runHost("/usr/bin/python3 '" + script + "' '" + dir_ + "/port' 170 >'" + dir_ +
                                        "/log' 2>&1 </dev/null & echo $! >'" + dir_ + "/pid'");
        // The server writes its port once it listens.
        for (int i = 0; started_ && i < 500 && port_ == 0; ++i) {
            std::string text = readFile(testsupport::winPath(dir_ + "/port"));
            port_ = text.empty() ? 0 : std::atoi(text.c_str());
            if (port_ == 0) Sleep(20);
        }
    }
    ~LocalServer() {
        if (started_) testsupport::runHost("kill $(cat '" + dir_ + "/pid') 2>/dev/null; true");
    }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    bool ready() const { return port_ != 0; }
    std::wstring base() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }
    std::wstring url(const wchar_t* path) const { return base() + path; }

private:
    std::string dir_;
    bool started_ = false;
    int port_ = 0;
};

}  // namespace nettest
