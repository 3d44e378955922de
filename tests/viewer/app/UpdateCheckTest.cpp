// The update check: gated on the pack's update text, once every 720 hours, the first
// run only recording the hour, and the question asked only for an answer that names
// another version. The network, the question and the shell are stood in for.
#include "viewer/app/UpdateCheck.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"
#include "viewer/app/AppWindow.h"

using namespace s::app::win;
using viewertest::RegistryStore;
using viewertest::TestAppBase;

namespace {

constexpr int64_t kHour = kMillisPerHour;
const std::wstring kSection = L"MainWindow\\Version";

// A pack with the update texts (text base 501000) and the version "2.5.07".
const wchar_t* const kPackWithUpdate =
    L"<lang><LANGUAGES><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry></LANGUAGES>"
    L"<entries>"
    L"<entry id=\"400200\"><eng>Check for updates</eng></entry>"
    L"<entry id=\"400210\"><eng>A new version is out.</eng></entry>"
    L"<entry id=\"400230\"><eng>Open the page?</eng></entry>"
    L"<entry id=\"501003\"><eng>https://example.invalid/page/</eng></entry>"
    L"<entry id=\"501006\"><eng>https://example.invalid/version/</eng></entry>"
    L"<entry id=\"501010\"><eng>2.5.07</eng></entry>"
    L"</entries></lang>";

struct Fakes {
    static inline int64_t now = 0;
    static inline bool online = true;
    static inline bool downloadOk = true;
    static inline std::wstring answer;
    static inline bool accept = false;
    static inline std::vector<std::wstring> fetched, asked, opened;
    static int64_t clock() { return now; }
    static bool isOnline() { return online; }
    static bool fetch(const wchar_t* url, int32_t timeoutMs, std::wstring* text) {
        EXPECT_EQ(timeoutMs, 8000);
        fetched.push_back(url);
        *text = answer;
        return downloadOk;
    }
    static bool ask(HWND, const wchar_t* message, const wchar_t* detail) {
        asked.push_back(std::wstring(message) + L"|" + detail);
        return accept;
    }
    static int32_t open(const wchar_t* file) {
        opened.push_back(file);
        return 1;
    }
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fakes::now = 500000 * kHour + 1234;
        Fakes::online = true;
        Fakes::downloadOk = true;
        Fakes::answer = L"*2.6.01 is out";
        Fakes::accept = false;
        Fakes::fetched.clear();
        Fakes::asked.clear();
        Fakes::opened.clear();
        setUpdateClockOverride(&Fakes::clock);
        setUpdateOnlineOverride(&Fakes::isOnline);
        setUpdateFetchOverride(&Fakes::fetch);
        setUpdateAskOverride(&Fakes::ask);
        s::shell::setOpenOverride(&Fakes::open);
        pack = s::lang::Localizer::loadXmlText(kPackWithUpdate);
        pack->setLanguage(L"English");
    }
    void TearDown() override {
        setUpdateClockOverride(nullptr);
        setUpdateOnlineOverride(nullptr);
        setUpdateFetchOverride(nullptr);
        setUpdateAskOverride(nullptr);
        s::shell::setOpenOverride(nullptr);
        pack->release();
    }
    void check() {
        UpdateCheckContext c;
        c.pack = pack;
        c.textBaseId = 501000;
        c.store = reg.store();
        c.versionSection = kSection.c_str();
        runUpdateCheck(c);
    }
    DWORD stored() { return reg.dwordOf(kSection, L"Update"); }
    bool hasStored() { return reg.typeOf(kSection, L"Update") != 0; }

    RegistryStore reg;
    s::lang::Localizer* pack = nullptr;
};

TEST(UpdateCheckRules, StepsByHour) {
    EXPECT_EQ(updateStepAt(1000, 0), UpdateStep::kRecordOnly);
    EXPECT_EQ(updateStepAt(1000, 1000), UpdateStep::kWait);
    EXPECT_EQ(updateStepAt(1000 + 719, 1000), UpdateStep::kWait);
    EXPECT_EQ(updateStepAt(1000 + 720, 1000), UpdateStep::kAsk);
    EXPECT_EQ(updateStepAt(5000, 1000), UpdateStep::kAsk);
}

