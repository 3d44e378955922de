// A file's whole contents as bytes, read with the Win32 calls; "<missing>" when it cannot
// be opened (a name no test writes, so a missing file never equals expected contents).
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

inline std::string fileBytes(const std::wstring& path) {
    std::string out;
    HANDLE f =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    char buf[4096];
    DWORD r = 0;
    while (ReadFile(f, buf, sizeof buf, &r, nullptr) && r > 0) out.append(buf, r);
    CloseHandle(f);
    return out;
}

}  // namespace testsupport
