#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "foundation/str/StrBuffer.h"
#include "platform/net/Downloader.h"
#include "LocalServer.h"

using s::str::strbuffer::StrBuffer;
using s::system::network::win::Downloader;

// Allocations of this program above the limit are refused, as a system short of memory
// would refuse them (the limit is lifted outside the tests that set it).
namespace {
std::atomic<size_t> allocationLimit{SIZE_MAX};
}  // namespace

namespace {
__attribute__((noinline)) void* allocateWithin(std::size_t n) {
    return n <= allocationLimit ? std::malloc(n ? n : 1) : nullptr;
}
void* allocateOrThrow(std::size_t n) {
    void* p = allocateWithin(n);
    if (!p) throw std::bad_alloc();
    return p;
}
}  // namespace

void* operator new(std::size_t n) { return allocateOrThrow(n); }
void* operator new[](std::size_t n) { return allocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return allocateWithin(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return allocateWithin(n); }
namespace {
__attribute__((noinline)) void release(void* p) { std::free(p); }
}  // namespace

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

namespace {

TEST(DownloaderUrl, SchemeComesFromTheStartOfTheAddress) {
    struct Case {
        const wchar_t* url;
        bool ok = false, secure = false;
        const wchar_t* host = nullptr;
        uint16_t port = 0;
        const wchar_t* object = nullptr;
    } cases[] = {
        {L"http://example.org/a/b.txt", true, false, L"example.org", 80, L"/a/b.txt"},
        {L"HTTPS://example.org/", true, true, L"example.org", 443, L"/"},
        {L"https://example.org/go?to=http://other/", true, true, L"example.org", 443, L"/go?to=http://other/"},
        {L"http://127.0.0.1:8080/x", true, false, L"127.0.0.1", 8080, L"/x"},
        {L"https://[::1]:8443/x", true, true, L"[::1]", 8443, L"/x"},
        {L"http://[::1]/x", true, false, L"[::1]", 80, L"/x"},
        {L"ftp://example.org/file", false},
        {L"example.org/http://x/", false},  // a scheme later in the text is no scheme
        {L" http://example.org/", false},
        {L"http://example.org", false},  // no object path
        {L"http:///x", false},           // no host
        {L"http://:81/x", false},
        {L"http://h:0/x", false},
        {L"http://h:65536/x", false},
        {L"http://h:8a/x", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        bool secure = !c.secure;
        uint16_t port = 0;
        StrBuffer host, object;
        ASSERT_EQ(Downloader::splitUrl(c.url, &secure, &host, &port, &object), c.ok) << c.url;
        if (!c.ok) continue;
        EXPECT_EQ(secure, c.secure) << c.url;
        EXPECT_STREQ(host.text(), c.host) << c.url;
        EXPECT_EQ(port, c.port) << c.url;
        EXPECT_STREQ(object.text(), c.object) << c.url;
    }
}

// The two ways a download goes: the system's URL download, or a GET request of our
// own (chosen by giving a user agent).
enum class Way { UrlDownload, Request };
const Way kWays[] = {Way::UrlDownload, Way::Request};
const char* wayName(Way w) { return w == Way::UrlDownload ? "url download" : "request"; }

Downloader* newDownloader(const std::wstring& url, Way way, bool keepText) {
    Downloader* d = Downloader::create();
    d->setUrl(url.c_str());
    d->setKeepText(keepText);
    if (way == Way::Request) d->setUserAgent(L"GlimmerTest/1.0");
    return d;
}

std::string expectedBytes(int n) {
    std::string v;
    for (int i = 0; i < n; ++i) v.push_back(char((i * 7 + 3) & 0xFF));
    return v;
}

std::string fileBytes(const wchar_t* path) { return nettest::readFile(path); }

bool fileExists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// Polls until the worker has ended; false after the deadline.
bool waitEnded(Downloader* d, int ms) {
    return nettest::waitUntil([d] { return !d->isRunning(); }, ms);
}

struct Progress {
    std::atomic<int> calls{0};
    uint32_t lastMax = 0, lastProgress = 0;
};
void onProgress(uint32_t progressMax, uint32_t progress, void* data, void* buffer) {
    auto* p = static_cast<Progress*>(data);
    ++p->calls;
    p->lastMax = progressMax;
    p->lastProgress = progress;
    EXPECT_EQ(buffer, reinterpret_cast<void*>(0x1234));
}

class DownloaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.ready()) << "the local HTTP server did not start"; }
    nettest::LocalServer server_;
};

