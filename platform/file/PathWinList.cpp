// Path objects: folder listings (names, paths, folders, files, flat or recursive), the
// neighbouring file of a folder, wildcard listings and NTFS alternate data streams.
// Every folder listing follows the user's Explorer settings for hidden and protected
// system files unless hidden entries are asked for.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include <atomic>

#include "foundation/col/Array.h"
#include "foundation/comp/Comparator.h"
#include "foundation/str/StrArray.h"
#include "platform/file/PathWin.h"
#include "platform/reg/RegDir.h"

namespace s::file {

namespace {

constexpr const wchar_t* kExplorerSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
std::atomic<const wchar_t*> explorerSettings{kExplorerSettings};

// Reads one DWORD of Explorer's advanced settings, with its default when absent.
DWORD readExplorerFlag(const wchar_t* name, DWORD fallback) {
    reg::win::RegDir* key = reg::win::RegDir::fromPath(reg::kCurrentUser, explorerSettings.load());
    if (!key) return fallback;
    DWORD value = key->getU32(name, fallback);
    key->release();
    return value;
}

thread::ObjLocker& hiddenLock() {
    static thread::ObjLocker* lock = new thread::ObjLocker();
    return *lock;
}

thread::ObjLocker& systemLock() {
    static thread::ObjLocker* lock = new thread::ObjLocker();
    return *lock;
}

}  // namespace

void setExplorerSettingsKey(const wchar_t* subKey) { explorerSettings = subKey ? subKey : kExplorerSettings; }

bool showHiddenFiles() {
    thread::ObjLocker::Guard guard(hiddenLock());
    return readExplorerFlag(L"Hidden", 1) != 2;
}

bool showSystemFiles() {
    thread::ObjLocker::Guard guard(systemLock());
    return readExplorerFlag(L"ShowSuperHidden", 0) != 0;
}

// ---- ntdll entry points and the backup privilege ------------------------------------------

namespace {

struct IoStatusBlock {
    union {
        LONG status;
        void* pointer;
    };
    ULONG_PTR information;
};

using NtQueryInformationFileFn = LONG(WINAPI*)(HANDLE, IoStatusBlock*, void*, ULONG, int);
using NtFsControlFileFn = LONG(WINAPI*)(HANDLE, HANDLE, void*, void*, IoStatusBlock*, ULONG, void*, ULONG, void*,
                                        ULONG);
using RtlNtStatusToDosErrorFn = ULONG(WINAPI*)(LONG);

struct NtFileApi {
    bool loaded = false;
    NtFsControlFileFn fsControl = nullptr;
    NtQueryInformationFileFn queryInformation = nullptr;
    RtlNtStatusToDosErrorFn statusToError = nullptr;
};

NtFileApi& ntApi() {
    static NtFileApi api = [] {
        NtFileApi a;
        if (GetVersion() & 0x80000000u) return a;  // not NT
        HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
        if (!ntdll) return a;
        a.fsControl =
            reinterpret_cast<NtFsControlFileFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtFsControlFile")));
        a.queryInformation = reinterpret_cast<NtQueryInformationFileFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")));
        a.statusToError = reinterpret_cast<RtlNtStatusToDosErrorFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
        a.loaded = a.fsControl && a.queryInformation && a.statusToError;
        return a;
    }();
    return api;
}

}  // namespace

bool loadNtFileApi() { return ntApi().loaded; }

bool enableBackupPrivilege() {
    static const bool answer = [] {
        const bool loaded = loadNtFileApi();
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
            TOKEN_PRIVILEGES privileges;
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            if (LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &privileges.Privileges[0].Luid))
                AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
            CloseHandle(token);
        }
        return loaded;
    }();
    return answer;
}

}  // namespace s::file

namespace s::file::win {

namespace {

// Root of the Windows folder's volume, e.g. "C:\" (found once).
const wchar_t* systemRoot() {
    struct Root {
        wchar_t text[4] = {0};
        Root() {
            wchar_t folder[MAX_PATH];
            UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
            if (n >= 3 && n < MAX_PATH) {
                text[0] = folder[0];
                text[1] = folder[1];
                text[2] = L'\\';
            }
        }
    };
    static const Root root;
    return root.text;
}

bool isDotEntry(const wchar_t* n) { return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0)); }

