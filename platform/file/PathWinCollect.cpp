// Path objects: folder listings into path lists.
#include "foundation/col/Array.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"

namespace s::file::win {

namespace {

PathArray* collect(PathArray* out, ArrayP* found) {
    if (!out) out = PathArray::create();
    for (uint32_t i = 0; i < found->count(); ++i) out->addPath(static_cast<IPath*>(found->get(i)));
    // The list owns the paths now: the scratch array lets them go without releasing them.
    found->setDestroyer(nullptr);
    found->release();
    return out;
}

}  // namespace

PathArray* PathWin::collectPaths(bool includeHidden, bool recurse, PathArray* out) {
    return collect(out, listPaths(includeHidden, recurse, nullptr));
}

PathArray* PathWin::collectFolders(bool includeHidden, bool recurse, PathArray* out) {
    return collect(out, listFolders(includeHidden, recurse, nullptr));
}

PathArray* PathWin::collectFiles(bool includeHidden, bool recurse, PathArray* out) {
    return collect(out, listFiles(includeHidden, recurse, nullptr));
}

}  // namespace s::file::win
