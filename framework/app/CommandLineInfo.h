// The application framework's command-line record: the parser of the application
// object hands it each argument after the program name, in order.
#pragma once

#include <string>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;
    CCommandLineInfo(const CCommandLineInfo&) = delete;
    CCommandLineInfo& operator=(const CCommandLineInfo&) = delete;

    // One argument: param without its leading "-" or "/" when flag is set; last marks
    // the final argument. The default records the first plain argument as the file to
    // open; a derived record that keeps its own list does not call it.
    virtual void ParseParam(const wchar_t* param, bool flag, bool last);

    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    ShellCommand m_nShellCommand = FileNew;
    std::wstring m_strFileName;
};
