// The check for a newer version of the program: at most once every 720 hours, only when
// the language pack carries the update texts, asking the program's version-check page
// and offering the web page when it names another version. Every step fails silently.
//
//   UpdateCheckContext context{pack, textBaseId, store, L"MainWindow\\Version", owner, record};
//   runUpdateCheck(context);
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::app {
class IAppWindow;
}

namespace s::app::win {

constexpr int64_t kMillisPerHour = 3600000;
// Hours between two checks.
constexpr int32_t kUpdateWaitHours = 720;
constexpr int32_t kUpdateDownloadTimeoutMs = 8000;
// The gate text: without it in the pack nothing is checked.
constexpr int32_t kUpdateGateTextId = 400200;

// What the check does at an hour with the stored "Update" hour (0: never checked).
enum class UpdateStep { kRecordOnly, kWait, kAsk };
UpdateStep updateStepAt(int64_t nowHours, int64_t lastHours);

// The version text can be compared: exactly two characters after its last ".".
bool isCheckableVersion(const wchar_t* version);
// The check page's answer names a newer version: at least 5 characters, a leading "*",
// and not the running version's text.
bool answerNamesNewerVersion(const wchar_t* answer, const wchar_t* version);

struct UpdateCheckContext {
    lang::Localizer* pack = nullptr;
    int32_t textBaseId = 0;
    map::IMappedData* store = nullptr;
    const wchar_t* versionSection = nullptr;  // where "Update" is kept
    HWND owner = nullptr;                     // the question's owner
    app::IAppWindow* record = nullptr;        // the question window's texts
};
void runUpdateCheck(const UpdateCheckContext& context);

// Test seams (null restores the real one). The clock in milliseconds since 1970; the
// connected state; the download of a text (true when it succeeded); the question (true
// when the user wants the web page). The web page is opened through s::shell::open.
void setUpdateClockOverride(int64_t (*now)());
void setUpdateOnlineOverride(bool (*online)());
void setUpdateFetchOverride(bool (*fetch)(const wchar_t* url, int32_t timeoutMs, std::wstring* text));
void setUpdateAskOverride(bool (*ask)(HWND owner, const wchar_t* message, const wchar_t* detail));

}  // namespace s::app::win
