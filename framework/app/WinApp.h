// The application framework's application object, reduced to what the program uses:
// splitting the process's command line and handing the arguments to a record.
#pragma once

#include <string>
#include <vector>

#include "framework/app/CommandLineInfo.h"

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return true; }

    // The process's command line (GetCommandLineW) to the record.
    void ParseCommandLine(CCommandLineInfo& info);
    // A command line text to the record: each argument after the program name, in order,
    // as ParseParam(argument, switch, last). An argument starting with "-" or "/" is a
    // switch and is handed on without that character.
    static void ParseCommandLineText(CCommandLineInfo& info, const wchar_t* commandLine);
    // The arguments of a command line text (the program name first), by the runtime's
    // rules: white space separates arguments outside double quotes; 2n backslashes
    // before a quote give n backslashes and the quote toggles quoting, 2n+1 give n
    // backslashes and a literal quote; "" inside quotes gives one quote; other
    // backslashes are literal. The program name ends at white space unless quoted and
    // takes backslashes literally.
    static std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine);
};