TEST_F(DownloaderTest, TextKeepsEachByteAsOneUnitAndDeletesTheFile) {
    for (Way way : kWays) {
        Downloader* d = newDownloader(server_.url(L"/text"), way, true);
        ASSERT_TRUE(d->download(20000, nullptr, nullptr, nullptr)) << wayName(way);
        EXPECT_TRUE(d->isDone());
        const wchar_t expected[] = {L'A', 0x00E9, L' ', L'z', 0x0001, 0x00FF, 0};
        EXPECT_STREQ(d->getResult(), expected) << wayName(way);
        EXPECT_FALSE(fileExists(d->getFilePath())) << wayName(way);
        d->release();
    }
}

TEST_F(DownloaderTest, FileReceivesTheWholeBodyWithProgress) {
    for (Way way : kWays) {
        Progress progress;
        Downloader* d = newDownloader(server_.url(L"/bytes/23456"), way, false);
        ASSERT_TRUE(d->download(20000, onProgress, &progress, reinterpret_cast<void*>(0x1234))) << wayName(way);
        EXPECT_TRUE(d->isDone());
        EXPECT_EQ(std::wstring(d->getResult()), L"");
        std::wstring path = d->getFilePath();
        EXPECT_EQ(fileBytes(path.c_str()), expectedBytes(23456)) << wayName(way);
        EXPECT_GT(progress.calls, 0) << wayName(way);
        if (way == Way::Request) {
            EXPECT_EQ(progress.lastMax, 23456u);
            EXPECT_EQ(progress.lastProgress, 23456u);
        }
        // Done stays done: a second start does nothing.
        d->start();
        EXPECT_FALSE(d->isRunning());
        d->release();
        DeleteFileW(path.c_str());
    }
}

TEST_F(DownloaderTest, RequestSendsUserAgentAndReferrer) {
    Downloader* d = newDownloader(server_.url(L"/headers"), Way::Request, true);
    d->setReferrer(L"http://glimmer.test/from");
    ASSERT_TRUE(d->download(20000, nullptr, nullptr, nullptr));
    EXPECT_STREQ(d->getResult(), L"GlimmerTest/1.0|http://glimmer.test/from");
    d->release();

    // A referrer alone also makes a request, with the default agent.
    d = newDownloader(server_.url(L"/headers"), Way::UrlDownload, true);
    d->setReferrer(L"http://glimmer.test/r");
    ASSERT_TRUE(d->download(20000, nullptr, nullptr, nullptr));
    EXPECT_STREQ(d->getResult(), L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)|http://glimmer.test/r");
    d->release();
}

TEST_F(DownloaderTest, HttpErrorsAreFailuresAndLeaveNoFile) {
    for (Way way : kWays) {
        for (const wchar_t* page : {L"/status/404", L"/status/500", L"/status/403", L"/missing"}) {
            for (bool keepText : {false, true}) {
                Downloader* d = newDownloader(server_.url(page), way, keepText);
                EXPECT_FALSE(d->download(20000, nullptr, nullptr, nullptr)) << wayName(way) << " " << page;
                EXPECT_FALSE(d->isDone());
                EXPECT_EQ(std::wstring(d->getResult()), L"");
                if (d->getFilePath()[0]) { EXPECT_FALSE(fileExists(d->getFilePath())) << wayName(way); }
                d->release();
            }
        }
    }
}

TEST_F(DownloaderTest, UnreachableServerAndBadAddressesFail) {
    // A port nobody listens on (the server's own port plus one is not ours).
    for (Way way : kWays) {
        Downloader* d = newDownloader(L"http://127.0.0.1:1/x", way, false);
        EXPECT_FALSE(d->download(20000, nullptr, nullptr, nullptr)) << wayName(way);
        EXPECT_TRUE(waitEnded(d, 5000));
        d->release();
    }
    Downloader* d = newDownloader(server_.url(L"/text").substr(7), Way::Request, true);  // no scheme
    EXPECT_FALSE(d->download(20000, nullptr, nullptr, nullptr));
    d->release();
}