// Which entries a listing shows; the Explorer settings are read once per listing.
class EntryFilter {
public:
    EntryFilter(PathWin* folder, bool includeHidden, bool includeLinks)
        : includeHidden_(includeHidden), includeLinks_(includeLinks) {
        if (includeHidden) return;
        showHidden_ = showHiddenFiles();
        showSystem_ = showSystemFiles();
        guardBoot_ =
            (!showHidden_ || !showSystem_) && systemRoot()[0] && _wcsicmp(folder->getRoot(), systemRoot()) == 0;
    }

    bool pass(const WIN32_FIND_DATAW& fd) const {
        if (isDotEntry(fd.cFileName)) return false;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !includeLinks_) return false;
        if (includeHidden_) return true;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !showHidden_) return false;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) && !showSystem_) return false;
        if (guardBoot_ && (_wcsicmp(fd.cFileName, L"AUTOEXEC.BAT") == 0 || _wcsicmp(fd.cFileName, L"CONFIG.SYS") == 0))
            return false;
        return true;
    }

private:
    bool includeHidden_;
    bool includeLinks_;
    bool showHidden_ = true;
    bool showSystem_ = true;
    bool guardBoot_ = false;
};

// FindFirstFileW / FindNextFileW over one pattern.
class FindScan {
public:
    explicit FindScan(const wchar_t* pattern) { handle_ = FindFirstFileW(pattern, &data_); }
    ~FindScan() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FindScan(const FindScan&) = delete;
    FindScan& operator=(const FindScan&) = delete;
    // The first call yields the first entry.
    bool next() {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        if (first_) {
            first_ = false;
            return true;
        }
        return FindNextFileW(handle_, &data_) != 0;
    }
    const WIN32_FIND_DATAW& data() const { return data_; }
    bool isFolder() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool isLink() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

private:
    HANDLE handle_;
    WIN32_FIND_DATAW data_;
    bool first_ = true;
};

StrBuffer* folderPattern(PathWin* folder) { return StrBuffer::fromConcat(folder->getLongPath(), L"\\*"); }

}  // namespace

// ---- the folder walk ----------------------------------------------------------------------

void PathWin::walk(Kind kind, bool includeHidden, bool recurse, bool includeLinks, ArrayP* out) {
    EntryFilter filter(this, includeHidden, includeLinks);
    StrBuffer* pattern = folderPattern(this);
    FindScan scan(pattern->text());
    pattern->release();
    while (scan.next()) {
        if (!filter.pass(scan.data())) continue;
        const bool folder = scan.isFolder();
        const bool enter = recurse && folder && !scan.isLink();
        if (kind == Kind::Folders && !folder) continue;
        if (kind == Kind::Files && folder) {
            if (enter) {
                PathWin* child = getChild(scan.data().cFileName);
                child->walk(kind, includeHidden, recurse, includeLinks, out);
                child->release();
            }
            continue;
        }
        PathWin* child = getChild(scan.data().cFileName);
        out->push(static_cast<IPath*>(child));
        if (enter) child->walk(kind, includeHidden, recurse, includeLinks, out);
    }
}

ArrayP* PathWin::listEntriesForRemoval() {
    ArrayP* out = newPathList();
    walk(Kind::All, true, false, true, out);
    return out;
}

ArrayP* PathWin::listPaths(bool includeHidden, bool recurse, ArrayP* out) {
    if (!out) out = newPathList();
    walk(Kind::All, includeHidden, recurse, false, out);
    return out;
}

ArrayP* PathWin::listFolders(bool includeHidden, bool recurse, ArrayP* out) {
    if (!out) out = newPathList();
    walk(Kind::Folders, includeHidden, recurse, false, out);
    return out;
}

ArrayP* PathWin::listFiles(bool includeHidden, bool recurse, ArrayP* out) {
    if (!out) out = newPathList();
    walk(Kind::Files, includeHidden, recurse, false, out);
    return out;
}

bool PathWin::hasChildren(bool includeHidden) {
    EntryFilter filter(this, includeHidden, false);
    StrBuffer* pattern = folderPattern(this);
    FindScan scan(pattern->text());
    pattern->release();
    while (scan.next())
        if (filter.pass(scan.data())) return true;
    return false;
}

StrArray* PathWin::names(Kind kind, bool fullPaths, bool includeHidden) {
    StrArray* list = StrArray::create();
    EntryFilter filter(this, includeHidden, false);
    StrBuffer* pattern = folderPattern(this);
    FindScan scan(pattern->text());
    pattern->release();
    while (scan.next()) {
        if (!filter.pass(scan.data())) continue;
        if ((kind == Kind::Folders && !scan.isFolder()) || (kind == Kind::Files && scan.isFolder())) continue;
        StrBuffer* name = StrBuffer::create();
        if (fullPaths) name->appendStr(&full_)->appendChar(L'\\');
        name->append(scan.data().cFileName);
        list->push(name);
    }
    return list;
}

