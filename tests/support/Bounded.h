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

// No file under 1 MB may make a reader use more than this, or take longer.
constexpr uint64_t kMemoryBound = 1ull << 30;
constexpr double kTimeBoundMs = 2000;

// The Windows path of a file in tests/fixtures/hostile.
inline std::wstring hostileFixture(const std::string& name) {
    return winPath(sourceDir() + "/tests/fixtures/hostile/" + name);
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

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double elapsedMs() const {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - start_.QuadPart) * 1000.0 / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

}  // namespace testsupport
