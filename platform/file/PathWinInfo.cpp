// Path objects: existence and access, the volume's file-system type, attribute bits,
// times, sizes and the two display texts. Answers that cost a system call are cached
// in the path until it is set again.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <io.h>
#include <sys/stat.h>

#include "foundation/col/Array.h"
#include "platform/file/PathWin.h"

namespace s::file::win {

namespace {

constexpr int64_t kUnixEpochSeconds = 11644473600LL;

int64_t unixSeconds(const FILETIME& t) {
    const uint64_t ticks = (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return int64_t(ticks / 10000000ULL) - kUnixEpochSeconds;
}

FILETIME fileTime(int64_t seconds) {
    const uint64_t ticks = uint64_t(seconds + kUnixEpochSeconds) * 10000000ULL;
    FILETIME t;
    t.dwLowDateTime = DWORD(ticks);
    t.dwHighDateTime = DWORD(ticks >> 32);
    return t;
}

int64_t combine(DWORD high, DWORD low) { return int64_t((uint64_t(high) << 32) | low); }

}  // namespace

// ---- existence and access -------------------------------------------------------------

bool PathWin::exists() {
    // The long form reaches paths of any length (the C runtime stops at 260 units).
    return valid_ && GetFileAttributesW(getLongPath()) != INVALID_FILE_ATTRIBUTES;
}

bool PathWin::canRead() { return _waccess(full_.text(), 4) == 0; }
bool PathWin::canWrite() { return _waccess(full_.text(), 2) == 0; }
bool PathWin::canReadWrite() { return _waccess(full_.text(), 6) == 0; }

// ---- file-system type ------------------------------------------------------------------

int32_t PathWin::fileSystemType() {
    if (fsType_ != -1) return fsType_;
    wchar_t name[19];
    fsType_ = 0;
    if (!GetVolumeInformationW(getRoot(), nullptr, 0, nullptr, nullptr, nullptr, name, 19)) return fsType_;
    static const wchar_t* const kNames[] = {L"FAT", L"FAT32", L"VFAT", L"NTFS", L"HPFS"};
    for (int32_t i = 0; i < 5; ++i)
        if (_wcsicmp(name, kNames[i]) == 0) fsType_ = i + 1;
    return fsType_;
}

bool PathWin::isFat() {
    int32_t t = fileSystemType();
    return t >= 1 && t <= 3;
}

// ---- attributes -------------------------------------------------------------------------

uint32_t PathWin::getAttributes() {
    if (attributesLoaded_) return attributes_;
    attributesLoaded_ = true;
    if (stream_) {
        attributes_ = 0;
        HANDLE h = CreateFileW(getLongPath(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            BY_HANDLE_FILE_INFORMATION info;
            if (GetFileInformationByHandle(h, &info)) attributes_ = info.dwFileAttributes;
            CloseHandle(h);
        }
    } else {
        // A missing path keeps the failure value with every bit set.
        attributes_ = GetFileAttributesW(getLongPath());
    }
    return attributes_;
}

bool PathWin::ensureAttributes(uint32_t bits) {
    uint32_t now = getAttributes();
    // A missing path has nothing to set (its failure value "has" every bit).
    if (now == INVALID_FILE_ATTRIBUTES) return false;
    if ((now & bits) == bits) return true;
    return setAttributes(bits | now);
}

bool PathWin::setAttributes(uint32_t bits) {
    if (bits == INVALID_FILE_ATTRIBUTES) return false;
    if (attributesLoaded_ && attributes_ == bits) return true;
    if (!SetFileAttributesW(getLongPath(), bits)) return false;
    attributesLoaded_ = true;
    attributes_ = bits;
    return true;
}

bool PathWin::isEmptyDirectory() { return exists() && isDirectory() && !hasChildren(true); }

bool PathWin::isFolderShortcut() {
    if (!exists() || !isDirectory()) return false;
    bool answer = false;
    PathWin* link = getChild(L"target.lnk");
    if (link->exists() && link->isFile()) {
        PathWin* target = link->getShortcutTarget();
        if (target) {
            answer = target->exists() && target->isDirectory();
            target->release();
        }
    }
    link->release();
    return answer;
}

bool PathWin::setHidden() { return ensureAttributes(attr::kHidden); }

bool PathWin::setReadable(bool readable) {
    int mode = canWrite() ? (readable ? _S_IREAD | _S_IWRITE : _S_IWRITE) : (readable ? _S_IREAD : 0);
    return _wchmod(full_.text(), mode) == 0;
}

bool PathWin::setWritable(bool writable) {
    int mode = (canRead() ? _S_IREAD : 0) | (writable ? _S_IWRITE : 0);
    return _wchmod(full_.text(), mode) == 0;
}

bool PathWin::makeReadWrite() {
    if (_wchmod(full_.text(), _S_IREAD | _S_IWRITE) == 0) return true;
    // The C runtime cannot reach long paths: clear the read-only bit directly.
    DWORD now = GetFileAttributesW(getLongPath());
    return now != INVALID_FILE_ATTRIBUTES &&
           ((now & attr::kReadOnly) == 0 || SetFileAttributesW(getLongPath(), now & ~DWORD(attr::kReadOnly)));
}

// ---- stat record, times -------------------------------------------------------------------

void PathWin::loadStat() {
    statLoaded_ = true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(getLongPath(), GetFileExInfoStandard, &data)) {
        stat_.size = combine(data.nFileSizeHigh, data.nFileSizeLow);
        stat_.creationTime = unixSeconds(data.ftCreationTime);
        stat_.accessTime = unixSeconds(data.ftLastAccessTime);
        stat_.writeTime = unixSeconds(data.ftLastWriteTime);
    }
    if (!exists()) stat_.size = 0;
}

int64_t PathWin::getCreationTime(bool refresh) {
    if (stream_) return 0;
    if (refresh || !statLoaded_) loadStat();
    return stat_.creationTime;
}

int64_t PathWin::getAccessTime(bool refresh) {
    if (stream_) return 0;
    if (refresh || !statLoaded_) loadStat();
    return stat_.accessTime;
}

int64_t PathWin::getWriteTime(bool refresh) {
    if (stream_) return 0;
    if (refresh || !statLoaded_) loadStat();
    return stat_.writeTime;
}

bool PathWin::setTimes(int64_t creation, int64_t lastWrite, int64_t lastAccess, bool applyNormal, bool applyReadOnly,
                       bool applyHidden, bool applySystem, bool recurse) {
    if (!valid_ || !exists()) return false;
    const uint32_t saved = getAttributes();
    bool apply = (saved & attr::kSystem)     ? applySystem
                 : (saved & attr::kHidden)   ? applyHidden
                 : (saved & attr::kReadOnly) ? applyReadOnly
                                             : applyNormal;
    // An entry the flags leave out has nothing to do: that is no failure.
    if (!apply) return true;
    bool ok = true;
    if (recurse && (saved & attr::kDirectory)) {
        ArrayP* entries = listPaths(true, false, nullptr);
        for (uint32_t i = 0; i < entries->count(); ++i)
            if (!at(entries, i)
                     ->setTimes(creation, lastWrite, lastAccess, applyNormal, applyReadOnly, applyHidden, applySystem,
                                recurse))
                ok = false;
        entries->release();
    }
    bool set = false;
    if (setAttributes(attr::kNormal)) {
        HANDLE h = CreateFileW(getLongPath(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            FILETIME c = fileTime(creation), a = fileTime(lastAccess), w = fileTime(lastWrite);
            set = SetFileTime(h, creation >= 0 ? &c : nullptr, lastAccess >= 0 ? &a : nullptr,
                              lastWrite >= 0 ? &w : nullptr) != 0;
            CloseHandle(h);
        }
    }
    const bool restored = setAttributes(saved);
    if (set) statLoaded_ = false;
    return ok && set && restored;
}

// ---- sizes -----------------------------------------------------------------------------------

int64_t PathWin::getSize(bool recurse, bool descend, int32_t* fileCount, int32_t* folderCount, bool countFiles) {
    if (stream_) {
        int64_t s = streamSizeOf();
        return s > 0 ? s : 0;
    }
    if (recurse && exists() && isDirectory()) {
        int64_t sum = 0;
        StrBuffer* pattern = StrBuffer::fromConcat(getLongPath(), L"\\*");
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(pattern->text(), &fd);
        pattern->release();
        if (h == INVALID_HANDLE_VALUE) return 0;
        do {
            const wchar_t* n = fd.cFileName;
            if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!descend || (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
                PathWin* child = getChild(n);
                sum += child->getSize(true, true, fileCount, folderCount, true);
                child->release();
                if (folderCount) ++*folderCount;
            } else if (countFiles) {
                sum += combine(fd.nFileSizeHigh, fd.nFileSizeLow);
                if (fileCount) ++*fileCount;
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return sum;
    }
    if (!statLoaded_) loadStat();
    return stat_.size;
}

int64_t PathWin::getSizeOnDisk() {
    if (sizeOnDisk_ >= 0) return sizeOnDisk_;
    const int64_t size = getSize(false, true, nullptr, nullptr, true);
    if (size < 1) return 0;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceW(getRoot(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        sectorsPerCluster = bytesPerSector = 0;
    int64_t sector = bytesPerSector > 512 ? bytesPerSector : 512;
    int64_t cluster = int64_t(sectorsPerCluster) * bytesPerSector;
    if (cluster < sector) cluster = sector;
    sizeOnDisk_ = (size + cluster - 1) / cluster * cluster;
    return sizeOnDisk_;
}

// ---- display texts ---------------------------------------------------------------------

StrBuffer* PathWin::getShellTypeName(StrBuffer* out, bool append) {
    StrBuffer* t = target(out, append);
    SHFILEINFOW info;
    ZeroMemory(&info, sizeof info);
    if (exists()) {
        SHGetFileInfoW(full_.text(), 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_ATTRIBUTES | SHGFI_SYSICONINDEX);
    } else {
        SHGetFileInfoW(ext_.text(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
    }
    info.szTypeName[79] = 0;
    return t->append(info.szTypeName);
}

const wchar_t* PathWin::getShellTypeNameText() { return getShellTypeName(&scratch_, false)->text(); }

StrBuffer* PathWin::getSizeText(StrBuffer* out, bool append) {
    StrBuffer* t = target(out, append);
    if (exists() && isDirectory()) return t;
    wchar_t text[64];
    text[0] = 0;
    StrFormatByteSizeW(getSize(false, true, nullptr, nullptr, true), text, 64);
    return t->append(text);
}

const wchar_t* PathWin::getSizeTextValue() { return getSizeText(&scratch_, false)->text(); }

}  // namespace s::file::win
