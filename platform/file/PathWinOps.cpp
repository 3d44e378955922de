// Path objects: operations that change the file system (rename, scrambled renaming,
// folder and file creation, deletion, copy, move and the exclusive-access check before
// wiping). The path object keeps its own text; callers take the target path.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <ctime>

#include "foundation/col/Array.h"
#include "platform/file/PathWin.h"

namespace s::file::win {

namespace {

void notifyShell(LONG event, const wchar_t* path) { SHChangeNotify(event, SHCNF_PATHW | SHCNF_FLUSH, path, nullptr); }

// The absolute form of a text with a closing "\" (the text itself when that fails).
StrBuffer* absoluteFolderText(const wchar_t* text) {
    StrBuffer* t = StrBuffer::create();
    DWORD n = GetFullPathNameW(text, 0, nullptr, nullptr);
    if (n > 0 && t->reserve(n + 1)) {
        DWORD got = GetFullPathNameW(text, n, t->data(), nullptr);
        if (got > 0 && got < n) t->setLength(got);
    }
    if (t->isEmpty()) t->setText(text);
    if (t->isEmpty() || t->charAt(t->length() - 1) != L'\\') t->appendChar(L'\\');
    return t;
}

wchar_t randomNameChar() {
    static const wchar_t kChars[] = L"123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static const bool seeded = [] {
        srand(unsigned(time(nullptr)));
        return true;
    }();
    (void)seeded;
    return kChars[rand() % (sizeof kChars / sizeof kChars[0] - 1)];
}

}  // namespace

// The attribute bits as they are now (the cache may predate a change on disk).
static uint32_t currentAttributes(PathWin* p) { return GetFileAttributesW(p->getLongPath()); }

void PathWin::forgetFileState() {
    attributesLoaded_ = false;
    statLoaded_ = false;
    sizeOnDisk_ = -1;
}

