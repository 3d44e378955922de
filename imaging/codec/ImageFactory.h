// The codec factory: the pooled codec of a file's format with the file loaded.
#pragma once

#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/FormatSniffer.h"

namespace s::file::win { class PathWin; }

namespace s::image {

// An empty pooled codec for the format; null for a format without one (TIFF, none).
IEncodedImage* newCodecFor(ImageFormatTag tag);

// Sniffs the file and loads it with the codec of its format. Null for an unknown
// format and for a file that could not be decoded (sizeRefusal() in CodecImage.h then
// tells a picture refused for its size); otherwise the caller releases it.
IEncodedImage* openImageFile(file::win::PathWin* path);
IEncodedImage* openImageFile(const wchar_t* path);

}  // namespace s::image
