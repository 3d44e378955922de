// Pictures to and from the Windows clipboard as device-independent bitmaps, and the
// packed-DIB conversions under them.
//
//   if (!s::image::copyToClipboard(hwnd, image)) complain();
//   if (BufferedImage* pasted = s::image::pasteFromClipboard(hwnd)) { show(pasted); ... pasted->release(); }
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace s::image {

// Bytes of the packed DIB that packDib writes for the image: a 40-byte header and
// width * height 32-bit pixels; 0 for an image without pixels or one too large.
size_t packedDibSize(win::BufferedImage* image);
// Writes the packed DIB (header size 40, positive height, 32 bits, BI_RGB, the rows from
// the bottom row up as 0xAARRGGBB words) into out, which holds packedDibSize bytes.
// False when the image has no pixels or the size does not match.
bool packDib(win::BufferedImage* image, uint8_t* out, size_t size);

// A new opaque image read from a packed DIB of exactly size bytes: any header size
// (core, info, V4, V5), 1 to 32 bits, colour tables, bit-field masks, bottom-up or
// top-down rows. Null when the block is not a DIB, is cut short, or the image cannot be
// made. Nothing past data + size is read.
win::BufferedImage* imageFromPackedDib(const void* data, size_t size);

// Empties the clipboard and puts the image on it as CF_DIB. False when the clipboard
// does not open, the block cannot be made, or the clipboard refuses it (the block is
// then freed).
bool copyToClipboard(HWND owner, win::BufferedImage* image);
// The first of CF_DIB and CF_BITMAP offered, as a new opaque image; null when the
// clipboard does not open, holds neither, or holds one that cannot be read.
win::BufferedImage* pasteFromClipboard(HWND owner);

}  // namespace s::image
