// The calling process's own memory and system objects: private bytes, GDI objects, USER
// objects and kernel handles, read in-process (the counters of another process are not
// answered under Wine).
//
// Under Wine GetProcessMemoryInfo and GetProcessHandleCount answer 0 for this process too:
// the private bytes are then the committed private pages VirtualQuery walks, and the
// handles those values (multiples of 4) GetHandleInformation knows.
// GetGuiResources answers 0 under Wine (a stub). There the objects are counted by probing
// handle values, which is sound because of how Wine makes them:
// - a GDI object's handle is its index in the process's own GDI handle table, with a
//   generation in the high word; a handle of the index alone (high word 0) names whatever
//   object lives at that index, so GetObjectType over every 16-bit index finds each live
//   object of the process once;
// - a USER object's handle is 0x20 + 2 x its index in the table of the window system, a
//   generation in the high word, and again the index alone names the object. The table is
//   shared by every process: a window counts when it belongs to this process, and a menu
//   or an icon (cursor) answers only in the process that made it.
// checkObjectCounters proves the probes on this system before a run: made objects must be
// counted and deleted ones no more.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>

namespace testsupport {

struct ProcessCounters {
    SIZE_T privateBytes = 0;
    DWORD gdi = 0, user = 0, handles = 0;
    bool operator==(const ProcessCounters& o) const {
        return privateBytes == o.privateBytes && gdi == o.gdi && user == o.user && handles == o.handles;
    }
};

inline bool gdiAnswered() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0; }

inline const char* objectCountSource() {
    return gdiAnswered() ? "from GetGuiResources" : "counted by probing the handle tables";
}

inline DWORD probeGdiObjects() {
    DWORD n = 0;
    for (uintptr_t i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
    return n;
}

inline bool isOwnIcon(HANDLE h) {
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(h), &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

inline DWORD probeUserObjects() {
    const DWORD self = GetCurrentProcessId();
    DWORD n = 0;
    for (uintptr_t i = 0x20; i < 0x10000; i += 2) {
        HANDLE h = reinterpret_cast<HANDLE>(i);
        if (IsWindow(static_cast<HWND>(h))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(static_cast<HWND>(h), &owner);
            if (owner == self) ++n;
        } else if (IsMenu(static_cast<HMENU>(h)) || isOwnIcon(h)) {
            ++n;
        }
    }
    return n;
}

// Private bytes, where GetProcessMemoryInfo answers 0 (Wine): the committed private pages
// of the address space, walked with VirtualQuery.
inline SIZE_T committedPrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    for (const char* p = nullptr; VirtualQuery(p, &mbi, sizeof mbi) == sizeof mbi;) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
        const char* next = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p) break;
        p = next;
    }
    return total;
}

// Kernel handles, where GetProcessHandleCount answers 0 (Wine): every value a handle can
// take (multiples of 4, the first 8192 of them: a process holds far fewer, given out from
// the lowest free value) asked for its flags, which only a live handle has.
inline DWORD probeHandles() {
    DWORD n = 0;
    for (uintptr_t i = 4; i < 0x8000; i += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(i), &flags)) ++n;
    }
    return n;
}

inline ProcessCounters readCounters() {
    ProcessCounters c;
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc))
        c.privateBytes = pmc.PrivateUsage;
    if (c.privateBytes == 0) c.privateBytes = committedPrivateBytes();
    if (!GetProcessHandleCount(GetCurrentProcess(), &c.handles) || c.handles == 0) c.handles = probeHandles();
    if (gdiAnswered()) {
        c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    } else {
        c.gdi = probeGdiObjects();
        c.user = probeUserObjects();
    }
    return c;
}

// Reads until two readings 40 ms apart agree (for at most about 2 s): a process settles
// after a step.
inline ProcessCounters settledCounters() {
    ProcessCounters last = readCounters();
    for (int i = 0; i < 50; ++i) {
        Sleep(40);
        const ProcessCounters now = readCounters();
        if (now == last) return now;
        last = now;
    }
    return last;
}

// Makes and deletes a few objects of each kind and checks that the counts follow; prints
// what failed.
inline bool checkObjectCounters() {
    const ProcessCounters before = readCounters();
    HBRUSH brushes[3];
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 4, 4, nullptr, nullptr, nullptr, nullptr);
    BYTE bits[32 * 4] = {};
    HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits);
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const ProcessCounters made = readCounters();
    for (HBRUSH b : brushes) DeleteObject(b);
    DestroyMenu(menu);
    DestroyWindow(window);
    DestroyIcon(icon);
    CloseHandle(event);
    const ProcessCounters gone = readCounters();
    // An icon holds its two bitmaps in GDI, and the first window of a thread brings a window
    // of the input method that stays: the brushes, the menu, window and icon and the event
    // are counted at least, and gone again.
    const bool ok = made.gdi >= before.gdi + 3 && made.user >= before.user + 3 && made.handles == before.handles + 1 &&
                    gone.gdi <= made.gdi - 3 && gone.user <= made.user - 3 && gone.handles == before.handles;
    std::printf(
        "object counters (%s): GDI %lu/%lu/%lu, USER %lu/%lu/%lu, handles %lu/%lu/%lu"
        " (before/made/deleted): %s\n",
        objectCountSource(), before.gdi, made.gdi, gone.gdi, before.user, made.user, gone.user, before.handles,
        made.handles, gone.handles, ok ? "sound" : "NOT SOUND");
    return ok;
}

}  // namespace testsupport
