#include "framework/app/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const wchar_t* param, bool flag, bool) {
    if (flag || !param) return;
    if (m_strFileName.empty()) {
        m_strFileName = param;
        m_nShellCommand = FileOpen;
    }
}
