#include "platform/reg/NtRegistry.h"

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <mutex>

#include "foundation/str/StrBuffer.h"
#include "platform/system/Library.h"
#include "platform/system/OsVersion.h"

namespace s::system::win {

using str::strbuffer::StrBuffer;

namespace {

struct RootEntry {
    uint32_t value;
    const wchar_t* name;
    wchar_t native[200];
};

// The current user's native path stays empty until the user's SID is known, so that a
// key under the current user can never land in another hive.
RootEntry g_roots[] = {
    {0x80000000u, L"HKEY_CLASSES_ROOT", L"\\Registry\\Machine\\SOFTWARE\\Classes"},
    {0x80000001u, L"HKEY_CURRENT_USER", L""},
    {0x80000002u, L"HKEY_LOCAL_MACHINE", L"\\Registry\\Machine"},
    {0x80000003u, L"HKEY_USERS", L"\\Registry\\User"},
    {0x80000005u, L"HKEY_CURRENT_CONFIG",
     L"\\Registry\\Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current"},
};

NtRegistryApi g_api;
std::atomic<const NtRegistryApi*> g_ready{nullptr};
std::once_flag g_once;
std::atomic<bool> g_unavailable{false};
bool g_initResult = false;
wchar_t g_sidText[256] = L"";
uint32_t g_lastError = 0;
std::atomic<NtRegistry::ErrorSink> g_sink{nullptr};

RootEntry* findRoot(uintptr_t root) {
    uint32_t v = uint32_t(root);
    if (uintptr_t(int64_t(int32_t(v))) != root) return nullptr;
    for (RootEntry& e : g_roots)
        if (e.value == v) return &e;
    return nullptr;
}

DllLocater& ntdll() {
    static DllLocater module(L"ntdll.dll");
    return module;
}

template <class Fn>
bool resolve(Fn& fn, const char* name) {
    fn = ntdll().entry<Fn>(name);
    return fn != nullptr;
}

void runInitialize() {
    const OsVersionFacts& facts = osVersion();
    if (!facts.isNt) return;
    if (!ntdll().isLoaded()) return;
    NtRegistryApi a;
    bool all = resolve(a.openKey, "NtOpenKey") & resolve(a.createKey, "NtCreateKey") & resolve(a.close, "NtClose") &
               resolve(a.flushKey, "NtFlushKey") & resolve(a.deleteKey, "NtDeleteKey") &
               resolve(a.enumerateKey, "NtEnumerateKey") & resolve(a.queryValueKey, "NtQueryValueKey") &
               resolve(a.setValueKey, "NtSetValueKey") & resolve(a.enumerateValueKey, "NtEnumerateValueKey") &
               resolve(a.deleteValueKey, "NtDeleteValueKey") & resolve(a.initUnicodeString, "RtlInitUnicodeString");
    resolve(a.renameKey, "NtRenameKey");  // optional: only renaming needs it
    if (!all) return;
    g_api = a;
    g_ready.store(&g_api);
    if (!NtRegistry::loadUserSid()) return;
    std::swprintf(g_roots[1].native, 200, L"\\Registry\\User\\%ls", g_sidText);
    g_initResult = true;
}

}  // namespace

bool NtRegistry::initialize() {
    std::call_once(g_once, runInitialize);
    return g_initResult;
}

const NtRegistryApi* NtRegistry::api() {
    initialize();
    return g_unavailable.load() ? nullptr : g_ready.load();
}

const wchar_t* NtRegistry::userSidText() { return g_sidText; }
uint32_t NtRegistry::lastError() { return g_lastError; }

const wchar_t* NtRegistry::rootName(uintptr_t root) {
    RootEntry* e = findRoot(root);
    return e ? e->name : nullptr;
}

const wchar_t* NtRegistry::nativeRoot(uintptr_t root) {
    initialize();
    RootEntry* e = findRoot(root);
    return e ? e->native : nullptr;
}

bool NtRegistry::loadUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        std::wcscpy(g_sidText, L"Error");
        g_lastError = GetLastError();
        StrBuffer* text = errorText(g_lastError);
        showError(text->text());
        text->release();
        return false;
    }
    bool ok = loadUserSidFromToken(token);
    CloseHandle(token);
    return ok;
}

