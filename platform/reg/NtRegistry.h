// The process-wide layer under the registry keys: the ntdll key entry points, the
// native paths of the registry roots, the current user's root from the SID of the
// process token, and status codes turned into message texts.
#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::system::win {

// The ntdll entry points the keys use; every pointer is null until resolved.
struct NtRegistryApi {
    using OpenKeyFn = long(__stdcall*)(void** key, uint32_t access, void* attributes);
    using CreateKeyFn = long(__stdcall*)(void** key, uint32_t access, void* attributes, uint32_t titleIndex,
                                         void* keyClass, uint32_t options, uint32_t* disposition);
    using HandleFn = long(__stdcall*)(void* key);
    using RenameKeyFn = long(__stdcall*)(void* key, void* newName);
    using EnumerateFn = long(__stdcall*)(void* key, uint32_t index, int infoClass, void* info, uint32_t length,
                                         uint32_t* resultLength);
    using QueryValueFn = long(__stdcall*)(void* key, void* name, int infoClass, void* info, uint32_t length,
                                          uint32_t* resultLength);
    using SetValueFn = long(__stdcall*)(void* key, void* name, uint32_t titleIndex, uint32_t type, const void* data,
                                        uint32_t size);
    using DeleteValueFn = long(__stdcall*)(void* key, void* name);
    using InitStringFn = void(__stdcall*)(void* counted, const wchar_t* text);

    OpenKeyFn openKey = nullptr;
    CreateKeyFn createKey = nullptr;
    HandleFn close = nullptr;
    HandleFn flushKey = nullptr;
    HandleFn deleteKey = nullptr;
    RenameKeyFn renameKey = nullptr;
    EnumerateFn enumerateKey = nullptr;
    QueryValueFn queryValueKey = nullptr;
    SetValueFn setValueKey = nullptr;
    EnumerateFn enumerateValueKey = nullptr;
    DeleteValueFn deleteValueKey = nullptr;
    InitStringFn initUnicodeString = nullptr;
};

// Status a key operation answers when the native layer is not usable.
constexpr long kStatusNotReady = long(0xC0000002);  // STATUS_NOT_IMPLEMENTED

class NtRegistry {
public:
    // Resolves the entry points and the current user's root, once per process (later
    // calls answer the first result). True when every entry point the keys need was
    // found and the current user's SID was read. NtRenameKey is optional: without it
    // only renaming fails.
    static bool initialize();
    // The entry points; null when initialisation has not run or did not find them all.
    static const NtRegistryApi* api();

    // Reads the SID of the process token into userSidText. False on any failure (the
    // text then reads "Error" and the current user's root stays unusable).
    static bool loadUserSid();
    // The same for a given token handle (for tests of the failure path).
    static bool loadUserSidFromToken(void* token);
    // Writes the SID as "S-1-..." text; size is the buffer size in bytes, in and out.
    static bool sidToText(void* sid, wchar_t* text, uint32_t* size);
    // "Error( code [0xXXXXXXXXL] ) - text" into out (replaced), or a new pooled string.
    static str::strbuffer::StrBuffer* errorText(uint32_t code, str::strbuffer::StrBuffer* out = nullptr);
    // Reports an error: a message box, or the sink set below.
    static void showError(const wchar_t* text);
    using ErrorSink = void (*)(const wchar_t* text);
    // Replaces the message box by a function (null restores the message box).
    static void setErrorSink(ErrorSink sink);

    // Appends a system message of n units without its line end (a text shorter than the
    // line end is kept as it is).
    static void appendMessage(str::strbuffer::StrBuffer* out, const wchar_t* message, uint32_t n);
    // Makes api() answer null (on) or the resolved entry points again (off), so that the
    // behaviour without the native layer can be tried.
    static void simulateUnavailable(bool on);

    static const wchar_t* userSidText();
    static uint32_t lastError();

    // Root name and native path of one of the five registry roots (by HKEY value);
    // null for any other value. The current user's native path is empty while the
    // user's SID is unknown, so no key under it opens.
    static const wchar_t* rootName(uintptr_t root);
    static const wchar_t* nativeRoot(uintptr_t root);
};

}  // namespace s::system::win
