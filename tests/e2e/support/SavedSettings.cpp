#include "e2e/support/SavedSettings.h"

namespace e2e {

namespace {

std::wstring underSaveData(const std::wstring& path) {
    return path.empty() ? kSaveDataKey : std::wstring(kSaveDataKey) + L"\\" + path;
}

bool query(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* type, void* data, DWORD* size) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const LONG result = RegQueryValueExW(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::wstring text(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    return query(root, path, name, nullptr, value, &size) ? value : L"";
}

void put(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, underSaveData(path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

}  // namespace

void clearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramKey); }

bool hasSetting(const std::wstring& path, const wchar_t* name) {
    return query(HKEY_CURRENT_USER, underSaveData(path), name, nullptr, nullptr, nullptr);
}

DWORD settingType(const std::wstring& path, const wchar_t* name) {
    DWORD type = 0;
    return query(HKEY_CURRENT_USER, underSaveData(path), name, &type, nullptr, nullptr) ? type : 0;
}

std::wstring settingText(const std::wstring& path, const wchar_t* name) {
    return text(HKEY_CURRENT_USER, underSaveData(path), name);
}

DWORD settingDword(const std::wstring& path, const wchar_t* name, DWORD fallback) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (!query(HKEY_CURRENT_USER, underSaveData(path), name, &type, &value, &size) || type != REG_DWORD)
        return fallback;
    return value;
}

void putText(const std::wstring& path, const wchar_t* name, const wchar_t* value) {
    put(path, name, REG_SZ, value, DWORD((wcslen(value) + 1) * sizeof(wchar_t)));
}

void putDword(const std::wstring& path, const wchar_t* name, DWORD value) {
    put(path, name, REG_DWORD, &value, sizeof value);
}

bool classesKeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring classesText(const std::wstring& path, const wchar_t* name) { return text(HKEY_CLASSES_ROOT, path, name); }

bool classesHasValue(const std::wstring& path, const wchar_t* name) {
    return query(HKEY_CLASSES_ROOT, path, name, nullptr, nullptr, nullptr);
}

}  // namespace e2e
