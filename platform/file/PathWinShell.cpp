// Path objects: shell links (.lnk), internet shortcuts (.url) and folder shortcuts (a
// folder holding "target.lnk"), through the shortcut functions of the shell layer.
#include "platform/file/PathWin.h"
#include "platform/shell/Shortcut.h"

namespace s::file::win {

bool PathWin::createShortcut(const wchar_t* link, bool overwrite, const wchar_t* arguments) {
    if (!link || !exists()) return false;
    StrBuffer* text = StrBuffer::fromString(link);
    if (!text->endsWithIgnoreCase(L".lnk")) text->appendText(L".lnk");
    PathWin* linkPath = fromString(text->text());
    text->release();
    bool ok = linkPath->isValid();
    if (ok && linkPath->exists()) ok = overwrite && linkPath->remove(false);
    if (ok) ok = shell::createShortcut(getFullPath(), linkPath->getFullPath(), arguments);
    linkPath->release();
    return ok;
}

bool PathWin::createUrlShortcut(const wchar_t* url, bool overwrite) {
    if (!isValid()) return false;
    if (exists()) {
        if (!overwrite || !remove(false)) return false;
        forgetFileState();
    }
    bool ok = shell::createUrlShortcut(url, getFullPath());
    forgetFileState();
    return ok;
}

StrBuffer* PathWin::getUrl(StrBuffer* out, bool append) {
    out = target(out, append);
    if (exists() && isFile() && isUrlShortcut()) {
        StrBuffer* url = shell::readUrlShortcut(getFullPath());
        out->appendStr(url);
        url->release();
    }
    return out;
}

const wchar_t* PathWin::getUrlText() { return getUrl(&scratch_, false)->text(); }

PathWin* PathWin::getShortcutTarget() {
    StrBuffer* text = shell::readShortcut(getFullPath());
    PathWin* path = fromString(text->text());
    text->release();
    return path;
}

StrBuffer* PathWin::getFolderShortcutTarget(StrBuffer* out, bool append) {
    if (!out) out = StrBuffer::create();
    if (!isFolderShortcut()) return out;
    PathWin* link = getChild(L"target.lnk");
    if (link->exists() && link->isFile()) {
        PathWin* folder = link->getShortcutTarget();
        if (folder->isValid() && folder->exists() && folder->isDirectory()) {
            if (!append) out->clear();
            out->appendText(folder->getFullPath());
        }
        folder->release();
    }
    link->release();
    return out;
}

const wchar_t* PathWin::getFolderShortcutTargetText() {
    scratch_.clear();
    return getFolderShortcutTarget(&scratch_, false)->text();
}

PathWin* PathWin::getFolderShortcutTargetPath() {
    StrBuffer* text = getFolderShortcutTarget(nullptr, false);
    PathWin* path = fromString(text->text());
    text->release();
    return path;
}

}  // namespace s::file::win
