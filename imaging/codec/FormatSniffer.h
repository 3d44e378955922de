// Telling a picture file's format from its first bytes.
#pragma once

#include <cstdint>

namespace s::file::win { class PathWin; }

namespace s::image {

// The result of sniffing: one of the constants below, or null for none. Compare by
// identity with the constants, not by text.
using ImageFormatTag = const wchar_t*;

namespace format {
extern const wchar_t kJpg[];
extern const wchar_t kGif[];
extern const wchar_t kPng[];
extern const wchar_t kBmp[];
extern const wchar_t kTiff[];
extern const wchar_t kIco[];
}  // namespace format

// How many leading bytes sniffing looks at.
constexpr uint32_t kSniffBytes = 100;

// The format of a file that starts with the n bytes given (n at most kSniffBytes is
// enough) and is fileSize bytes long; null when none is recognised. A signature is
// tested only when all the bytes it needs are present.
ImageFormatTag sniffBytes(const uint8_t* head, uint32_t n, uint64_t fileSize);

// The format of the file at the path; true when one was recognised (out is set to the
// tag, or to null).
bool sniffFormat(const wchar_t* path, ImageFormatTag* out);
bool sniffFormat(file::win::PathWin* path, ImageFormatTag* out);

}  // namespace s::image
