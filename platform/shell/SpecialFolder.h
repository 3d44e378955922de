// The special folders other code asks for: desktop, Windows folder, the root of its volume.
#pragma once

#include <cstdint>

#include "foundation/str/StrBuffer.h"

namespace s::file::win {
class PathWin;
}

namespace s::system {

// New pooled string of the folder of a CSIDL ("" when the shell does not know it).
str::strbuffer::StrBuffer* getSpecialFolderPath(int32_t csidl);
// New pooled path of the Windows folder.
file::win::PathWin* getWindowsFolder();
// Cached process-wide (filled on first use; make the first call from one thread).
const str::strbuffer::StrBuffer* getDesktopPath();
const str::strbuffer::StrBuffer* getWindowsPath();
// Root of the Windows folder's volume, "C:\" when it cannot be found.
const wchar_t* getSystemRoot();

}  // namespace s::system
