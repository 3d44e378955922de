#include "viewer/app/UpdateCheck.h"

#include <cwchar>

#include "foundation/time/Clock.h"
#include "gui/dialogs/FlexAsker.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"
#include "platform/map/IMappedData.h"
#include "platform/net/Callback.h"
#include "platform/net/Downloader.h"
#include "platform/shell/Shell.h"

namespace s::app::win {

namespace {

constexpr const wchar_t* kUpdateKey = L"Update";
constexpr int32_t kQuestionId = 400210, kDetailId = 400230;
constexpr int32_t kAcceptId = 400330, kDeclineId = 400340, kCheckBoxId = 400380;

int64_t (*g_now)() = nullptr;
bool (*g_online)() = nullptr;
bool (*g_fetch)(const wchar_t*, int32_t, std::wstring*) = nullptr;
bool (*g_ask)(HWND, const wchar_t*, const wchar_t*) = nullptr;

int64_t nowMillis() { return g_now ? g_now() : time::currentTimeMillis(); }
bool isOnline() { return g_online ? g_online() : system::network::isOnline(); }

bool fetch(const wchar_t* url, int32_t timeoutMs, std::wstring* text) {
    if (g_fetch) return g_fetch(url, timeoutMs, text);
    auto* downloader = system::network::win::Downloader::create();
    if (!downloader) return false;
    downloader->setUrl(url);
    downloader->setKeepText(true);
    const bool ok = downloader->download(timeoutMs, nullptr, nullptr, nullptr);
    if (ok && downloader->getResult()) *text = downloader->getResult();
    downloader->release();
    return ok;
}

bool ask(const UpdateCheckContext& c, const wchar_t* message, const wchar_t* detail) {
    if (g_ask) return g_ask(c.owner, message, detail);
    auto* asker = gui::dialogs::FlexAsker::createWithWindow(c.record);
    if (!asker) return false;
    asker->setTextIds(kAcceptId, kDeclineId, kCheckBoxId);
    asker->show(c.owner, message, detail);
    const bool yes = asker->getAnswer();
    asker->release();
    return yes;
}

}  // namespace

UpdateStep updateStepAt(int64_t nowHours, int64_t lastHours) {
    if (lastHours == 0) return UpdateStep::kRecordOnly;
    if (nowHours < lastHours + kUpdateWaitHours) return UpdateStep::kWait;
    return UpdateStep::kAsk;
}

bool isCheckableVersion(const wchar_t* version) {
    const wchar_t* dot = version ? wcsrchr(version, L'.') : nullptr;
    return dot && wcslen(dot + 1) == 2;
}

bool answerNamesNewerVersion(const wchar_t* answer, const wchar_t* version) {
    if (!answer || wcslen(answer) < 5 || answer[0] != L'*') return false;
    return !(version && *version && wcsstr(answer, version));
}

void runUpdateCheck(const UpdateCheckContext& c) {
    if (!c.pack || !c.store || !c.versionSection) return;
    if (!c.pack->getCurrentPack()->hasUpdateText()) return;
    const int64_t now = nowMillis() / kMillisPerHour;
    const int64_t last = c.store->getInt(c.versionSection, kUpdateKey, 0);
    const UpdateStep step = updateStepAt(now, last);
    if (step == UpdateStep::kRecordOnly) {
        c.store->setInt(c.versionSection, kUpdateKey, int32_t(now));
        return;
    }
    if (step == UpdateStep::kWait) return;
    const std::wstring version = c.pack->getText(c.textBaseId + 10);
    if (!isCheckableVersion(version.c_str())) return;
    if (!isOnline()) return;
    const std::wstring url = std::wstring(c.pack->getText(c.textBaseId + 6)) + L"check/";
    std::wstring answer;
    const bool downloaded = fetch(url.c_str(), kUpdateDownloadTimeoutMs, &answer);
    if (downloaded && answerNamesNewerVersion(answer.c_str(), version.c_str())) {
        const std::wstring message = c.pack->getText(kQuestionId);
        const std::wstring detail = message + L" \r\n" + c.pack->getText(kDetailId);
        if (ask(c, message.c_str(), detail.c_str())) s::shell::open(c.pack->getText(c.textBaseId + 3));
    }
    // A failed download counts as a check too: the next one waits its hours.
    c.store->setInt(c.versionSection, kUpdateKey, int32_t(now));
}

void setUpdateClockOverride(int64_t (*now)()) { g_now = now; }
void setUpdateOnlineOverride(bool (*online)()) { g_online = online; }
void setUpdateFetchOverride(bool (*f)(const wchar_t*, int32_t, std::wstring*)) { g_fetch = f; }
void setUpdateAskOverride(bool (*a)(HWND, const wchar_t*, const wchar_t*)) { g_ask = a; }

}  // namespace s::app::win
