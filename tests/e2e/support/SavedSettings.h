// The program's settings as the registry keeps them, read and seeded from a test, and
// the file-type keys an association run changes. Every test starts from
// clearSettings(): the program then behaves as on its first start.
//
//   e2e::clearSettings();
//   e2e::putText(L"", L"Language", L"Klingon");            // SaveData\Language, default value
//   e2e::putDword(e2e::kView, L"LastUsedFitMode", 3);     // SaveData\MainWindow\View
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The program's key below HKEY_CURRENT_USER and its settings root.
constexpr const wchar_t* kProgramKey = L"Software\\Zelk\\Zelk Glimmer";
constexpr const wchar_t* kSaveDataKey = L"Software\\Zelk\\Zelk Glimmer\\SaveData";
// The main window's view section at screen scale 1, below SaveData.
constexpr const wchar_t* kView = L"MainWindow\\View";

// Removes everything the program stored.
void clearSettings();

// A value below SaveData: path is a key path relative to it ("" = SaveData itself),
// name the value name ("" = the key's default value).
bool hasSetting(const std::wstring& path, const wchar_t* name);
DWORD settingType(const std::wstring& path, const wchar_t* name);
std::wstring settingText(const std::wstring& path, const wchar_t* name);
DWORD settingDword(const std::wstring& path, const wchar_t* name, DWORD fallback = 0);
void putText(const std::wstring& path, const wchar_t* name, const wchar_t* text);
void putDword(const std::wstring& path, const wchar_t* name, DWORD value);

// HKEY_CLASSES_ROOT: whether the key exists, and a value of it ("" = default).
bool classesKeyExists(const std::wstring& path);
std::wstring classesText(const std::wstring& path, const wchar_t* name = L"");
bool classesHasValue(const std::wstring& path, const wchar_t* name);

}  // namespace e2e