TEST_F(DownloaderTest, FileThatCannotBeMadeIsAFailure) {
    wchar_t oldTmp[MAX_PATH] = {}, oldTemp[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", oldTmp, MAX_PATH);
    GetEnvironmentVariableW(L"TEMP", oldTemp, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", L"Z:\\nonexistent-glimmer-folder\\sub");
    SetEnvironmentVariableW(L"TEMP", L"Z:\\nonexistent-glimmer-folder\\sub");
    for (Way way : kWays) {
        Downloader* d = newDownloader(server_.url(L"/text"), way, false);
        EXPECT_FALSE(d->download(20000, nullptr, nullptr, nullptr)) << wayName(way);
        EXPECT_FALSE(d->isDone());
        d->release();
    }
    SetEnvironmentVariableW(L"TMP", oldTmp[0] ? oldTmp : nullptr);
    SetEnvironmentVariableW(L"TEMP", oldTemp[0] ? oldTemp : nullptr);
}

TEST_F(DownloaderTest, SlowServerIsStoppedCooperativelyAtTheTimeOut) {
    for (Way way : kWays) {
        for (int timeout : {0, 600}) {
            Progress progress;
            Downloader* d = newDownloader(server_.url(L"/trickle"), way, false);
            const uint64_t t0 = GetTickCount64();
            EXPECT_FALSE(d->download(timeout, onProgress, &progress, reinterpret_cast<void*>(0x1234)))
                << wayName(way) << " " << timeout;
            EXPECT_LT(GetTickCount64() - t0, uint64_t(timeout) + 1000) << wayName(way);
            EXPECT_FALSE(d->isDone());
            // The worker notices the stop request and ends by itself, well before the
            // 50 s the body would take; the thread stays usable.
            EXPECT_TRUE(waitEnded(d, 10000)) << wayName(way) << " " << timeout;
            EXPECT_FALSE(d->isDone());
            if (d->getFilePath()[0]) { EXPECT_FALSE(fileExists(d->getFilePath())); }
            d->release();
        }
    }
}

TEST_F(DownloaderTest, StalledServerEndsWithStopOrItsTimeOut) {
    Downloader* d = newDownloader(server_.url(L"/stall"), Way::Request, false);
    d->setStallTimeout(3000);
    const uint64_t t0 = GetTickCount64();
    EXPECT_FALSE(d->download(500, nullptr, nullptr, nullptr));
    d->stop(true);
    EXPECT_FALSE(d->isRunning());
    EXPECT_LT(GetTickCount64() - t0, 8000u);
    EXPECT_FALSE(d->isDone());
    d->release();
}

TEST_F(DownloaderTest, StoppedDownloaderCanDownloadAgainAfterReset) {
    Downloader* d = newDownloader(server_.url(L"/trickle"), Way::UrlDownload, false);
    EXPECT_FALSE(d->download(200, nullptr, nullptr, nullptr));
    d->release();  // reset waits for the worker
    Downloader* again = newDownloader(server_.url(L"/text"), Way::UrlDownload, true);
    EXPECT_TRUE(again->download(20000, nullptr, nullptr, nullptr));
    EXPECT_EQ(again->getResult()[0], L'A');
    again->release();
}

// A second download while a run is under way (here from another thread) is refused:
// it never replaces the callback or the data the running worker reports to.
TEST_F(DownloaderTest, OverlappingDownloadsAreRefused) {
    Downloader* d = newDownloader(server_.url(L"/trickle"), Way::Request, false);
    Progress first, second;
    std::atomic<bool> firstResult{true};
    std::thread runner([&] { firstResult = d->download(20000, onProgress, &first, reinterpret_cast<void*>(0x1234)); });
    ASSERT_TRUE(nettest::waitUntil([&] { return first.calls > 0; }, 10000));
    const uint64_t t0 = GetTickCount64();
    EXPECT_FALSE(d->download(20000, onProgress, &second, reinterpret_cast<void*>(0x1234)));
    EXPECT_LT(GetTickCount64() - t0, 1000u);
    const int before = first.calls;
    // The first run goes on reporting to its own data.
    EXPECT_TRUE(nettest::waitUntil([&] { return first.calls > before + 2; }, 10000));
    d->stop(true);
    runner.join();
    EXPECT_FALSE(firstResult);
    EXPECT_EQ(second.calls, 0);
    d->release();
}

// Room for the text that cannot be had makes a failed download: nothing escapes the
// worker thread, the temporary file is closed and deleted, and the downloader is usable.
TEST_F(DownloaderTest, RefusedAllocationIsAFailedDownload) {
    for (Way way : kWays) {
        Downloader* d = newDownloader(server_.url(L"/bytes/3000000"), way, true);
        allocationLimit = 1000000;
        const bool ok = d->download(20000, nullptr, nullptr, nullptr);
        allocationLimit = SIZE_MAX;
        EXPECT_FALSE(ok) << wayName(way);
        EXPECT_TRUE(waitEnded(d, 10000));
        EXPECT_FALSE(d->isDone());
        EXPECT_STREQ(d->getResult(), L"");
        EXPECT_FALSE(fileExists(d->getFilePath())) << wayName(way);
        d->release();
        Downloader* again = newDownloader(server_.url(L"/text"), way, true);
        EXPECT_TRUE(again->download(20000, nullptr, nullptr, nullptr)) << wayName(way);
        again->release();
    }
}

}  // namespace