TEST(UpdateCheckRules, VersionAndAnswerTexts) {
    EXPECT_TRUE(isCheckableVersion(L"2.5.07"));
    EXPECT_FALSE(isCheckableVersion(L"2.5.7"));
    EXPECT_FALSE(isCheckableVersion(L"2.5.107"));
    EXPECT_FALSE(isCheckableVersion(L"257"));
    EXPECT_FALSE(isCheckableVersion(L""));
    EXPECT_TRUE(answerNamesNewerVersion(L"*2.6.01", L"2.5.07"));
    EXPECT_FALSE(answerNamesNewerVersion(L"*2.5.07", L"2.5.07"));
    EXPECT_FALSE(answerNamesNewerVersion(L"2.6.01x", L"2.5.07"));
    EXPECT_FALSE(answerNamesNewerVersion(L"*2.6", L"2.5.07"));
    EXPECT_FALSE(answerNamesNewerVersion(L"", L"2.5.07"));
}

TEST_F(UpdateCheckTest, FirstRunOnlyRecordsTheHour) {
    check();
    EXPECT_EQ(stored(), 500000u);
    EXPECT_TRUE(Fakes::fetched.empty());
    EXPECT_TRUE(Fakes::asked.empty());
}

TEST_F(UpdateCheckTest, NextCheckComesAfter720Hours) {
    check();
    Fakes::now += 719 * kHour;
    check();
    EXPECT_TRUE(Fakes::fetched.empty());
    EXPECT_EQ(stored(), 500000u);
    Fakes::now += kHour;
    check();
    ASSERT_EQ(Fakes::fetched.size(), 1u);
    EXPECT_EQ(Fakes::fetched[0], L"https://example.invalid/version/check/");
    ASSERT_EQ(Fakes::asked.size(), 1u);
    EXPECT_EQ(Fakes::asked[0], L"A new version is out.|A new version is out. \r\nOpen the page?");
    EXPECT_TRUE(Fakes::opened.empty());  // declined
    EXPECT_EQ(stored(), 500720u);
}

TEST_F(UpdateCheckTest, AcceptingOpensTheSoftwarePage) {
    reg.putDword(kSection, L"Update", 1);
    Fakes::accept = true;
    check();
    ASSERT_EQ(Fakes::opened.size(), 1u);
    EXPECT_EQ(Fakes::opened[0], L"https://example.invalid/page/");
}

TEST_F(UpdateCheckTest, SameVersionOrFailedDownloadAsksNothingButStillWaits) {
    reg.putDword(kSection, L"Update", 1);
    Fakes::answer = L"*2.5.07";
    check();
    EXPECT_TRUE(Fakes::asked.empty());
    EXPECT_EQ(stored(), 500000u);
    reg.putDword(kSection, L"Update", 1);
    Fakes::answer = L"*2.6.01";
    Fakes::downloadOk = false;
    check();
    EXPECT_TRUE(Fakes::asked.empty());
    EXPECT_EQ(stored(), 500000u);
}

TEST_F(UpdateCheckTest, OfflineStopsWithoutWriting) {
    reg.putDword(kSection, L"Update", 1);
    Fakes::online = false;
    check();
    EXPECT_TRUE(Fakes::fetched.empty());
    EXPECT_EQ(stored(), 1u);
}

TEST_F(UpdateCheckTest, BuiltInPackIsGatedOffThroughTheRecord) {
    TestAppBase app;
    AppWindow* record = AppWindow::create();
    record->init(app.base, L"MainWindow", 500, 450, false, L"Close", app.base->getSkinner(), nullptr);
    ASSERT_STREQ(record->getLangPack()->getText(400200), L"");
    record->checkForUpdate(nullptr);
    EXPECT_EQ(app.reg.typeOf(kSection, L"Update"), DWORD(0));
    EXPECT_TRUE(Fakes::fetched.empty());
    record->release();
}

}  // namespace