bool NtRegistry::loadUserSidFromToken(void* token) {
    std::wcscpy(g_sidText, L"Error");
    auto fail = [](uint32_t code) {
        g_lastError = code;
        StrBuffer* text = errorText(code);
        if (text) {
            showError(text->text());
            text->release();
        }
        return false;
    };
    DWORD needed = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    if (needed == 0) return fail(GetLastError());
    void* info = HeapAlloc(GetProcessHeap(), 0, needed);
    if (!info) return fail(ERROR_NOT_ENOUGH_MEMORY);
    if (!GetTokenInformation(token, TokenUser, info, needed, &needed)) {
        uint32_t code = GetLastError();
        HeapFree(GetProcessHeap(), 0, info);
        return fail(code);
    }
    wchar_t text[128];
    uint32_t size = sizeof text;
    bool ok = sidToText(static_cast<TOKEN_USER*>(info)->User.Sid, text, &size);
    uint32_t code = ok ? 0 : GetLastError();
    HeapFree(GetProcessHeap(), 0, info);
    if (!ok) return fail(code);
    std::wcscpy(g_sidText, text);
    g_lastError = 0;
    return true;
}

bool NtRegistry::sidToText(void* sid, wchar_t* text, uint32_t* size) {
    if (!sid || !size || !IsValidSid(sid)) return false;
    uint32_t subCount = *GetSidSubAuthorityCount(sid);
    uint32_t required = subCount * 24 + 56;
    if (*size < required || !text) {
        *size = required;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    size_t cap = *size / sizeof(wchar_t);
    int n = std::swprintf(text, cap, L"S-%lu-", 1ul);
    const SID_IDENTIFIER_AUTHORITY* auth = GetSidIdentifierAuthority(sid);
    const BYTE* v = auth->Value;
    if (v[0] != 0 || v[1] != 0) {
        n += std::swprintf(text + n, cap - n, L"0x%02hx%02hx%02hx%02hx%02hx%02hx", (unsigned short)v[0],
                           (unsigned short)v[1], (unsigned short)v[2], (unsigned short)v[3], (unsigned short)v[4],
                           (unsigned short)v[5]);
    } else {
        unsigned long a = (unsigned long)v[5] | ((unsigned long)v[4] << 8) | ((unsigned long)v[3] << 16) |
                          ((unsigned long)v[2] << 24);
        n += std::swprintf(text + n, cap - n, L"%lu", a);
    }
    for (uint32_t i = 0; i < subCount; ++i)
        n += std::swprintf(text + n, cap - n, L"-%lu", (unsigned long)*GetSidSubAuthority(sid, i));
    return true;
}

StrBuffer* NtRegistry::errorText(uint32_t code, StrBuffer* out) {
    if (!out) out = StrBuffer::create();
    if (!out) return nullptr;
    wchar_t head[64];
    std::swprintf(head, 64, L"Error( %u [0x%8XL] ) - ", code, code);
    out->setText(head);
    HMODULE module = LoadLibraryW(L"NTDLL.DLL");
    wchar_t* message = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM,
                             module, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (n > 0 && message) {
        appendMessage(out, message, n);
    } else {
        out->appendText(L"No NT Error Data was returned??");
    }
    if (message) LocalFree(message);
    if (module) FreeLibrary(module);
    return out;
}

void NtRegistry::appendMessage(StrBuffer* out, const wchar_t* message, uint32_t n) {
    if (!out || !message) return;
    // Drop the last two units only when they are the line end.
    uint32_t keep = n >= 2 ? n - 2 : 0;
    while (keep < n && message[keep] != L'\r' && message[keep] != L'\n') ++keep;
    out->append(message, int32_t(keep));
}

void NtRegistry::simulateUnavailable(bool on) {
    initialize();
    g_unavailable.store(on);
}

void NtRegistry::setErrorSink(ErrorSink sink) { g_sink.store(sink); }

void NtRegistry::showError(const wchar_t* text) {
    if (ErrorSink sink = g_sink.load()) {
        sink(text);
        return;
    }
    MessageBoxW(nullptr, text, L"CNtRegistry: Message...", MB_ICONERROR);
}

}  // namespace s::system::win
