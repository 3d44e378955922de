// Loading and saving XML documents through path objects and the file streams.
#include "foundation/xml/Node.h"

#include "foundation/col/Array.h"
#include "platform/file/IPath.h"

namespace s::xml {

bool Node::loadPath(file::IPath* path) {
    if (!path) return false;
    col::_array::ArrayU08* bytes = col::_array::ArrayU08::create();
    if (!bytes) return false;
    // A missing or unreadable file, or malformed text, leaves the node as it was.
    bool ok = path->readAll(bytes) && parseUtf8(bytes);
    bytes->release();
    return ok;
}

bool Node::savePath(file::IPath* path) const {
    if (!path) return false;
    col::_array::ArrayU08* bytes = toUtf8(nullptr, false);
    if (!bytes) return false;
    // A whole-file write goes to a new file beside the target (missing folders are
    // made) and replaces the target only when complete.
    bool ok = path->writeAll(bytes, false);
    bytes->release();
    return ok;
}

}  // namespace s::xml
