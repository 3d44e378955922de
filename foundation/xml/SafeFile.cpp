#include "foundation/xml/SafeFile.h"

#include <windows.h>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

namespace s::xml {

namespace {

// Releases a pooled string at the end of a scope.
struct StrHolder {
    StrBuffer* s;
    ~StrHolder() {
        if (s) s->release();
    }
};

bool isFolder(const wchar_t* path) {
    DWORD a = GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder and any missing ancestors. depth bounds the walk up.
bool ensureFolder(StrBuffer* folder, int depth) {
    const wchar_t* path = folder->text();
    if (isFolder(path)) return true;
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || depth > 64) return false;  // a file is in the way
    uint32_t slash;
    if (folder->lastIndexOfAny(L"\\/", 2, &slash) && slash > 0) {
        StrHolder parent{folder->substring(0, slash)};
        if (!parent.s || !ensureFolder(parent.s, depth + 1)) return false;
    }
    return CreateDirectoryW(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool writeAll(HANDLE h, const void* data, uint32_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        DWORD chunk = size > (1u << 20) ? (1u << 20) : size;
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr) || written == 0) return false;
        p += written;
        size -= written;
    }
    return true;
}

}  // namespace

ArrayU08* readWholeFile(const wchar_t* path) {
    if (!path || !*path) return nullptr;
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    ArrayU08* bytes = nullptr;
    LARGE_INTEGER size;
    if (GetFileSizeEx(h, &size) && size.QuadPart >= 0 && size.QuadPart <= kMaxFileBytes) {
        bytes = ArrayU08::create();
        uint32_t total = 0;
        if (bytes && bytes->setCount(uint32_t(size.QuadPart))) {
            while (total < bytes->count()) {
                DWORD got = 0;
                if (!ReadFile(h, bytes->items() + total, bytes->count() - total, &got, nullptr)) {
                    bytes->release();
                    bytes = nullptr;
                    break;
                }
                if (got == 0) break;  // the file shrank meanwhile
                total += got;
            }
            if (bytes) bytes->setCount(total);
        } else if (bytes) {
            bytes->release();
            bytes = nullptr;
        }
    }
    CloseHandle(h);
    return bytes;
}

bool replaceFileSafely(const wchar_t* path, const void* data, uint32_t size) {
    if (!path || !*path) return false;
    DWORD need = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (need == 0) return false;
    StrHolder full{StrBuffer::create()};
    if (!full.s || !full.s->reserve(need + 1)) return false;
    DWORD len = GetFullPathNameW(path, need + 1, full.s->data(), nullptr);
    if (len == 0 || len > need) return false;
    full.s->setLength(len);
    uint32_t slash;
    if (!full.s->lastIndexOfAny(L"\\/", 2, &slash) || slash + 1 == len) return false;
    StrHolder folder{full.s->substring(0, slash)};
    if (!folder.s || !ensureFolder(folder.s, 0)) return false;
    if (isFolder(full.s->text())) return false;

    // A name of our own beside the target, so the rename stays on one volume.
    static volatile LONG counter = 0;
    StrHolder temp{StrBuffer::create()};
    if (!temp.s) return false;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        wchar_t suffix[48];
        wsprintfW(suffix, L".%lx-%lx.tmp", GetCurrentProcessId(), DWORD(InterlockedIncrement(&counter)));
        temp.s->setStr(full.s);
        temp.s->append(suffix);
        h = CreateFileW(temp.s->text(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(h, data, size) && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    ok = ok && MoveFileExW(temp.s->text(), full.s->text(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.s->text());
    return ok;
}

}  // namespace s::xml
