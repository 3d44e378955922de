#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

#include "platform/system/Library.h"
#include "platform/system/OsVersion.h"

using s::system::OsVersionFacts;
using s::system::win::DllLocater;

namespace {

TEST(OsVersionFacts, DerivedFromTheVersionNumber) {
    struct Case {
        int32_t major, minor;
        uint32_t platform;
        bool nt, vista, win7, win10;
    } cases[] = {
        {5, 1, VER_PLATFORM_WIN32_NT, true, false, false, false},         // XP
        {6, 0, VER_PLATFORM_WIN32_NT, true, true, false, false},          // Vista
        {6, 1, VER_PLATFORM_WIN32_NT, true, true, true, false},           // 7
        {6, 3, VER_PLATFORM_WIN32_NT, true, true, true, false},           // 8.1
        {10, 0, VER_PLATFORM_WIN32_NT, true, true, true, true},           // 10 and 11
        {4, 10, VER_PLATFORM_WIN32_WINDOWS, false, false, false, false},  // 98
    };
    for (const Case& c : cases) {
        OsVersionFacts f;
        s::system::deriveOsVersionFacts(f, c.major, c.minor, c.platform);
        EXPECT_EQ(f.major, c.major);
        EXPECT_EQ(f.minor, c.minor);
        EXPECT_EQ(f.isNt, c.nt) << c.major << "." << c.minor;
        EXPECT_EQ(f.isVistaOrLater, c.vista) << c.major << "." << c.minor;
        EXPECT_EQ(f.isWin7OrLater, c.win7) << c.major << "." << c.minor;
        EXPECT_EQ(f.isWin10OrLater, c.win10) << c.major << "." << c.minor;
    }
}

TEST(OsVersionFacts, ProbeAgreesWithTheNativeVersion) {
    // Probed from several threads at once: every one sees the same, finished record.
    std::vector<std::thread> threads;
    std::vector<int> majors(8, -1);
    for (int i = 0; i < 8; ++i) threads.emplace_back([&, i] { majors[i] = s::system::osVersion().major; });
    for (auto& t : threads) t.join();
    const OsVersionFacts& f = s::system::osVersion();
    ASSERT_TRUE(f.probed.load());
    for (int m : majors) EXPECT_EQ(m, f.major);

    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtl = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtl, nullptr);
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_EQ(rtl(&info), 0);
    EXPECT_EQ(f.major, int32_t(info.dwMajorVersion));
    EXPECT_EQ(f.minor, int32_t(info.dwMinorVersion));
    EXPECT_TRUE(f.isNt);
    OsVersionFacts expected;
    s::system::deriveOsVersionFacts(expected, f.major, f.minor, info.dwPlatformId);
    EXPECT_EQ(f.isVistaOrLater, expected.isVistaOrLater);
    EXPECT_EQ(f.isWin7OrLater, expected.isWin7OrLater);
    EXPECT_EQ(f.isWin10OrLater, expected.isWin10OrLater);
    // The program refuses anything older than XP; whatever runs the tests is newer.
    EXPECT_TRUE(f.major > 5 || (f.major == 5 && f.minor >= 1));
}

TEST(DllLocater, HoldsOneModuleAndFreesIt) {
    DllLocater none;
    EXPECT_FALSE(none.isLoaded());
    none.unload();  // nothing held: nothing happens
    none.reset();
    EXPECT_EQ(none.procAddress("Anything"), nullptr);

    DllLocater user32(L"user32.dll");
    ASSERT_TRUE(user32.isLoaded());
    EXPECT_NE(user32.procAddress("SetLayeredWindowAttributes"), nullptr);
    EXPECT_EQ(user32.procAddress("NoSuchEntryPoint"), nullptr);

    DllLocater missing(L"no-such-library-here.dll");
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(missing.procAddress("X"), nullptr);

    // Pooled: the pool's reset lets the module go.
    DllLocater* pooled = DllLocater::create();
    ASSERT_NE(pooled, nullptr);
    EXPECT_STREQ(pooled->getClassName(), L"s_system_win_DllLocater");
    ASSERT_TRUE(pooled->load(L"ntdll.dll"));
    EXPECT_NE(pooled->procAddress("RtlGetVersion"), nullptr);
    pooled->release();
    DllLocater* again = DllLocater::create();
    EXPECT_FALSE(again->isLoaded());
    again->release();
}

}  // namespace
