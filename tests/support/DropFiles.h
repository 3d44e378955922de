// An HDROP as the shell makes it for the given paths (wide, double-zero terminated), for
// tests that drop files on a window with WM_DROPFILES.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

namespace testsupport {

inline HGLOBAL makeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(h));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(df + 1);
    for (const auto& p : paths) {
        wmemcpy(out, p.c_str(), p.size());
        out += p.size() + 1;
    }
    GlobalUnlock(h);
    return h;
}

}  // namespace testsupport
