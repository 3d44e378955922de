// A settings store of the viewer's tests: the registry store on a fresh key of its own
// below HKCU\Software\GlimmerTests, removed again when the test ends, with raw reads
// of what was written (type and value as the registry keeps them).
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/reg/MappedData.h"
#include "platform/reg/RegDir.h"

namespace viewertest {

class RegistryStore {
public:
    explicit RegistryStore(const wchar_t* prefix = L"v") {
        static LONG counter = 0;
        wchar_t name[160];
        swprintf(name, 160, L"Software\\GlimmerTests\\%ls%lu_%lu_%ld", prefix, GetCurrentProcessId(), GetTickCount(),
                 InterlockedIncrement(&counter));
        parent_ = name;
        root_ = parent_ + L"\\SaveData";
        store_ = s::reg::MappedData::create();
        store_->attach(s::reg::win::RegDir::fromPath(s::reg::kCurrentUser, root_.c_str()));
    }
    ~RegistryStore() {
        if (store_) store_->release();
        RegDeleteTreeW(HKEY_CURRENT_USER, parent_.c_str());
    }
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    s::reg::MappedData* store() { return store_; }
    // "Software\GlimmerTests\...\SaveData": the store's root below HKCU.
    const std::wstring& root() const { return root_; }

    // The registry type of the value (0 when missing) and its data.
    DWORD typeOf(const std::wstring& path, const wchar_t* name) {
        DWORD type = 0;
        return query(path, name, &type, nullptr, nullptr) ? type : 0;
    }
    DWORD dwordOf(const std::wstring& path, const wchar_t* name) {
        DWORD v = 0, size = sizeof(v);
        query(path, name, nullptr, &v, &size);
        return v;
    }
    std::wstring textOf(const std::wstring& path, const wchar_t* name) {
        wchar_t text[1024] = {};
        DWORD size = sizeof(text) - sizeof(wchar_t);
        query(path, name, nullptr, text, &size);
        return text;
    }
    // Raw writes, as another program (or a damaged file) might leave them.
    void putDword(const std::wstring& path, const wchar_t* name, DWORD v) { put(path, name, REG_DWORD, &v, 4); }
    void putText(const std::wstring& path, const wchar_t* name, const wchar_t* text) {
        put(path, name, REG_SZ, text, DWORD((wcslen(text) + 1) * 2));
    }
    void putBinary(const std::wstring& path, const wchar_t* name, const void* data, DWORD size) {
        put(path, name, REG_BINARY, data, size);
    }

private:
    std::wstring full(const std::wstring& path) { return path.empty() ? root_ : root_ + L"\\" + path; }
    bool query(const std::wstring& path, const wchar_t* name, DWORD* type, void* data, DWORD* size) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, full(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        LONG r = RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
        RegCloseKey(key);
        return r == ERROR_SUCCESS;
    }
    void put(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, full(path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    std::wstring parent_, root_;
    s::reg::MappedData* store_ = nullptr;
};

}  // namespace viewertest
