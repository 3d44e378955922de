// Path objects: shell links (.lnk), internet shortcuts (.url) and folder shortcuts.
// These go through the shell's COM objects, which the shortcut layer provides; until
// it is linked in, every operation here answers false, null or leaves out unchanged.
#include "platform/file/PathWin.h"

namespace s::file::win {

bool PathWin::createShortcut(const wchar_t*, bool, const wchar_t*) { return false; }

bool PathWin::createUrlShortcut(const wchar_t*, bool) { return false; }

StrBuffer* PathWin::getUrl(StrBuffer* out, bool append) { return target(out, append); }

const wchar_t* PathWin::getUrlText() { return getUrl(&scratch_, false)->text(); }

StrBuffer* PathWin::getFolderShortcutTarget(StrBuffer* out, bool) { return out ? out : StrBuffer::create(); }

const wchar_t* PathWin::getFolderShortcutTargetText() {
    scratch_.clear();
    return getFolderShortcutTarget(&scratch_, false)->text();
}

PathWin* PathWin::getShortcutTarget() { return nullptr; }

PathWin* PathWin::getFolderShortcutTargetPath() { return nullptr; }

}  // namespace s::file::win