// Deletes a link itself (opened as a reparse point, so it is not followed).
bool PathWin::removeLink() {
    HANDLE h = CreateFileW(getLongPath(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILE_DISPOSITION_INFO disposition;
    disposition.DeleteFile = TRUE;
    const bool ok = SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition) != 0;
    CloseHandle(h);
    return ok && GetFileAttributesW(getLongPath()) == INVALID_FILE_ATTRIBUTES;
}

bool PathWin::renameTo(const wchar_t* newPath) {
    PathWin* to = fromString(newPath);
    bool ok = false;
    if (!isShort() && !to->isShort() && to->isValid() && !to->exists())
        ok = MoveFileExW(getLongPath(), to->getLongPath(), MOVEFILE_WRITE_THROUGH) != 0;
    to->release();
    if (ok) forgetFileState();
    return ok;
}

bool PathWin::scrambleName(int32_t rounds, StrBuffer* out, bool restoreAttributes) {
    if (isShort() || stream_) return false;
    StrBuffer* working = out ? out : StrBuffer::create();
    working->setStr(&full_);
    const uint32_t saved = getAttributes();
    setAttributes(attr::kNormal);
    ensureAttributes(attr::kNotContentIndexed);
    ensureAttributes(saved & attr::kDirectory);
    bool result = false;
    uint32_t slash;
    if (working->lastIndexOf(L'\\', &slash)) {
        const uint32_t start = slash + 1;
        StrBuffer* candidate = StrBuffer::create();
        for (int32_t round = 0; round < rounds; ++round) {
            candidate->setStr(working);
            uint32_t end = candidate->length();
            if (end - start < 3) {
                candidate->append(L"__");
                end = candidate->length() - 1;
            }
            for (int attempt = 0; attempt < 20; ++attempt) {
                for (uint32_t i = start; i < end; ++i)
                    if (candidate->charAt(i) != L'.') *candidate->charPtr(i) = randomNameChar();
                PathWin* from = fromString(working->text());
                bool renamed = from->renameTo(candidate->text());
                if (!renamed) {
                    Sleep(50);
                    renamed = from->renameTo(candidate->text());
                }
                from->release();
                if (renamed) {
                    working->setStr(candidate);
                    result = true;
                    break;
                }
            }
        }
        candidate->release();
    }
    if (restoreAttributes) {
        PathWin* final = fromString(working->text());
        final->setAttributes(saved);
        final->release();
    }
    if (!out) working->release();
    if (result) forgetFileState();
    return result;
}

bool PathWin::makeDirectory(bool notify) {
    if (isShort()) return false;
    if (!CreateDirectoryW(getLongPath(), nullptr)) {
        if (!makeParentDirectories() || !CreateDirectoryW(getLongPath(), nullptr)) return false;
    }
    forgetFileState();
    if (notify) notifyShell(SHCNE_MKDIR, full_.text());
    return true;
}

bool PathWin::createFile(bool notify) {
    if (isShort()) return false;
    auto open = [this]() {
        return CreateFileW(getLongPath(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE h = open();
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
        if (makeParentDirectories()) h = open();
    }
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    forgetFileState();
    if (notify) notifyShell(SHCNE_CREATE, full_.text());
    return true;
}

bool PathWin::makeParentDirectories() {
    PathWin* parent = getParent();
    bool ok = parent->exists() || parent->makeDirectory(false);
    parent->release();
    return ok;
}

bool PathWin::remove(bool notify, bool scheduleOnFailure) {
    if (isShort()) return false;
    if (!exists()) return true;
    const uint32_t now = currentAttributes(this);
    bool ok = false;
    if (now == INVALID_FILE_ATTRIBUTES) {
        ok = !exists();
    } else if (!(now & attr::kDirectory)) {
        ok = DeleteFileW(getLongPath()) != 0;
        if (!ok) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                ok = !exists();
            } else if (error == ERROR_ACCESS_DENIED && makeReadWrite()) {
                ok = DeleteFileW(getLongPath()) != 0;
            }
        }
        if (ok && notify) notifyShell(SHCNE_DELETE, full_.text());
    } else {
        // A junction or folder link goes as a link: what it points to is never entered.
        ok = RemoveDirectoryW(getLongPath()) != 0;
        if (!ok && (now & attr::kReparsePoint)) {
            ok = removeLink();
        } else if (!ok) {
            bool all = true;
            ArrayP* entries = listEntriesForRemoval();
            for (uint32_t i = 0; i < entries->count(); ++i)
                if (!at(entries, i)->remove(false, scheduleOnFailure)) all = false;
            entries->release();
            ok = all && RemoveDirectoryW(getLongPath()) != 0;
        }
        if (ok && notify) notifyShell(SHCNE_RMDIR, full_.text());
    }
    if (ok) {
        forgetFileState();
        return true;
    }
    if (scheduleOnFailure) MoveFileExW(getLongPath(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return false;
}

bool PathWin::removeOnReboot() {
    if (isShort() || !exists()) return false;
    const uint32_t now = currentAttributes(this);
    if (now != INVALID_FILE_ATTRIBUTES && (now & attr::kDirectory) && !(now & attr::kReparsePoint)) {
        ArrayP* entries = listEntriesForRemoval();
        for (uint32_t i = 0; i < entries->count(); ++i) at(entries, i)->removeOnReboot();
        entries->release();
    }
    return MoveFileExW(getLongPath(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void PathWin::recycle(bool ask, bool notify) {
    if (isShort()) return;
    const bool folder = notify && exists() && isDirectory();
    StrBuffer* from = StrBuffer::create();
    from->appendStr(&full_)->appendChar(0)->appendChar(0);
    SHFILEOPSTRUCTW op;
    ZeroMemory(&op, sizeof op);
    op.wFunc = FO_DELETE;
    op.pFrom = from->text();
    op.fFlags = ask ? FOF_ALLOWUNDO : FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
    const int result = SHFileOperationW(&op);
    from->release();
    forgetFileState();
    if (notify && result == 0 && !op.fAnyOperationsAborted)
        notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, full_.text());
}

bool PathWin::copyTo(const wchar_t* targetText, bool overwrite) {
    PathWin* to = fromString(targetText);
    bool ok = false;
    const uint32_t now = currentAttributes(this);
    if (!exists() || now == INVALID_FILE_ATTRIBUTES || to->isShort()) {
        ok = false;
    } else if (!(now & attr::kDirectory)) {
        ok = CopyFileW(getLongPath(), to->getLongPath(), !overwrite) != 0;
        if (!ok && to->makeParentDirectories()) ok = CopyFileW(getLongPath(), to->getLongPath(), !overwrite) != 0;
    } else {
        // A folder is never copied into itself (compared as absolute paths, ignoring case).
        StrBuffer* source = absoluteFolderText(full_.text());
        StrBuffer* destination = absoluteFolderText(to->getFullPath());
        const bool inside = destination->startsWithIgnoreCase(source->text());
        source->release();
        destination->release();
        if (!inside) {
            if (!to->exists())
                ok = to->makeDirectory(false);
            else
                ok = overwrite;
        }
        if (ok) {
            ArrayP* entries = listPaths(true, false, nullptr);
            StrBuffer* name = StrBuffer::create();
            for (uint32_t i = 0; ok && i < entries->count(); ++i) {
                to->getFullPathInto(name, false)->appendChar(L'\\');
                at(entries, i)->getFileName(name, true);
                ok = at(entries, i)->copyTo(name->text(), overwrite);
            }
            name->release();
            entries->release();
        }
    }
    to->release();
    return ok;
}

bool PathWin::moveTo(const wchar_t* targetText, bool overwrite, bool notify) {
    const uint32_t now = notify ? currentAttributes(this) : 0;
    const bool folder = notify && now != INVALID_FILE_ATTRIBUTES && (now & attr::kDirectory);
    PathWin* to = fromString(targetText);
    bool ok = false;
    if (!to->isShort()) {
        DWORD flags = MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH | (overwrite ? MOVEFILE_REPLACE_EXISTING : 0);
        ok = MoveFileExW(getLongPath(), to->getLongPath(), flags) != 0;
    }
    if (ok) {
        forgetFileState();
        if (notify) {
            notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, full_.text());
            notifyShell(folder ? SHCNE_MKDIR : SHCNE_CREATE, to->getFullPath());
        }
    }
    to->release();
    return ok;
}

bool PathWin::wipe(int32_t passes, bool restoreAttributes) {
    if (isShort() || !exists()) return false;
    const bool folder = isDirectory();
    if (!folder && getSize(false, true, nullptr, nullptr, true) < 1) return true;
    const uint32_t saved = getAttributes();
    setAttributes(attr::kNormal);
    ensureAttributes(attr::kNotContentIndexed);
    ensureAttributes(saved & attr::kDirectory);
    bool ok = true;
    if (folder) {
        ArrayP* entries = listPaths(true, false, nullptr);
        for (uint32_t i = 0; i < entries->count(); ++i)
            if (!at(entries, i)->wipe(passes, false)) ok = false;
        entries->release();
    }
    if (!stream_ && isNtfs()) {
        ArrayP* streams = listStreams(nullptr);
        for (uint32_t i = 0; i < streams->count(); ++i)
            if (!at(streams, i)->wipe(passes, false)) ok = false;
        streams->release();
    }
    if (ok && !folder && !(saved & (attr::kEncrypted | attr::kCompressed | attr::kSparse))) {
        HANDLE h = CreateFileW(getLongPath(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            ok = false;
        else
            CloseHandle(h);
    }
    if (restoreAttributes) setAttributes(saved);
    return ok;
}

}  // namespace s::file::win
