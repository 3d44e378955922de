#include "platform/system/OsVersion.h"

#include <windows.h>

#include "foundation/thread/Pool.h"

namespace s::system {

namespace {

thread::ObjLocker* factsLock() {
    static thread::ObjLocker* lock = new thread::ObjLocker();
    return lock;
}

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

OsVersionFacts& osVersionFacts() {
    static OsVersionFacts facts;
    return facts;
}

void deriveOsVersionFacts(OsVersionFacts& facts, int32_t major, int32_t minor, uint32_t platformId) {
    facts.major = major;
    facts.minor = minor;
    facts.isNt = platformId == VER_PLATFORM_WIN32_NT;
    facts.isVistaOrLater = major >= 6;
    facts.isWin7OrLater = major > 6 || (major == 6 && minor > 0);
    facts.isWin10OrLater = major > 9;
}

void probeOsVersion() {
    OsVersionFacts& facts = osVersionFacts();
    thread::ObjLocker::Guard guard(factsLock());
    if (facts.probed.load(std::memory_order_acquire)) return;

    // RtlGetVersion reports the real version whatever compatibility layer is applied.
    OSVERSIONINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        ZeroMemory(&info, sizeof(info));
        info.dwOSVersionInfoSize = sizeof(info);
    }
    if (info.dwMajorVersion == 0 && info.dwMinorVersion == 0 && info.dwBuildNumber == 0) {
        ZeroMemory(&info, sizeof(info));
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExW(&info);
#pragma GCC diagnostic pop
    }
    deriveOsVersionFacts(facts, int32_t(info.dwMajorVersion), int32_t(info.dwMinorVersion), info.dwPlatformId);
    facts.probed.store(true, std::memory_order_release);
}

const OsVersionFacts& osVersion() {
    OsVersionFacts& facts = osVersionFacts();
    if (!facts.probed.load(std::memory_order_acquire)) probeOsVersion();
    return facts;
}

}  // namespace s::system
