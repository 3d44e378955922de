// Shell links (.lnk) and internet shortcuts (.url) through the shell's COM objects.
// The objects are made on the calling thread; when that fails, COM is initialised
// (single-threaded) and the creation tried once more.
#pragma once

#include "foundation/str/StrBuffer.h"

namespace s::shell {

// A link to an existing target (a target that is itself a .lnk is copied instead), with
// the target's folder as working folder and the arguments (null: none).
bool createShortcut(const wchar_t* target, const wchar_t* link, const wchar_t* arguments);
// New pooled string: the link's target in its long form; "" on failure.
str::strbuffer::StrBuffer* readShortcut(const wchar_t* link);
// New pooled string: the path with every component as the file system spells it; ""
// when it does not exist.
str::strbuffer::StrBuffer* getLongPathName(const wchar_t* path);
bool createUrlShortcut(const wchar_t* url, const wchar_t* file);
// New pooled string: the URL of a .url file; "" on failure.
str::strbuffer::StrBuffer* readUrlShortcut(const wchar_t* file);

}  // namespace s::shell
