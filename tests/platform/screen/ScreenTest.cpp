#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/system/Monitor.h"
#include "platform/system/Screen.h"

namespace {

TEST(ScreenScale, FollowsThePrimaryScreenSize) {
    struct Case {
        int32_t w, h, scale;
        bool large, fourK;
    } cases[] = {
        {1920, 1080, 1, false, false},  // full HD
        {1920, 1620, 1, false, false},  // one column short of large
        {1921, 1619, 1, false, false},  // one row short of large
        {1921, 1620, 2, true, false},  {2560, 1620, 2, true, false},
        {3840, 2160, 2, true, false},  // 4K UHD is below 3240 rows
        {4096, 3240, 2, true, false},  {4097, 3239, 2, true, false},
        {4097, 3240, 4, true, true},   {5120, 3240, 4, true, true},
        {7680, 4320, 4, true, true},   {1000, 5000, 1, false, false},  // both sides must reach the bound
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s::system::screenScaleForSize(c.w, c.h), c.scale) << c.w << "x" << c.h;
        EXPECT_EQ(s::system::isLargeScreenSize(c.w, c.h), c.large) << c.w << "x" << c.h;
        EXPECT_EQ(s::system::isAtLeast4KScreenSize(c.w, c.h), c.fourK) << c.w << "x" << c.h;
    }
}

TEST(ScreenScale, OfThisScreenIsCachedAndMatchesItsSize) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(s::system::getScreenScale(), s::system::screenScaleForSize(w, h));
    EXPECT_EQ(s::system::isScreenLarge(), s::system::isLargeScreenSize(w, h));
    EXPECT_EQ(s::system::isScreenAtLeast4K(), s::system::isAtLeast4KScreenSize(w, h));
    EXPECT_EQ(s::system::getScreenScale(), s::system::getScreenScale());
}

TEST(ScreenScale, OverrideAnswersUntilCleared) {
    const int32_t detected = s::system::getScreenScale();
    for (int32_t scale : {1, 2, 4}) {
        s::system::setScreenScaleOverride(scale);
        EXPECT_EQ(s::system::getScreenScale(), scale);
    }
    s::system::setScreenScaleOverride(3);  // not a scale: back to the detected one
    EXPECT_EQ(s::system::getScreenScale(), detected);
    s::system::setScreenScaleOverride(2);
    s::system::setScreenScaleOverride(0);
    EXPECT_EQ(s::system::getScreenScale(), detected);
}

TEST(Monitors, ListMatchesTheSystemAndGivesRectanglesAndWorkAreas) {
    const int32_t n = s::system::monitor::countMonitors();
    ASSERT_GE(n, 1);
    EXPECT_EQ(n, GetSystemMetrics(SM_CMONITORS));
    EXPECT_EQ(s::system::monitor::countMonitors(), n);  // the list is built once

    bool sawPrimary = false;
    for (int32_t i = 0; i < n; ++i) {
        auto* m = s::system::monitor::getMonitor(i);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->getIndex(), i);
        EXPECT_EQ(std::wstring(m->getDeviceName()).rfind(L"\\\\.\\", 0), 0u) << m->getDeviceName();
        EXPECT_GT(m->getMonitorWidth(), 0);
        EXPECT_GT(m->getMonitorHeight(), 0);
        // The work area lies inside the monitor.
        EXPECT_GE(m->getWorkLeft(), m->getMonitorLeft());
        EXPECT_GE(m->getWorkTop(), m->getMonitorTop());
        EXPECT_LE(m->getWorkLeft() + m->getWorkWidth(), m->getMonitorLeft() + m->getMonitorWidth());
        EXPECT_LE(m->getWorkTop() + m->getWorkHeight(), m->getMonitorTop() + m->getMonitorHeight());
        if (m->getMonitorLeft() == 0 && m->getMonitorTop() == 0) {
            sawPrimary = true;
            EXPECT_EQ(m->getMonitorWidth(), GetSystemMetrics(SM_CXSCREEN));
            EXPECT_EQ(m->getMonitorHeight(), GetSystemMetrics(SM_CYSCREEN));
            EXPECT_EQ(s::system::monitor::findMonitor(10, 10, 20, 20), m);
        }
    }
    EXPECT_TRUE(sawPrimary);
    EXPECT_EQ(s::system::monitor::getMonitor(n), nullptr);
    EXPECT_EQ(s::system::monitor::getMonitor(-1), nullptr);

    // The primary work area.
    RECT wa = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0));
    EXPECT_EQ(s::system::getWorkAreaLeft(), wa.left);
    EXPECT_EQ(s::system::getWorkAreaTop(), wa.top);
    EXPECT_EQ(s::system::getWorkAreaWidth(), wa.right - wa.left);
    EXPECT_EQ(s::system::getWorkAreaHeight(), wa.bottom - wa.top);
    EXPECT_GT(s::system::getWorkAreaWidth(), 0);
}

TEST(Monitors, ARectangleOffEveryScreenFindsTheNearest) {
    auto* nearest = s::system::monitor::findMonitor(-100000, -100000, 10, 10);
    ASSERT_NE(nearest, nullptr);
    RECT r = {-100000, -100000, -99990, -99990};
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(nearest->getMonitorLeft(), mi.rcMonitor.left);
    EXPECT_EQ(nearest->getMonitorTop(), mi.rcMonitor.top);
}

}  // namespace
