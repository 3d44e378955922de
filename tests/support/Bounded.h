// Test support for hostile inputs: the fixture files, and the peak memory and time a
// read took. Each test runs in a process of its own, so the process's peak working set
// is what that test's reads needed.
//
//   Stopwatch watch;
//   read(hostileFixture("big.gif"));
//   EXPECT_LT(peakWorkingSetBytes(), kMemoryBound);
//   EXPECT_LT(watch.elapsedMs(), kTimeBoundMs);
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <string>

#include "support/HostTool.h"

namespace testsupport {

// No file under 1 MB may make a reader use more memory than this, or more time. The time
// is wall-clock time on a machine busy with the other tests (a 4096 x 4096 picture takes
// about 1 s to read here when alone); a reader that loops or decodes a picture again for
// every entry that names it takes many times longer.
constexpr uint64_t kMemoryBound = 1ull << 30;
constexpr double kTimeBoundMs = 5000;

// The Windows path of a file in tests/fixtures/hostile.
inline std::wstring hostileFixture(const std::string& name) {
    return winPath(sourceDir() + "/tests/fixtures/hostile/" + name);
}

// A test name made of a fixture's file name ("big.gif" -> "big_gif").
inline std::string fixtureTestName(const char* file) {
    std::string name = file;
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    return name;
}

inline uint64_t peakWorkingSetBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return UINT64_MAX;
    // Committed memory too, where the system counts it: memory a reader takes but has
    // not touched yet is still taken.
    const uint64_t touched = counters.PeakWorkingSetSize;
    const uint64_t committed = counters.PeakPagefileUsage;
    return touched > committed ? touched : committed;
}

// The processor time this process spent (every thread), from construction on: a
// machine busy with other work does not stretch it the way it stretches wall time.
class Stopwatch {
public:
    Stopwatch() : start_(cpuMs()) {}
    double elapsedMs() const { return cpuMs() - start_; }

private:
    static double cpuMs() {
        FILETIME created, exited, kernel, user;
        if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
        auto ms = [](const FILETIME& f) { return double(uint64_t(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e4; };
        return ms(kernel) + ms(user);
    }
    double start_;
};

}  // namespace testsupport
