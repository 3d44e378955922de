#include "platform/process/Process.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/file/PathWin.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"

namespace s::process {

using file::win::PathWin;
using str::strbuffer::StrBuffer;

namespace {

bool sameTextIgnoreCase(StrBuffer* a, const wchar_t* b) { return b && a->length() == wcslen(b) && a->equalsText(b); }

// The title begins the caption, ignoring case (ASCII letters folded).
bool captionStartsWith(const wchar_t* caption, const wchar_t* title) {
    for (; *title; ++title, ++caption) {
        if (!*caption) return false;
        if (StrBuffer::foldLower(*caption) != StrBuffer::foldLower(*title)) return false;
    }
    return true;
}

// One of the library's top-level windows that can stand for its program: our class,
// not the hidden tool window that owns the others.
bool isInstanceWindow(HWND window) {
    wchar_t cls[64];
    if (!GetClassNameW(window, cls, 64) || lstrcmpiW(cls, kInstanceWindowClass) != 0) return false;
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_TOOLWINDOW) && !IsWindowVisible(window)) return false;
    return true;
}

}  // namespace

PathWin* getModulePath() {
    wchar_t name[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, name, MAX_PATH);
    name[n < MAX_PATH ? n : 0] = 0;
    return PathWin::fromString(name);
}

StrBuffer* getProcessImageFileName(uint32_t processId) {
    StrBuffer* out = StrBuffer::create();
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return out;
    wchar_t name[MAX_PATH + 1];
    DWORD n = GetProcessImageFileNameW(process, name, MAX_PATH);
    if (n > 0 && n <= MAX_PATH) out->assign(name, int32_t(n));
    CloseHandle(process);
    return out;
}

StrBuffer* getProcessImagePath(uint32_t processId) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snap == INVALID_HANDLE_VALUE) return getProcessImageFileName(processId);
    StrBuffer* out = StrBuffer::create();
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (Module32FirstW(snap, &entry)) out->setText(entry.szExePath);
    CloseHandle(snap);
    return out;
}

bool findOtherInstance(uint32_t* processId) {
    PathWin* own = getModulePath();
    bool found = false;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap != INVALID_HANDLE_VALUE) {
        DWORD self = GetCurrentProcessId();
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snap, &entry); more && !found; more = Process32NextW(snap, &entry)) {
            if (entry.th32ProcessID == 0 || entry.th32ProcessID == self) continue;
            StrBuffer* image = getProcessImagePath(entry.th32ProcessID);
            if (sameTextIgnoreCase(image, own->getFullPath())) {
                if (processId) *processId = entry.th32ProcessID;
                found = true;
            }
            image->release();
        }
        CloseHandle(snap);
    }
    own->release();
    return found;
}

int __stdcall FindInstanceWindowProc(HWND window, intptr_t lParam) {
    auto* record = reinterpret_cast<InstanceSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    StrBuffer* image = getProcessImagePath(pid);
    bool same = sameTextIgnoreCase(image, record->text);
    image->release();
    if (!same) return TRUE;
    record->processId = pid;
    record->window = window;
    return FALSE;
}

namespace {

bool searchDesktop(HDESK desktop, InstanceSearch* record) {
    PathWin* own = getModulePath();
    record->processId = GetCurrentProcessId();
    record->window = nullptr;
    record->text = own->getFullPath();
    EnumDesktopWindows(desktop, reinterpret_cast<WNDENUMPROC>(&FindInstanceWindowProc), LPARAM(record));
    record->text = nullptr;
    own->release();
    return record->window != nullptr;
}

}  // namespace

bool hasOtherInstanceWindow() {
    InstanceSearch record;
    return searchDesktop(GetThreadDesktop(GetCurrentThreadId()), &record);
}

bool signalOtherInstanceOnDesktop(HDESK desktop, lang::Localizer* localizer, int32_t textId, bool also) {
    InstanceSearch record;
    if (!searchDesktop(desktop, &record)) return false;
    signalInstance(record.processId, localizer, textId, also);
    return true;
}

int32_t signalInstance(uint32_t processId, lang::Localizer* localizer, int32_t textId, bool also) {
    if (!localizer) {
        int32_t result = sendToProcessWindow(processId, kActivateRequest, nullptr);
        if (also) result = sendToProcessWindow(processId, kInstanceMessage, nullptr);
        return result;
    }
    uint32_t packs = localizer->getPackCount();
    for (uint32_t i = 0; i < packs; ++i) {
        const wchar_t* caption = localizer->getPackAt(i)->getText(textId);
        sendToProcessWindow(processId, kActivateRequest, caption);
        if (also) sendToProcessWindow(processId, kInstanceMessage, caption);
    }
    return int32_t(packs);
}

int __stdcall FindProcessWindowProc(HWND window, intptr_t lParam) {
    auto* record = reinterpret_cast<InstanceSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != record->processId) return TRUE;
    wchar_t title[512];
    int n = GetWindowTextW(window, title, 512);
    if (n <= 0) return TRUE;
    title[n] = 0;
    if (record->text && !captionStartsWith(record->text, title)) return TRUE;
    if (!isInstanceWindow(window)) return TRUE;
    record->window = window;
    return FALSE;
}

int32_t sendToProcessWindow(uint32_t processId, uint32_t message, const wchar_t* caption) {
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (process) {
        WaitForInputIdle(process, kInputIdleTimeoutMs);
        CloseHandle(process);
    }
    InstanceSearch record;
    record.processId = processId;
    record.text = caption;
    EnumWindows(reinterpret_cast<WNDENUMPROC>(&FindProcessWindowProc), LPARAM(&record));
    if (!record.window) return 0;
    DWORD_PTR answer = 0;
    return int32_t(SendMessageTimeoutW(record.window, message, 0, 0,
                                       SMTO_BLOCK | SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, kSendTimeoutMs,
                                       &answer) != 0);
}

}  // namespace s::process