StrArray* PathWin::listNames(bool fullPaths, bool includeHidden) { return names(Kind::All, fullPaths, includeHidden); }

StrArray* PathWin::listFolderNames(bool fullPaths, bool includeHidden) {
    return names(Kind::Folders, fullPaths, includeHidden);
}

StrArray* PathWin::listFileNames(bool fullPaths, bool includeHidden) {
    return names(Kind::Files, fullPaths, includeHidden);
}

// ---- the neighbouring file -----------------------------------------------------------------

PathWin* PathWin::nextInFolder(bool forward, const StrArray* extensions, bool sort, bool wrap) {
    PathWin* parent = getParent();
    StrBuffer* own = getFileName(nullptr, false);
    StrArray* list = parent->listNames(false, false);
    if (sort && list->count() > 1) {
        comp::sortAscending(
            static_cast<void**>(list->items().data()), list->count(), [](const void* a, const void* b, void*) {
                return static_cast<const StrBuffer*>(a)->compareStrIgnoreCase(static_cast<const StrBuffer*>(b));
            });
    }
    if (extensions) {
        for (uint32_t i = list->count(); i-- > 0;) {
            bool keep = false;
            for (uint32_t e = 0; !keep && e < extensions->count(); ++e)
                keep = list->at(i)->endsWithIgnoreCase(extensions->at(e)->text());
            if (!keep) list->removeAt(i);
        }
    }
    PathWin* answer = nullptr;
    const int64_t count = list->count();
    if (count >= 2) {
        uint32_t found = 0;
        int64_t i = list->indexOfIgnoreCase(own, &found) ? int64_t(found) : 0;
        i += forward ? 1 : -1;
        bool ok = true;
        if (i >= count) {
            if (wrap)
                i = 0;
            else
                ok = false;
        } else if (i < 0) {
            if (wrap)
                i = count - 1;
            else
                ok = false;
        }
        if (ok) answer = parent->getChild(list->at(uint32_t(i))->text());
    }
    list->release();
    own->release();
    parent->release();
    return answer;
}

// ---- wildcard listings ----------------------------------------------------------------------

ArrayP* PathWin::match(bool keepFolders, bool includeHidden, bool recurse, ArrayP* out) {
    if (!out) out = newPathList();
    StrBuffer* dir = getDirectory(nullptr, false);
    StrBuffer* entry = StrBuffer::create();
    {
        EntryFilter filter(this, includeHidden, false);
        FindScan scan(getLongPath());
        while (scan.next()) {
            if (!filter.pass(scan.data())) continue;
            if (scan.isFolder() && !keepFolders) continue;
            entry->setStr(dir)->append(scan.data().cFileName);
            out->push(static_cast<IPath*>(create()->setPath(entry)));
        }
    }
    if (recurse) {
        PathWin* folder = create()->setPath(dir);
        if (folder->isAbsolute() && folder->exists()) {
            StrArray* subFolders = folder->listFolderNames(true, includeHidden);
            for (uint32_t i = 0; i < subFolders->count(); ++i) {
                entry->setStr(subFolders->at(i))->appendChar(L'\\')->appendStr(&title_)->appendStr(&ext_);
                PathWin* pattern = create()->setPath(entry);
                pattern->match(keepFolders, includeHidden, true, out);
                pattern->release();
            }
            subFolders->release();
        }
        folder->release();
    }
    entry->release();
    dir->release();
    return out;
}

ArrayP* PathWin::matchFiles(bool includeHidden, bool recurse, ArrayP* out) {
    return match(false, includeHidden, recurse, out);
}

ArrayP* PathWin::matchAll(bool includeHidden, bool recurse, ArrayP* out) {
    return match(true, includeHidden, recurse, out);
}

// ---- alternate data streams -------------------------------------------------------------

namespace {

constexpr LONG kStatusBufferOverflow = LONG(0x80000005);
constexpr LONG kStatusInfoLengthMismatch = LONG(0xC0000004);
constexpr LONG kStatusBufferTooSmall = LONG(0xC0000023);
constexpr int kFileStreamInformation = 22;
constexpr uint32_t kStreamBufferCap = 10000000;

// The shared query buffer and its lock (taken before the path lock, never after).
struct StreamBuffer {
    thread::ObjLocker lock;
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(1024));
    uint32_t capacity = 1024;
};

