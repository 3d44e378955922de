// Whole-file reading and crash-safe replacement of a file, for the XML document.
#pragma once

#include <cstdint>

namespace s::col::_array {
class ArrayU08;
}

namespace s::xml {

// The whole file as a new pooled byte array; null when it cannot be opened or read, or
// is larger than kMaxFileBytes.
constexpr uint32_t kMaxFileBytes = 256u << 20;
col::_array::ArrayU08* readWholeFile(const wchar_t* path);

// Writes the bytes to a new file in the target's folder (creating missing folders),
// flushes it, then moves it over the target in one step. False on any failure; the
// previous file is then untouched and the temporary file is removed.
bool replaceFileSafely(const wchar_t* path, const void* data, uint32_t size);

}  // namespace s::xml
