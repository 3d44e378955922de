// Helpers of the path tests: pooled paths held for one scope, and files made in a
// temporary folder of the test's own (Windows paths under Z:).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "platform/file/PathWin.h"
#include "support/HostTool.h"

namespace pathtest {

using s::file::win::PathWin;

struct Releaser {
    void operator()(s::file::IPath* p) const {
        if (p) p->release();
    }
};
using Path = std::unique_ptr<s::file::IPath, Releaser>;

inline Path path(const std::wstring& text) { return Path(PathWin::fromString(text.c_str())); }

inline std::wstring str(const wchar_t* t) { return t ? std::wstring(t) : std::wstring(L"<null>"); }

// Writes a file of n bytes (value 'x'); missing folders are not made.
inline bool writeFile(const std::wstring& name, size_t n, const char fill = 'x') {
    std::wstring full = name.size() >= 250 ? L"\\\\?\\" + name : name;
    HANDLE h = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string data(n, fill);
    DWORD written = 0;
    bool ok = n == 0 || (WriteFile(h, data.data(), DWORD(n), &written, nullptr) && written == n);
    CloseHandle(h);
    return ok;
}

inline bool makeDir(const std::wstring& name) {
    std::wstring full = name.size() >= 250 ? L"\\\\?\\" + name : name;
    return CreateDirectoryW(full.c_str(), nullptr) != 0;
}

inline bool present(const std::wstring& name) {
    std::wstring full = name.size() >= 240 ? L"\\\\?\\" + name : name;
    return GetFileAttributesW(full.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder for one test: its Unix and Windows names.
struct TempDir {
    explicit TempDir(const std::string& name) : unix(testsupport::makeTempDir(name)), win(testsupport::winPath(unix)) {}
    std::wstring operator/(const std::wstring& rel) const { return win + L"\\" + rel; }
    std::string unix;
    std::wstring win;
};

// One entry of a test tree: a name ending in "\\" is a folder, anything else a file of
// the given size; attributes 0 leaves the defaults.
struct Entry {
    const wchar_t* name;
    size_t size = 0;
    DWORD attributes = 0;
};

// Makes the entries in order (parents first) below the folder.
inline bool makeTree(const TempDir& t, std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) {
        std::wstring name = t / e.name;
        const bool folder = name.back() == L'\\';
        if (folder) name.pop_back();
        if (!(folder ? makeDir(name) : writeFile(name, e.size))) return false;
        if (e.attributes && !SetFileAttributesW(name.c_str(), e.attributes)) return false;
    }
    return true;
}

// Folders of segment-long names below base until the text has at least minLength units.
inline std::wstring makeDeepDir(std::wstring dir, size_t minLength, size_t segment, wchar_t fill) {
    while (dir.size() < minLength) {
        dir += L"\\" + std::wstring(segment, fill);
        if (!makeDir(dir)) return std::wstring();
    }
    return dir;
}

// A Unix symbolic link (relative names below the test folder).
inline bool makeLink(const TempDir& t, const std::string& target, const std::string& link) {
    return testsupport::runHost("ln -s '" + t.unix + "/" + target + "' '" + t.unix + "/" + link + "'");
}

}  // namespace pathtest
