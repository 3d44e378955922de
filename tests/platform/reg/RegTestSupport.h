// Registry tests work under a key of their own below HKCU\Software\GlimmerTests.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

namespace regtest {

// "Software\GlimmerTests\<prefix><process>_<tick>_<counter>": unique per call.
inline std::wstring uniqueKeyPath(const wchar_t* prefix) {
    static LONG counter = 0;
    wchar_t name[128];
    swprintf(name, 128, L"Software\\GlimmerTests\\%ls%lu_%lu_%ld", prefix, GetCurrentProcessId(), GetTickCount(),
             InterlockedIncrement(&counter));
    return name;
}

// Whether the key exists under HKEY_CURRENT_USER, asked through advapi32.
inline bool keyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace regtest
