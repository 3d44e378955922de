// Path lists handed to the shell: copy, move and delete to the recycle bin through
// SHFileOperationW, shortcuts for every item, change notifications, properties sheets.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <new>

#include "platform/file/PathArray.h"
#include "platform/shell/Shell.h"

namespace s::file::win {

namespace {

// The folder a text names: a folder shortcut stands for its target folder.
PathWin* targetFolder(const wchar_t* folder) {
    PathWin* target = PathWin::fromString(folder);
    if (target->isValid() && target->isFolderShortcut()) {
        PathWin* resolved = target->getFolderShortcutTargetPath();
        if (resolved->isValid()) {
            target->release();
            return resolved;
        }
        resolved->release();
    }
    return target;
}

// Drops what a path cached of the file system, after the shell changed its file.
void refresh(PathWin* path) {
    StrBuffer* text = StrBuffer::fromString(path->getFullPath());
    path->setPath(text);
    text->release();
}

void notify(LONG event, PathWin* path) {
    SHChangeNotify(event, SHCNF_PATHW | SHCNF_FLUSH, path->getFullPath(), nullptr);
}

}  // namespace

void PathArray::notifyEach(bool created) {
    if (!flags_) return;
    for (int32_t i = 0; i < getCount(); ++i) {
        PathWin* path = get(i);
        bool folder = isMarkedFolder(i);
        if (created && path->exists()) notify(folder ? SHCNE_MKDIR : SHCNE_CREATE, path);
        if (!created && path->isValid() && !path->exists()) notify(folder ? SHCNE_RMDIR : SHCNE_DELETE, path);
    }
}

void PathArray::notifyCreated() { notifyEach(true); }
void PathArray::notifyDeleted() { notifyEach(false); }

int32_t PathArray::transfer(unsigned operation, const wchar_t* folder, bool track, bool run, void* owner) {
    PathWin* target = targetFolder(folder);
    if (getCount() == 0 || !target->isValid()) {
        target->release();
        return 0;
    }
    PathArray* result = nullptr;
    if (track) {
        markFolders();
        result = rebase(target->getFullPath());
    }
    int32_t outcome = 0;
    if (run) {
        StrBuffer* destination = StrBuffer::fromConcat(target->getFullPath(), L"\\");
        if (getCount() == 1) get(0)->getFileName(destination, true);
        destination->appendChar(L'\0');
        SHFILEOPSTRUCTW op{};
        op.hwnd = static_cast<HWND>(owner);
        op.wFunc = operation;
        op.pFrom = joinText();
        op.pTo = destination->text();
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR;
        op.lpszProgressTitle = L"";
        bool ok = SHFileOperationW(&op) == 0;
        destination->release();
        if (ok) {
            // The paths' cached file facts are stale after the shell moved things.
            for (int32_t i = 0; i < getCount(); ++i) refresh(get(i));
            if (track) {
                if (operation == FO_MOVE) notifyDeleted();
                result->notifyCreated();
            }
        }
        outcome = !ok ? 0 : op.fAnyOperationsAborted ? 1 : 2;
    }
    if (result) result->release();
    target->release();
    return outcome;
}

int32_t PathArray::copyTo(const wchar_t* folder, bool track, bool run, void* owner) {
    return transfer(FO_COPY, folder, track, run, owner);
}

int32_t PathArray::moveTo(const wchar_t* folder, bool track, bool run, void* owner) {
    return transfer(FO_MOVE, folder, track, run, owner);
}

int32_t PathArray::createShortcuts(const wchar_t* folder, bool overwrite, bool uniqueNames, bool notify, bool planOnly,
                                   PathArray** out) {
    if (out) *out = nullptr;
    PathWin* target = targetFolder(folder);
    if (getCount() == 0 || !target->isValid()) {
        target->release();
        return 0;
    }
    PathArray* links = shortcutsIn(target->getFullPath());
    target->release();
    int32_t made = 0, failed = 0;
    if (!planOnly) {
        if (uniqueNames) links->toFreeNames();
        for (int32_t i = 0; i < getCount() && i < links->getCount(); ++i) {
            PathWin* item = get(i);
            if (item->exists() &&
                item->createShortcut(links->get(i)->getFullPath(), overwrite && !uniqueNames, nullptr))
                ++made;
            else
                ++failed;
        }
        if (notify && made > 0) {
            links->markFolders();
            links->notifyCreated();
        }
    }
    if (out)
        *out = links;
    else
        links->release();
    return made == 0 ? 0 : failed ? 1 : 2;
}

bool PathArray::recycle(bool notify, bool ask, void* owner) {
    SHFILEOPSTRUCTW op{};
    op.hwnd = static_cast<HWND>(owner);
    op.wFunc = FO_DELETE;
    op.pFrom = joinText();
    op.fFlags = ask ? FOF_ALLOWUNDO : FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;
    bool ok = getCount() > 0 && SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
    if (ok) {
        for (int32_t i = 0; i < getCount(); ++i) refresh(get(i));
        if (notify) notifyDeleted();
    }
    return ok;
}

bool PathArray::showProperties() {
    const int32_t n = getCount();
    if (n == 0) return false;
    if (n == 1) return shell::showProperties(get(0)->getFullPath());
    const wchar_t** texts = new (std::nothrow) const wchar_t*[size_t(n)];
    if (!texts) return false;
    for (int32_t i = 0; i < n; ++i) texts[i] = get(i)->getFullPath();
    bool shown = shell::showMultiFileProperties(n, texts);
    delete[] texts;
    return shown;
}

}  // namespace s::file::win
