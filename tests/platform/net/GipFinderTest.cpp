#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "LocalServer.h"
#include "foundation/str/StrBuffer.h"
#include "platform/net/GipFinder.h"

using s::str::strbuffer::StrBuffer;
using s::system::network::win::GipFinder;

namespace {

TEST(IpAddressText, AcceptsOnlyWholeIpv4AndIpv6Addresses) {
    struct Case {
        const wchar_t* text;
        bool ok;
    } cases[] = {
        {L"203.0.113.7", true},
        {L"0.0.0.0", true},
        {L"255.255.255.255", true},
        {L"256.1.1.1", false},
        {L"1.2.3", false},
        {L"1.2.3.4.5", false},
        {L"01.2.3.4", false},
        {L"1.2.3.4 ", false},
        {L"1..3.4", false},
        {L"203.0.113.", false},
        {L"::", true},
        {L"::1", true},
        {L"2001:db8::1", true},
        {L"2001:0db8:85a3:0000:0000:8a2e:0370:7334", true},
        {L"fe80::", true},
        {L"::ffff:192.0.2.128", true},
        {L"64:ff9b::192.0.2.33", true},
        {L"1:2:3:4:5:6:192.0.2.1", true},
        {L"1:2:3:4:5:6:7:192.0.2.1", false},
        {L"1:2:3:4:5:6:7", false},
        {L"1:2:3:4:5:6:7:8:9", false},
        {L"1:2:3:4:5:6:7::", true},
        {L"1::2::3", false},
        {L"12345::1", false},
        {L"2001:db8:::1", false},
        {L":1:2:3:4:5:6:7", false},
        {L"1:2:3:4:5:6:7:", false},
        {L"g::1", false},
        {L"fe80::1%eth0", false},
        {L"", false},
        {L"<html>", false},
        {L"localhost", false},
    };
    for (const Case& c : cases) EXPECT_EQ(s::system::network::isIpAddressText(c.text), c.ok) << c.text;
    EXPECT_TRUE(s::system::network::isIpAddressText(L"10.1.2.3xyz", 8));
}

bool waitFor(bool (*done)(GipFinder*), GipFinder* g, int ms) {
    return nettest::waitUntil([done, g] { return done(g); }, ms);
}
bool ended(GipFinder* g) { return !g->isRunning(); }

class GipFinderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.ready()) << "the local HTTP server did not start"; }
    GipFinder* finder(const wchar_t* prefix, int retryMs) {
        GipFinder* g = GipFinder::create();
        g->setServer((server_.base() + prefix).c_str());
        g->setRetryInterval(retryMs);
        return g;
    }
    nettest::LocalServer server_;
};

TEST_F(GipFinderTest, FindsTheAddressOnThePage) {
    struct Case {
        const wchar_t* prefix;
        const wchar_t* address;
    } cases[] = {
        {L"/v4", L"203.0.113.7"},
        // Longer than 32 units: kept whole, not cut into a wrong address.
        {L"/v6", L"2001:0db8:85a3:0000:0000:8a2e:0370:7334"},
    };
    for (const Case& c : cases) {
        GipFinder* g = finder(c.prefix, 100);
        StrBuffer out;
        out.setText(L"unchanged");
        EXPECT_FALSE(g->getAddress(&out));
        EXPECT_STREQ(out.text(), L"unchanged");
        g->start();
        ASSERT_TRUE(waitFor(ended, g, 20000)) << c.prefix;
        ASSERT_TRUE(g->isFound()) << c.prefix;
        ASSERT_TRUE(g->getAddress(&out));
        EXPECT_STREQ(out.text(), c.address);
        EXPECT_EQ(g->getAttempts(), 1);

        // Found stays found: start does nothing until it is cleared.
        g->start();
        EXPECT_FALSE(g->isRunning());
        g->clearFound();
        EXPECT_FALSE(g->getAddress(&out));
        g->release();
    }
}

TEST_F(GipFinderTest, KeepsTryingUntilTheAnswerIsAnAddress) {
    // An error page, then a cut-off address, then a real one.
    GipFinder* g = finder(L"/junk-then-v4", 50);
    g->start();
    ASSERT_TRUE(waitFor(ended, g, 20000));
    ASSERT_TRUE(g->isFound());
    StrBuffer out;
    ASSERT_TRUE(g->getAddress(&out));
    EXPECT_STREQ(out.text(), L"198.51.100.23");
    EXPECT_EQ(g->getAttempts(), 3);
    g->release();
}

TEST_F(GipFinderTest, NeverTakesAnythingButAnAddress) {
    for (const wchar_t* prefix : {L"/junk", L"/long", L"/empty", L"/no-such-service"}) {
        GipFinder* g = finder(prefix, 50);
        g->start();
        ASSERT_TRUE(waitFor([](GipFinder* f) { return f->getAttempts() >= 3; }, g, 20000)) << prefix;
        EXPECT_TRUE(g->isRunning()) << prefix;
        EXPECT_FALSE(g->isFound()) << prefix;
        StrBuffer out;
        EXPECT_FALSE(g->getAddress(&out));
        g->stop(true);
        EXPECT_FALSE(g->isRunning());
        g->release();
    }
}

TEST_F(GipFinderTest, StopDuringThePauseReturnsWithinAStep) {
    GipFinder* g = finder(L"/junk", GipFinder::kDefaultRetryMs);
    g->start();
    ASSERT_TRUE(waitFor([](GipFinder* f) { return f->getAttempts() >= 1; }, g, 20000));
    Sleep(300);  // into the minute's pause
    const uint64_t t0 = GetTickCount64();
    g->stop(true);
    EXPECT_LT(GetTickCount64() - t0, 1000u);
    EXPECT_FALSE(g->isRunning());
    EXPECT_FALSE(g->isFound());
    g->release();
}

}  // namespace
