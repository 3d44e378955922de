// The Windows version facts the program branches on, probed once per process.
#pragma once

#include <atomic>
#include <cstdint>

namespace s::system {

struct OsVersionFacts {
    int32_t major = 0;
    int32_t minor = 0;
    bool isNt = false;            // platform id VER_PLATFORM_WIN32_NT
    bool isVistaOrLater = false;  // 6.0 or later
    bool isWin7OrLater = false;   // 6.1 or later
    bool isWin10OrLater = false;  // 10 or later
    std::atomic<bool> probed{false};
};

// The process-wide record. Readers test probed first and call probeOsVersion when
// it is clear (osVersion() does both).
OsVersionFacts& osVersionFacts();

// Fills the record once (RtlGetVersion, falling back on GetVersionExW when that gives
// nothing); concurrent first callers probe once.
void probeOsVersion();

// The probed record.
const OsVersionFacts& osVersion();

// Derives the facts from a version number and platform id (the rule the probe uses).
void deriveOsVersionFacts(OsVersionFacts& facts, int32_t major, int32_t minor, uint32_t platformId);

}  // namespace s::system
