#include "framework/app/WinApp.h"

#include <windows.h>

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

}  // namespace

std::vector<std::wstring> CWinApp::SplitCommandLine(const wchar_t* p) {
    std::vector<std::wstring> args;
    if (!p) return args;
    // Program name: up to white space, or between quotes; no escapes.
    std::wstring name;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) name.push_back(*p);
        if (*p == L'"') ++p;
    } else {
        for (; *p && !isBlank(*p); ++p) name.push_back(*p);
    }
    args.push_back(name);
    for (;;) {
        while (*p && isBlank(*p)) ++p;
        if (!*p) break;
        std::wstring arg;
        bool quoted = false;
        while (*p && (quoted || !isBlank(*p))) {
            if (*p == L'\\') {
                size_t n = 0;
                while (*p == L'\\') ++n, ++p;
                if (*p == L'"') {
                    arg.append(n / 2, L'\\');
                    if (n % 2) {
                        arg.push_back(L'"');
                        ++p;
                    }
                } else {
                    arg.append(n, L'\\');
                }
            } else if (*p == L'"') {
                if (quoted && p[1] == L'"') {
                    arg.push_back(L'"');
                    p += 2;
                } else {
                    quoted = !quoted;
                    ++p;
                }
            } else {
                arg.push_back(*p++);
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

void CWinApp::ParseCommandLineText(CCommandLineInfo& info, const wchar_t* commandLine) {
    std::vector<std::wstring> args = SplitCommandLine(commandLine);
    for (size_t i = 1; i < args.size(); ++i) {
        const wchar_t* param = args[i].c_str();
        bool flag = param[0] == L'-' || param[0] == L'/';
        if (flag) ++param;
        info.ParseParam(param, flag, i + 1 == args.size());
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) { ParseCommandLineText(info, GetCommandLineW()); }