StreamBuffer& streamBuffer() {
    static StreamBuffer* b = new StreamBuffer();
    return *b;
}

uint32_t readU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

int64_t readI64(const uint8_t* p) {
    int64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

}  // namespace

ArrayP* PathWin::listStreams(ArrayP* out) {
    if (!out) out = newPathList();
    if (!isNtfs() || !enableBackupPrivilege()) return out;
    const bool folder = exists() && isDirectory();
    HANDLE h = CreateFileW(getLongPath(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    StreamBuffer& buffer = streamBuffer();
    {
        thread::ObjLocker::Guard guard(buffer.lock);
        IoStatusBlock status{};
        LONG result = -1;
        for (;;) {
            if (!buffer.bytes) break;
            result = ntApi().queryInformation(h, &status, buffer.bytes, buffer.capacity, kFileStreamInformation);
            if (result != kStatusBufferOverflow && result != kStatusInfoLengthMismatch &&
                result != kStatusBufferTooSmall)
                break;
            if (buffer.capacity > kStreamBufferCap) break;
            const uint32_t grown = uint32_t(buffer.capacity * 1.5);
            uint8_t* bigger = static_cast<uint8_t*>(std::realloc(buffer.bytes, grown));
            if (!bigger) break;
            buffer.bytes = bigger;
            buffer.capacity = grown;
        }
        if (result == 0 && buffer.bytes) {
            wchar_t name[780];
            StrBuffer* text = StrBuffer::create();
            uint32_t offset = 0;
            for (;;) {
                if (offset + 24 > buffer.capacity) break;
                const uint8_t* record = buffer.bytes + offset;
                const uint32_t next = readU32(record);
                const uint32_t nameBytes = readU32(record + 4);
                const int64_t size = readI64(record + 8);
                if (nameBytes > 1559 || offset + 24 + nameBytes > buffer.capacity) break;
                std::memcpy(name, record + 24, nameBytes);
                name[nameBytes / 2] = 0;
                if (nameBytes > 3 && _wcsicmp(name, L"::$DATA") != 0) {
                    wchar_t* second = name[0] ? wcschr(name + 1, L':') : nullptr;
                    if (second) *second = 0;
                    text->setStr(&full_)->append(name);
                    PathWin* stream = create()->setPath(text);
                    stream->setCachedSize(size);
                    out->push(static_cast<IPath*>(stream));
                }
                if (next == 0) break;
                offset += next;
            }
            text->release();
        }
    }
    CloseHandle(h);
    return out;
}

int64_t PathWin::streamSizeOf() {
    if (streamSize_ >= 0) return streamSize_;
    uint32_t colon;
    if (full_.length() < 3 || !full_.indexOf(L':', &colon, 2)) {
        streamSize_ = 0;
        return 0;
    }
    StrBuffer* baseText = full_.substring(0, colon);
    PathWin* base = create()->setPath(baseText);
    baseText->release();
    ArrayP* streams = base->listStreams(nullptr);
    streamSize_ = 0;
    for (uint32_t i = 0; i < streams->count(); ++i) {
        if (at(streams, i)->full_.compareStrIgnoreCase(&full_) == 0) {
            streamSize_ = at(streams, i)->streamSize_;
            break;
        }
    }
    streams->release();
    base->release();
    return streamSize_;
}

bool PathWin::hasStreams(bool recurse) {
    if (!exists() || stream_ || !isNtfs()) return false;
    ArrayP* streams = listStreams(nullptr);
    bool any = streams->count() > 0;
    streams->release();
    if (any || !recurse || !isDirectory()) return any;
    ArrayP* entries = listPaths(true, true, nullptr);
    for (uint32_t i = 0; !any && i < entries->count(); ++i) any = at(entries, i)->hasStreams(false);
    entries->release();
    return any;
}

void PathWin::removeStreams(bool recurse) {
    if (!exists() || stream_ || !isNtfs()) return;
    ArrayP* streams = listStreams(nullptr);
    for (uint32_t i = 0; i < streams->count(); ++i)
        if (at(streams, i)->exists()) at(streams, i)->remove(false, false);
    streams->release();
    if (!recurse || !isDirectory()) return;
    ArrayP* entries = listPaths(true, true, nullptr);
    for (uint32_t i = 0; i < entries->count(); ++i) at(entries, i)->removeStreams(false);
    entries->release();
}

}  // namespace s::file::win
